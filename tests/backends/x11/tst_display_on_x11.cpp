#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>
#include <csignal>
#include <optional>
#include <xcb/xcb.h>

#include "x_windows.h"
#include "xvfb_server.h"

// The real program on a real X server: drawn into a host's window as an
// XScreenSaver hack, and shown full screen under a window manager.
class TestDisplayOnX11 : public QObject {
  Q_OBJECT

  XvfbServer server_;
  xcb_connection_t* x_ = nullptr;
  xcb_screen_t* screen_ = nullptr;
  QTemporaryDir home_;
  QTemporaryDir runtime_;
  QImage picture_;

  QProcessEnvironment environment(const QString& hostWindow = {}) const {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("DISPLAY", server_.display());
    env.insert("XDG_RUNTIME_DIR", runtime_.path());
    env.remove("QT_QPA_PLATFORM");
    env.remove("WAYLAND_DISPLAY");
    env.remove("XSCREENSAVER_WINDOW");
    if (!hostWindow.isEmpty()) env.insert("XSCREENSAVER_WINDOW", hostWindow);
    return env;
  }

  std::unique_ptr<QProcess> start(const QStringList& arguments, const QProcessEnvironment& env) {
    auto process = std::make_unique<QProcess>();
    process->setProcessEnvironment(env);
    process->start(QStringLiteral(DRIFTGLYPH_EXE), QStringList{"--home", home_.path()} + arguments);
    return process;
  }

  xcb_window_t createWindow(QRect where) { return XWindows::create(x_, screen_, where); }
  QImage pixels(xcb_window_t window, QSize size) { return XWindows::pixels(x_, window, size); }

  // What a person would see: the default picture from its top-left corner,
  // the pale cyan pattern name at the top left, and words in the question
  // (white) or answer (pale yellow) colour somewhere below it.
  struct Seen {
    double backgroundShare = 0;
    bool patternName = false;
    bool words = false;
  };
  Seen look(const QImage& image, int fromRow = 0) const {
    Seen seen;
    qsizetype same = 0;
    for (int y = fromRow; y < image.height(); ++y) {
      for (int x = 0; x < image.width(); ++x) {
        const QRgb p = image.pixel(x, y) | 0xff000000;
        if (p == picture_.pixel(x, y)) ++same;
        if (y < 30 && x < 200 && p == qRgb(192, 255, 255)) seen.patternName = true;
        if (y >= 30 && (p == qRgb(255, 255, 255) || p == qRgb(255, 255, 128))) seen.words = true;
      }
    }
    seen.backgroundShare = double(same) / double(image.width() * (image.height() - fromRow));
    return seen;
  }

  void waitForPicture(xcb_window_t window, QSize size) {
    Seen seen;
    const auto shown = [&] {
      seen = look(pixels(window, size));
      return seen.backgroundShare > 0.5 && seen.patternName && seen.words;
    };
    if (QTest::qWaitFor(shown, 20000)) return;
    // What is still missing:
    QVERIFY2(seen.backgroundShare > 0.5, qPrintable(QString::number(seen.backgroundShare)));
    QVERIFY(seen.patternName);
    QVERIFY(seen.words);
  }

  // Whether a window manager runs: the check window it names on the root
  // window exists and names itself. (One that has ended leaves the root
  // window's name behind.)
  bool windowManagerRuns() {
    const char name[] = "_NET_SUPPORTING_WM_CHECK";
    auto* atom = xcb_intern_atom_reply(x_, xcb_intern_atom(x_, 0, uint16_t(sizeof name - 1), name), nullptr);
    if (!atom) return false;
    const auto checkWindowOf = [&](xcb_window_t window) {
      xcb_generic_error_t* error = nullptr;
      auto* property = xcb_get_property_reply(
          x_, xcb_get_property(x_, 0, window, atom->atom, XCB_ATOM_WINDOW, 0, 1), &error);
      xcb_window_t named = XCB_NONE;
      if (property && xcb_get_property_value_length(property) == 4)
        named = *static_cast<const xcb_window_t*>(xcb_get_property_value(property));
      std::free(property);
      std::free(error);
      return named;
    };
    const xcb_window_t check = checkWindowOf(screen_->root);
    const bool runs = check != XCB_NONE && checkWindowOf(check) == check;
    std::free(atom);
    return runs;
  }

  // Whether a window manager has taken the window over (put it into a frame of its own).
  bool managed(xcb_window_t window) {
    auto* reply = xcb_query_tree_reply(x_, xcb_query_tree(x_, window), nullptr);
    const bool framed = reply && reply->parent != screen_->root;
    std::free(reply);
    return framed;
  }

  int rootChildren() {
    auto* reply = xcb_query_tree_reply(x_, xcb_query_tree(x_, screen_->root), nullptr);
    const int count = reply ? reply->children_len : -1;
    std::free(reply);
    return count;
  }

  // Whether another client could take the keyboard or the pointer now.
  bool keyboardOrPointerFree() {
    auto* keyboard = xcb_grab_keyboard_reply(
        x_, xcb_grab_keyboard(x_, 0, screen_->root, XCB_CURRENT_TIME, XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC), nullptr);
    auto* pointer = xcb_grab_pointer_reply(x_,
                                           xcb_grab_pointer(x_, 0, screen_->root, 0, XCB_GRAB_MODE_ASYNC,
                                                            XCB_GRAB_MODE_ASYNC, XCB_NONE, XCB_NONE, XCB_CURRENT_TIME),
                                           nullptr);
    const bool free = (keyboard && keyboard->status == XCB_GRAB_STATUS_SUCCESS) ||
                      (pointer && pointer->status == XCB_GRAB_STATUS_SUCCESS);
    std::free(keyboard);
    std::free(pointer);
    xcb_ungrab_keyboard(x_, XCB_CURRENT_TIME);
    xcb_ungrab_pointer(x_, XCB_CURRENT_TIME);
    xcb_flush(x_);
    return free;
  }

  // The state letter of a process of this user (R, S, T for stopped ...);
  // 0 when it has gone.
  static char processState(qint64 pid) {
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!stat.open(QIODevice::ReadOnly)) return 0;
    // "pid (name) state ...": the name may hold spaces and parentheses.
    const QByteArray line = stat.readAll();
    const qsizetype end = line.lastIndexOf(')');
    return end >= 0 && end + 2 < line.size() ? line.at(end + 2) : 0;
  }

  // Ends promptly and silently, with status 0 or, once cleaned up, by the
  // host's signal as hosts expect of hacks: a host waits a few seconds before it kills.
  static void expectQuietEnd(QProcess& process, int bySignal = 0) {
    QVERIFY(process.waitForFinished(5000));
    QCOMPARE(process.exitStatus(), bySignal ? QProcess::CrashExit : QProcess::NormalExit);
    QCOMPARE(process.exitCode(), bySignal);
    QCOMPARE(process.readAllStandardError(), QByteArray());
  }

 private slots:
  void initTestCase() {
    QString why;
    if (!server_.start(QStringLiteral("1024x768x24"), &why)) QSKIP(qPrintable(why));
    x_ = xcb_connect(qPrintable(server_.display()), nullptr);
    QVERIFY(!xcb_connection_has_error(x_));
    screen_ = xcb_setup_roots_iterator(xcb_get_setup(x_)).data;
    const QDir assets(qEnvironmentVariable("DRIFTGLYPH_TEST_DATA"));
    for (const char* name : {"DEFAULT.dgl", "DEFAULT.jpg"})
      QVERIFY(QFile::copy(assets.filePath(name), QDir(home_.path()).filePath(name)));
    picture_ = QImage(assets.filePath("DEFAULT.jpg")).convertToFormat(QImage::Format_RGB32);
  }

  void cleanupTestCase() {
    if (x_) xcb_disconnect(x_);
  }

  // A window by -window-id and another by --root with XSCREENSAVER_WINDOW,
  // both drawn at the same time by two instances. Both are half the screen
  // each way, so neither is a miniature of the screen: the picture shows at
  // its own size.
  void drawsIntoTheHostsWindows() {
    const QSize small(512, 384), large(512, 384);
    const xcb_window_t preview = createWindow(QRect(QPoint(0, 0), small));
    const xcb_window_t full = createWindow(QRect(QPoint(512, 0), large));
    const int windows = rootChildren();
    auto first = start({"-window-id", QString::number(preview)}, environment());
    auto second = start({"--root"}, environment(QStringLiteral("0x%1").arg(full, 0, 16)));
    waitForPicture(preview, small);
    waitForPicture(full, large);
    QCOMPARE(rootChildren(), windows);  // the hacks made no window of their own

    // The host makes the window taller: the new rows get the picture too.
    const uint32_t grown[] = {512, 700};
    xcb_configure_window(x_, preview, XCB_CONFIG_WINDOW_WIDTH | XCB_CONFIG_WINDOW_HEIGHT, grown);
    xcb_flush(x_);
    QTRY_VERIFY_WITH_TIMEOUT(look(pixels(preview, QSize(512, 700)), 384).backgroundShare > 0.5, 20000);

    for (QProcess* hack : {first.get(), second.get()}) {
      ::kill(pid_t(hack->processId()), SIGTERM);
      expectQuietEnd(*hack, SIGTERM);
    }
    xcb_destroy_window(x_, preview);
    xcb_destroy_window(x_, full);
    xcb_flush(x_);
    // A hack never writes beyond what a display load writes.
    QVERIFY(!QFile::exists(QDir(home_.path()).filePath("frmMainDGL.lock")));
  }

  void endsQuietlyWhenTheHostSaysSo_data() {
    QTest::addColumn<QString>("how");
    QTest::addRow("SIGTERM") << "TERM";
    QTest::addRow("SIGINT") << "INT";
    QTest::addRow("SIGHUP") << "HUP";
    QTest::addRow("window destroyed before the signal") << "destroy";
    // The hack may be blocked on the stopped server: the signal still acts.
    QTest::addRow("SIGTERM while the X server is stopped") << "TERM stopped";
  }
  void endsQuietlyWhenTheHostSaysSo() {
    QFETCH(QString, how);
    const QSize size(512, 384);
    const xcb_window_t window = createWindow(QRect(QPoint(0, 384), size));
    auto hack = start({"-window-id", QStringLiteral("0x%1").arg(window, 0, 16)}, environment());
    QTRY_VERIFY_WITH_TIMEOUT(look(pixels(window, size)).patternName, 20000);
    if (how != "destroy") {
      const int number = how.startsWith("TERM") ? SIGTERM : how == "INT" ? SIGINT : SIGHUP;
      const bool stopServer = how.endsWith("stopped");
      const auto resume = qScopeGuard([&] {
        if (stopServer) ::kill(pid_t(server_.processId()), SIGCONT);
      });
      if (stopServer) {
        ::kill(pid_t(server_.processId()), SIGSTOP);
        QTRY_COMPARE_WITH_TIMEOUT(processState(server_.processId()), 'T', 10000);
        // The hack goes on drawing into the stopped server for a second, a
        // dozen frames. Whether it has come to wait for the server by then
        // shows nowhere (it waits in the kernel, as between two frames), so
        // this wait is bounded; the signal must end it either way.
        QTest::qWait(1000);
      }
      ::kill(pid_t(hack->processId()), number);
      expectQuietEnd(*hack, number);
    }
    xcb_destroy_window(x_, window);
    xcb_flush(x_);
    if (how == "destroy") expectQuietEnd(*hack);
  }

  void refusesWhatItCannotDrawInto_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("hostVariable");
    QTest::addColumn<bool>("withDisplay");
    QTest::addColumn<QString>("message");
    QTest::addRow("no such window") << QStringList{"-window-id", "0x1abcdef"} << "" << true << "no X window";
    QTest::addRow("garbage XSCREENSAVER_WINDOW") << QStringList{"--root"} << "0xzz" << true << "XSCREENSAVER_WINDOW";
    QTest::addRow("no DISPLAY") << QStringList{"--root"} << "" << false << "DISPLAY";
    QTest::addRow("show switch without DISPLAY") << QStringList{"/s"} << "" << false << "DISPLAY";
  }
  void refusesWhatItCannotDrawInto() {
    QFETCH(QStringList, arguments);
    QFETCH(QString, hostVariable);
    QFETCH(bool, withDisplay);
    QFETCH(QString, message);
    QProcessEnvironment env = environment(hostVariable);
    if (!withDisplay) env.remove("DISPLAY");
    auto hack = start(arguments, env);
    QVERIFY(hack->waitForFinished(5000));
    QCOMPARE(hack->exitStatus(), QProcess::NormalExit);
    QCOMPARE(hack->exitCode(), 2);
    const QByteArray error = hack->readAllStandardError();
    QCOMPARE(error.count('\n'), 1);
    QVERIFY2(error.contains(message.toUtf8()), error.constData());
  }

  // Under a window manager, with another application focused, the first key
  // press or click ends the full-screen display, every time.
  void firstInputEndsTheDisplay_data() {
    QTest::addColumn<QStringList>("input");
    QTest::addRow("key") << QStringList{"key", "a"};
    QTest::addRow("click") << QStringList{"click", "1"};
  }
  void firstInputEndsTheDisplay() {
    QFETCH(QStringList, input);
    for (const char* tool : {"openbox", "xdotool", "xmessage"})
      if (QStandardPaths::findExecutable(tool).isEmpty()) QSKIP(qPrintable(QStringLiteral("%1 is not installed").arg(tool)));
    // Runs xdotool; its output, or nothing when it fails.
    auto xdotool = [&](const QStringList& arguments) -> std::optional<QString> {
      QProcess tool;
      tool.setProcessEnvironment(environment());
      tool.start("xdotool", arguments);
      if (!tool.waitForFinished(30000) || tool.exitStatus() != QProcess::NormalExit || tool.exitCode() != 0)
        return std::nullopt;
      return QString::fromLocal8Bit(tool.readAllStandardOutput()).trimmed();
    };
    const auto otherFocused = [&] { return xdotool({"getwindowfocus", "getwindowname"}) == QStringLiteral("xmessage"); };

    // Another application first, then the window manager, which takes it
    // over as it starts and then gives it the focus. (A window mapped while a
    // window manager starts up, or on the way from one to the next, may never
    // be shown.)
    QTRY_VERIFY_WITH_TIMEOUT(!windowManagerRuns(), 20000);
    QProcess manager, other;
    manager.setProcessEnvironment(environment());
    other.setProcessEnvironment(environment());
    other.start("xmessage", {"-geometry", "300x100+10+10", "another application"});
    QTRY_VERIFY_WITH_TIMEOUT(xdotool({"search", "--onlyvisible", "--class", "xmessage"}), 20000);
    const QString otherWindow =
        xdotool({"search", "--onlyvisible", "--class", "xmessage"}).value_or(QString()).section('\n', 0, 0);
    manager.start("openbox", {});
    QTRY_VERIFY_WITH_TIMEOUT(windowManagerRuns() && managed(otherWindow.toUInt()), 20000);
    QVERIFY(xdotool({"windowactivate", "--sync", otherWindow}));

    for (int attempt = 0; attempt < 10; ++attempt) {
      const QByteArray where = "attempt " + QByteArray::number(attempt);
      QTRY_VERIFY2_WITH_TIMEOUT(otherFocused(), where.constData(), 20000);
      auto display = start({"/s"}, environment());
      QTRY_VERIFY2_WITH_TIMEOUT(xdotool({"search", "--onlyvisible", "--name", "frmMainDGL"}), where.constData(), 20000);
      // The display has taken the keyboard and the pointer.
      QTRY_VERIFY2_WITH_TIMEOUT(!keyboardOrPointerFree(), where.constData(), 20000);
      if (attempt == 0) {
        // The whole screen shows the picture and the words, and keys and
        // clicks reach no other application.
        waitForPicture(screen_->root, QSize(1024, 768));
        QVERIFY(!keyboardOrPointerFree());
      }
      QVERIFY2(xdotool(input), where.constData());
      // However long a loaded machine takes, the display ends, and ends well.
      QVERIFY2(display->waitForFinished(30000), where.constData());
      QVERIFY2(display->exitStatus() == QProcess::NormalExit && display->exitCode() == 0,
               (where + ": exit code " + QByteArray::number(display->exitCode())).constData());
    }
    other.kill();
    manager.kill();
    other.waitForFinished();
    manager.waitForFinished();
  }
};

QTEST_GUILESS_MAIN(TestDisplayOnX11)
#include "tst_display_on_x11.moc"
