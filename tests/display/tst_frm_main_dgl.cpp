#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QPointer>
#include <QScreen>
#include <QTemporaryDir>
#include <QtTest>
#include <qpa/qplatformnativeinterface.h>
#include <thread>

#include "display/frm_main_dgl.h"
#include "display/screen_covers.h"
#include "patterns/pattern.h"
#include "os/display_lock.h"
#include "backends/frame_surfaces.h"
#include "startup/quorl_saver.h"

namespace {

// The offscreen platform's screens, by name and geometry; the first is primary.
QJsonObject screens(const QList<std::pair<QString, QRect>>& list) {
  QJsonArray array;
  for (const auto& [name, r] : list)
    array.append(QJsonObject{{"name", name}, {"x", r.x()}, {"y", r.y()}, {"width", r.width()}, {"height", r.height()}});
  return QJsonObject{{"screens", array}};
}

const QList<std::pair<QString, QRect>> kThreeScreens{
    {"one", QRect(0, 0, 800, 600)}, {"two", QRect(800, 0, 1024, 768)}, {"three", QRect(-640, 0, 640, 480)}};

// Changes the screens while the program runs, as plugging monitors would.
void setScreens(const QList<std::pair<QString, QRect>>& list) {
  using SetConfiguration = void (*)(const QJsonObject&, QPlatformNativeInterface*);
  QPlatformNativeInterface* native = QGuiApplication::platformNativeInterface();
  auto set = reinterpret_cast<SetConfiguration>(native->nativeResourceForIntegration("setConfiguration"));
  QVERIFY(set);
  set(screens(list), native);
}

QRect screenGeometry(const QString& name) {
  for (QScreen* screen : QGuiApplication::screens())
    if (screen->name() == name) return screen->geometry();
  return {};
}

}  // namespace

// The real display window, run as a trial for the settings dialog, on an
// offscreen desktop of three screens.
class TestFrmMainDgl : public QObject {
  Q_OBJECT

  QTemporaryDir home_;
  std::unique_ptr<QuorlSaver> saver_;

  static QList<QRect> coverGeometries(const frmMainDGL& display) {
    QList<QRect> list;
    for (const ScreenCover* cover : display.covers()->covers()) list.append(cover->geometry());
    std::sort(list.begin(), list.end(), [](QRect a, QRect b) { return a.x() < b.x(); });
    return list;
  }

  // `only`: the one pattern that runs (0: all).
  QPointer<frmMainDGL> startTrial(const QString& picture = {}, bool everyMonitor = false, bool smooth = false, int only = 0) {
    saver_ = std::make_unique<QuorlSaver>(home_.path());
    saver_->extra.everyMonitor = everyMonitor;
    saver_->extra.smooth = smooth;
    for (int k = 0; k < 16 && only > 0; ++k) saver_->settings.patternExcluded[size_t(k)] = k + 1 != only;
    if (!picture.isEmpty()) saver_->settings.backgroundPath = picture;
    saver_->words.append(QStringLiteral("question"), QStringLiteral("answer"));
    QPointer<frmMainDGL> display = new frmMainDGL(*saver_, Patterns::table(), DisplayRun::Trial, &FrameSurfaces::forWindow);
    display->showSaver();
    return display;
  }

 private slots:
  void inputEndsTheTrialOnly_data() {
    QTest::addColumn<QString>("input");
    QTest::addColumn<bool>("onCover");
    QTest::addRow("key") << "key" << false;
    QTest::addRow("click") << "click" << false;
    QTest::addRow("mouse jump") << "jump" << false;
    QTest::addRow("key on a cover") << "key" << true;
    QTest::addRow("click on a cover") << "click" << true;
    QTest::addRow("mouse jump on a cover") << "jump" << true;
  }
  void inputEndsTheTrialOnly() {
    QFETCH(QString, input);
    QFETCH(bool, onCover);
    QPointer<frmMainDGL> display = startTrial();
    QVERIFY(display);
    QSignalSpy ended(display.data(), &frmMainDGL::ended);
    QVERIFY(QTest::qWaitForWindowExposed(display));
    QCOMPARE(display->cursor().shape(), Qt::BlankCursor);
    QList<QPointer<ScreenCover>> covers;
    for (ScreenCover* cover : display->covers()->covers()) covers.append(cover);
    QCOMPARE(covers.size(), 2);
    QWidget* target = onCover ? static_cast<QWidget*>(covers.first()) : display.data();
    QCOMPARE(target->cursor().shape(), Qt::BlankCursor);

    if (input == "key") {
      QTest::keyClick(target, Qt::Key_A);
    } else if (input == "click") {
      QTest::mouseClick(target, Qt::LeftButton, {}, QPoint(10, 10));
    } else {
      // The window system says where the pointer is, to the window it entered
      // and to the display that holds the grab; moving there is no jump.
      const QPointF rest = target->mapToGlobal(QPointF(100, 100));
      for (QWidget* window : {static_cast<QWidget*>(display.data()), target}) {
        QEnterEvent entered(window->mapFromGlobal(rest), window->mapFromGlobal(rest), rest);
        QApplication::sendEvent(window, &entered);
      }
      QTest::mouseMove(target, QPoint(100, 100));
      QVERIFY(display);
      // A window moved under a still pointer (as a window manager may place
      // it) is no movement of the mouse.
      QMouseEvent still(QEvent::MouseMove, QPointF(400, 300), target->mapToGlobal(QPointF(100, 100)), Qt::NoButton,
                        Qt::NoButton, Qt::NoModifier);
      QApplication::sendEvent(target, &still);
      QVERIFY(display);
      QTest::mouseMove(target, QPoint(110, 110));
      QVERIFY(display);  // 10 px holds
      QTest::mouseMove(target, QPoint(140, 110));
    }
    QTRY_VERIFY(!display);
    // The covers close with the display.
    for (const QPointer<ScreenCover>& cover : covers) QTRY_VERIFY(!cover);
    QCOMPARE(ended.count(), 1);
    // The program goes on: the application was not asked to quit.
    QVERIFY(!QCoreApplication::closingDown());
  }

  void runningDisplayHoldsTheLock() {
    QPointer<frmMainDGL> display = startTrial();
    DisplayLock other(home_.path());
    // The probe runs on a thread of its own, as another program's would: a
    // Windows mutex is always free to the thread that owns it.
    const auto heldElsewhere = [&other] {
      bool held = false;
      std::thread([&] { held = other.heldElsewhere(); }).join();
      return held;
    };
    QVERIFY(heldElsewhere());
    display->close();
    QTRY_VERIFY(!display);
    QVERIFY(!heldElsewhere());
  }

  void everyOtherScreenIsCovered() {
    QImage picture(3, 2, QImage::Format_RGB32);
    for (int i = 0; i < 6; ++i) picture.setPixel(i % 3, i / 3, qRgb(40 * i, 255 - 40 * i, 7 * i));
    const QString path = home_.filePath(QStringLiteral("tile.bmp"));
    QVERIFY(picture.save(path));
    QPointer<frmMainDGL> display = startTrial(path);
    QCOMPARE(display->geometry(), screenGeometry("one"));
    QCOMPARE(coverGeometries(*display), (QList<QRect>{screenGeometry("three"), screenGeometry("two")}));
    for (ScreenCover* cover : display->covers()->covers()) {
      QVERIFY(cover->isVisible());
      QVERIFY(cover->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
      QVERIFY(cover->windowFlags().testFlag(Qt::FramelessWindowHint));
      // The picture tiled from the cover's top-left corner.
      const QImage shown = cover->grab().toImage();
      for (const QPoint p : {QPoint(0, 0), QPoint(4, 1), QPoint(401, 300)})
        QCOMPARE(shown.pixel(p), picture.pixel(p.x() % 3, p.y() % 2));
    }
    display->close();
    QTRY_VERIFY(!display);
  }

  // Screens come and go while the display runs; it moves when the primary goes.
  void coversFollowTheScreens() {
    QPointer<frmMainDGL> display = startTrial();
    QTRY_VERIFY(display->cycle().cycleState() == 1);

    setScreens({kThreeScreens[0], kThreeScreens[1]});
    QCOMPARE(coverGeometries(*display), QList<QRect>{screenGeometry("two")});

    setScreens({kThreeScreens[0], kThreeScreens[1], {"four", QRect(1824, 0, 400, 300)}});
    QCOMPARE(coverGeometries(*display), (QList<QRect>{screenGeometry("two"), QRect(1824, 0, 400, 300)}));

    setScreens({{"one", QRect(0, 0, 640, 480)}, kThreeScreens[1], {"four", QRect(1824, 0, 400, 300)}});
    QTRY_COMPARE(display->stage().SW, int16_t(640));  // the primary screen's new size

    setScreens({kThreeScreens[1], {"four", QRect(1824, 0, 400, 300)}});
    const QRect primary = QGuiApplication::primaryScreen()->geometry();
    QTRY_COMPARE(display->geometry(), primary);
    QCOMPARE(coverGeometries(*display).size(), 1);
    QVERIFY(!coverGeometries(*display).contains(primary));
    // The cycle starts anew and measures the new screen.
    QTRY_COMPARE(display->stage().SW, int16_t(primary.width()));

    display->close();
    QTRY_VERIFY(!display);
    setScreens(kThreeScreens);
  }

  // Every monitor shows words: each further screen runs a display laid out
  // for it, all on the same word at the same time; screens may come and go.
  void everyScreenShowsWords() {
    QPointer<frmMainDGL> display = startTrial({}, true);
    saver_->words.append(QStringLiteral("second"), QStringLiteral("pair"));
    saver_->settings.wordOrder = 1;
    auto showing = [&] {
      for (const ScreenCover* cover : display->covers()->covers())
        if (!cover->engine() || cover->engine()->frame().labels.isEmpty() ||
            cover->engine()->cycle().wordIndex() != display->cycle().wordIndex() ||
            cover->engine()->stage().SW != cover->width())
          return false;
      return !display->engine().frame().labels.isEmpty();
    };
    QTRY_VERIFY_WITH_TIMEOUT(showing(), 5000);
    // A screen added runs one too; one removed takes its display with it.
    setScreens({kThreeScreens[0], kThreeScreens[1], {"four", QRect(1824, 0, 400, 300)}});
    QCOMPARE(display->covers()->covers().size(), 2);
    QTRY_VERIFY_WITH_TIMEOUT(showing(), 8000);
    setScreens(kThreeScreens);
    QTRY_VERIFY_WITH_TIMEOUT(showing(), 8000);
    // Input on any of them ends all.
    QTest::keyClick(display->covers()->covers().at(1), Qt::Key_A);
    QTRY_VERIFY(!display);
  }

  // Smooth motion: frames between the ticks; without it one frame a tick.
  void smoothMotionDrawsBetweenTicks_data() {
    QTest::addColumn<bool>("smooth");
    QTest::addRow("smooth") << true;
    QTest::addRow("tick by tick") << false;
  }
  void smoothMotionDrawsBetweenTicks() {
    QFETCH(bool, smooth);
    QPointer<frmMainDGL> display = startTrial({}, false, smooth, 13);  // MerryGoRound: the rings turn
    QTRY_VERIFY_WITH_TIMEOUT(display->cycle().patternNumber() == 13, 2000);
    // Frames are counted over ticks of the display's own, not over a time:
    // the rings turn a step a tick up to phase 20, and the phase counter moves
    // at the end of each tick, so the frames of the tick of phase p (the one
    // it draws and those gliding on to the next) see p + 1. Counted: those of
    // the twelve ticks of phases 4 to 15.
    constexpr int kFirst = 4, kTicks = 12;
    int frames = 0;
    int lastPhase = -1;
    bool counting = false, counted = false;
    QObject counter;  // goes first, and with it the connection
    connect(&display->engine(), &DisplayEngine::frameChanged, &counter, [&] {
      const int phase = display->stage().PH;
      if (!counted && lastPhase == kFirst && phase == kFirst + 1) counting = true;
      if (counting && phase > kFirst + kTicks) {
        counting = false;
        counted = true;
      }
      if (counting) ++frames;
      lastPhase = phase;
    });
    QTRY_VERIFY_WITH_TIMEOUT(counted, 30000);
    // Speed 3: a tick every 81 ms, at 60 Hz about five frames each when smooth.
    if (smooth)
      QVERIFY2(frames >= 2 * kTicks, qPrintable(QString::number(frames)));
    else
      QCOMPARE(frames, kTicks);
    display->close();
    QTRY_VERIFY(!display);
  }

  void patternsRunInTheWindow() {
    QPointer<frmMainDGL> display = startTrial();
    // Two main-cycle ticks, then the pattern shows labels.
    QTRY_VERIFY_WITH_TIMEOUT(display->cycle().patternNumber() != 0, 2000);
    QCOMPARE(display->stage().SW, int16_t(display->width()));
    display->close();
  }
};

int main(int argc, char* argv[]) {
  // Three screens side by side, written where the offscreen platform reads them.
  QTemporaryDir folder(QDir::current().filePath(QStringLiteral("screens-XXXXXX")));
  const QString config = folder.filePath("screens.json");
  QFile file(config);
  if (!file.open(QIODevice::WriteOnly)) return 1;
  file.write(QJsonDocument(screens(kThreeScreens)).toJson());
  file.close();
  // Relative: a drive letter's colon would end the platform's argument.
  qputenv("QT_QPA_PLATFORM", ("offscreen:configfile=" + QDir::current().relativeFilePath(config)).toLocal8Bit());
  QApplication app(argc, argv);
  TestFrmMainDgl test;
  return QTest::qExec(&test, argc, argv);
}
#include "tst_frm_main_dgl.moc"
