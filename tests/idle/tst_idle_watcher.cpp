#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>
#include <algorithm>
#include <cstdlib>
#include <xcb/screensaver.h>
#include <xcb/xcb.h>

#include "idle/idle_source.h"
#include "idle/idle_watcher.h"
#include "backends/x11/x11_idle_source.h"
#include "xvfb_server.h"

struct ReportedIdle : IdleSource {
  QString name() const override { return QStringLiteral("test"); }
  void report() { emit idle(); }
};

static qsizetype timesShown(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll().count('\n') : 0;
}

// The processes this one has started and not yet reaped, by id (Linux's /proc).
static QList<qint64> childProcesses() {
  const QByteArray self = QByteArray::number(QCoreApplication::applicationPid());
  QList<qint64> children;
  for (const QString& entry : QDir(QStringLiteral("/proc")).entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
    bool isNumber = false;
    const qint64 pid = entry.toLongLong(&isNumber);
    QFile stat(QStringLiteral("/proc/%1/stat").arg(entry));
    if (!isNumber || !stat.open(QIODevice::ReadOnly)) continue;  // not a process, or one that has gone
    // "pid (name) state ppid ...": the name may hold spaces and parentheses.
    const QByteArray line = stat.readAll();
    const QList<QByteArray> fields = line.mid(line.lastIndexOf(')') + 2).split(' ');
    if (fields.size() > 1 && fields[1] == self) children.append(pid);
  }
  std::sort(children.begin(), children.end());
  return children;
}

// The X server's time since the last input, in milliseconds; -1 without an answer.
static qint64 sinceInput(xcb_connection_t* x) {
  const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(x)).data->root;
  xcb_screensaver_query_info_reply_t* info =
      xcb_screensaver_query_info_reply(x, xcb_screensaver_query_info(x, root), nullptr);
  const qint64 ms = info ? qint64(info->ms_since_user_input) : -1;
  std::free(info);
  return ms;
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
    // Each display writes its process id, then runs until it is ended.
    IdleWatcher watcher(source, QStringLiteral("/bin/sh"),
                        {QStringLiteral("-c"), QStringLiteral("echo $$ >> '%1'; exec sleep 30").arg(shown)});
    source.report();
    source.report();
    QTRY_VERIFY(watcher.displayRuns());
    QTRY_COMPARE(timesShown(shown), 1);
    QFile written(shown);
    QVERIFY(written.open(QIODevice::ReadOnly));
    const QList<qint64> display{written.readAll().trimmed().toLongLong()};
    QCOMPARE(childProcesses(), display);
    // The watcher answers a report before report() returns, a display it
    // starts included (it is forked then), so no wait is needed: the one
    // display still runs, and no other was started in its place or beside it.
    source.report();
    QCOMPARE(childProcesses(), display);
    QCOMPARE(timesShown(shown), 1);
    watcher.endDisplay();
    QVERIFY(!watcher.displayRuns());
    QCOMPARE(childProcesses(), QList<qint64>());
    source.report();
    QTRY_COMPARE(timesShown(shown), 2);
  }

  // Started on a session that is already idle (an unattended machine after
  // an autostart), the watcher shows the display once it has waited too.
  void alreadyIdleSessionIsShown() {
    constexpr quint32 kIdleMs = 500;
    XvfbServer server;
    QString why;
    if (!server.start(QStringLiteral("640x480x24"), &why)) QSKIP(qPrintable(why));
    qputenv("DISPLAY", server.display().toLocal8Bit());
    // The server has seen no input since it started: once that is longer
    // than the watcher waits, the session is idle before the watcher starts.
    xcb_connection_t* x = xcb_connect(qPrintable(server.display()), nullptr);
    const auto disconnect = qScopeGuard([x] { xcb_disconnect(x); });
    QVERIFY(!xcb_connection_has_error(x));
    QTRY_VERIFY_WITH_TIMEOUT(sinceInput(x) > qint64(kIdleMs), 5000);
    const std::unique_ptr<X11IdleSource> source = X11IdleSource::open(kIdleMs, &why);
    QVERIFY2(source, qPrintable(why));
    QTemporaryDir dir;
    IdleWatcher watcher(*source, QStringLiteral("/bin/sh"), {QStringLiteral("-c"), QStringLiteral("echo >> '%1/shown'").arg(dir.path())});
    QTRY_COMPARE_WITH_TIMEOUT(timesShown(dir.filePath(QStringLiteral("shown"))), 1, 5000);
  }
};

QTEST_GUILESS_MAIN(TestIdleWatcher)
#include "tst_idle_watcher.moc"
