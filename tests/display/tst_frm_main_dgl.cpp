#include <QPointer>
#include <QTemporaryDir>
#include <QtTest>

#include "display/frm_main_dgl.h"
#include "patterns/pattern.h"
#include "platform/display_lock.h"
#include "startup/quorl_saver.h"

// The real display window, run as a trial for the settings dialog.
class tst_FrmMainDgl : public QObject {
  Q_OBJECT

  QTemporaryDir home_;
  std::unique_ptr<QuorlSaver> saver_;

  QPointer<frmMainDGL> startTrial() {
    saver_ = std::make_unique<QuorlSaver>(home_.path());
    saver_->configMode = true;
    saver_->words.append(QStringLiteral("question"), QStringLiteral("answer"));
    QPointer<frmMainDGL> display = new frmMainDGL(*saver_, Patterns::table());
    display->showSaver();
    return display;
  }

 private slots:
  void inputEndsTheTrialOnly_data() {
    QTest::addColumn<QString>("input");
    QTest::addRow("key") << "key";
    QTest::addRow("click") << "click";
    QTest::addRow("mouse jump") << "jump";
  }
  void inputEndsTheTrialOnly() {
    QFETCH(QString, input);
    QPointer<frmMainDGL> display = startTrial();
    QVERIFY(display);
    QSignalSpy ended(display.data(), &frmMainDGL::ended);
    QVERIFY(QTest::qWaitForWindowExposed(display));
    QCOMPARE(display->cursor().shape(), Qt::BlankCursor);

    if (input == "key") {
      QTest::keyClick(display, Qt::Key_A);
    } else if (input == "click") {
      QTest::mouseClick(display, Qt::LeftButton, {}, QPoint(10, 10));
    } else {
      QTest::mouseMove(display, QPoint(100, 100));
      QVERIFY(display);  // the first move only records
      QTest::mouseMove(display, QPoint(110, 110));
      QVERIFY(display);  // 10 px holds
      QTest::mouseMove(display, QPoint(140, 110));
    }
    QTRY_VERIFY(!display);
    QCOMPARE(ended.count(), 1);
    // The program goes on: the application was not asked to quit.
    QVERIFY(!QCoreApplication::closingDown());
  }

  void runningDisplayHoldsTheLock() {
    QPointer<frmMainDGL> display = startTrial();
    DisplayLock other(home_.path());
    QVERIFY(other.heldElsewhere());
    display->close();
    QTRY_VERIFY(!display);
    QVERIFY(!other.heldElsewhere());
  }

  void patternsRunInTheWindow() {
    QPointer<frmMainDGL> display = startTrial();
    // Two main-cycle ticks, then the pattern shows labels.
    QTRY_VERIFY_WITH_TIMEOUT(display->cycle().patternNumber() != 0, 2000);
    QCOMPARE(display->stage().SW, int16_t(display->width()));
    display->close();
  }
};

QTEST_MAIN(tst_FrmMainDgl)
#include "tst_frm_main_dgl.moc"
