#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include "idle/idle_source.h"
#include "idle/idle_watcher.h"
#include "idle/x11_idle_source.h"
#include "xvfb_server.h"

struct ReportedIdle : IdleSource {
  QString name() const override { return QStringLiteral("test"); }
  void report() { emit idle(); }
};

static qsizetype timesShown(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll().count('\n') : 0;
}

class TestIdleWatcher : public QObject {
  Q_OBJECT

 private slots:
  // Idle reports while the display runs start no second one; once it has
  // ended, the next idle period shows it again.
  void oneDisplayAtATime() {
    QTemporaryDir dir;
    const QString shown = dir.filePath(QStringLiteral("shown"));
    ReportedIdle source;
    IdleWatcher watcher(source, QStringLiteral("/bin/sh"),
                        {QStringLiteral("-c"), QStringLiteral("echo >> '%1'; exec sleep 30").arg(shown)});
    source.report();
    source.report();
    QTRY_VERIFY(watcher.displayRuns());
    source.report();
    QTest::qWait(300);
    QCOMPARE(timesShown(shown), 1);
    watcher.endDisplay();
    QVERIFY(!watcher.displayRuns());
    source.report();
    QTRY_COMPARE(timesShown(shown), 2);
  }

  // Started on a session that is already idle (an unattended machine after
  // an autostart), the watcher shows the display once it has waited too.
  void alreadyIdleSessionIsShown() {
    XvfbServer server;
    QString why;
    if (!server.start(QStringLiteral("640x480x24"), &why)) QSKIP(qPrintable(why));
    qputenv("DISPLAY", server.display().toLocal8Bit());
    QTest::qWait(600);  // the server has seen no input since it started
    const std::unique_ptr<X11IdleSource> source = X11IdleSource::open(500, &why);
    QVERIFY2(source, qPrintable(why));
    QTemporaryDir dir;
    IdleWatcher watcher(*source, QStringLiteral("/bin/sh"), {QStringLiteral("-c"), QStringLiteral("echo >> '%1/shown'").arg(dir.path())});
    QTRY_COMPARE_WITH_TIMEOUT(timesShown(dir.filePath(QStringLiteral("shown"))), 1, 5000);
  }
};

QTEST_GUILESS_MAIN(TestIdleWatcher)
#include "tst_idle_watcher.moc"
