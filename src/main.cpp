// Start-up: one executable is both the screen saver and its settings program.
#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QTextStream>
#include <cstdio>

#include "display/frm_main_dgl.h"
#include "display/hosted_display.h"
#include "display/trace_runner.h"
#include "patterns/pattern.h"
#include "platform/clipboard.h"
#include "platform/desktop.h"
#include "platform/display_lock.h"
#include "platform/font_substitutes.h"
#include "platform/qt_translations.h"
#include "platform/qt_user_dialogs.h"
#include "platform/frame_surfaces.h"
#include "platform/owner_window.h"
#include "platform/termination_signals.h"
#include "platform/user_folders.h"
#include "settings/frm_setting.h"
#include "startup/command_line.h"
#include "startup/home_folder.h"
#include "startup/quorl_saver.h"

namespace {

QString resolveHome(const StartupCommand& command) {
  HomeFolderInputs in;
  in.optionHome = command.home;
  in.environmentHome = qEnvironmentVariable("DRIFTGLYPH_HOME");
  in.executableFolder = QCoreApplication::applicationDirPath();
  in.userHome = UserFolders::home();
  in.dataFolder = QDir::cleanPath(QDir(in.executableFolder).absoluteFilePath(QStringLiteral(DRIFTGLYPH_DATA_DIR)));
  return HomeFolder::resolve(in);
}

int runTrace(QuorlSaver& saver, const StartupCommand& command) {
  TraceOptions options;
  options.runs = command.traceRuns;
  options.size = command.traceSize;
  options.seed = command.traceSeed;
  options.framesFolder = command.framesFolder;
  QTextStream out(stdout);
  return TraceRunner::run(saver, Patterns::table(), options, out);
}

// Counts the ticks of a running display, for measuring the cost of a frame
// from outside; reported on stderr at exit only when DRIFTGLYPH_TICK_REPORT is set.
class TickReport {
 public:
  void count(const DisplayEngine& engine) {
    if (qEnvironmentVariableIsSet("DRIFTGLYPH_TICK_REPORT"))
      QObject::connect(&engine, &DisplayEngine::frameChanged, [this] { ++ticks_; });
  }
  ~TickReport() {
    if (qEnvironmentVariableIsSet("DRIFTGLYPH_TICK_REPORT")) std::fprintf(stderr, "ticks %lld\n", ticks_);
  }

 private:
  qint64 ticks_ = 0;
};

// The show-saver procedure: the display covers the screen and runs until input ends it.
// False when another display took the lock between the probe and now: two
// starts at the same instant show one display, and the later one ends silently.
bool showSaver(QuorlSaver& saver, TickReport& report) {
  auto* display = new frmMainDGL(saver, Patterns::table(), DisplayRun::Show, &FrameSurfaces::forWindow);
  if (!display->ownsDisplayLock()) {
    delete display;
    return false;
  }
  report.count(display->engine());
  display->showSaver();
  // Ended from outside: grabs, cursor and lock are given back as on input.
  QObject::connect(new TerminationSignals(display), &TerminationSignals::received, display,
                   &frmMainDGL::EndQuoSaver);
  return true;
}

// Hack mode: the display draws into the host's window until the host ends
// the program with a signal or destroys the window; both end it with status 0.
std::unique_ptr<HostedDisplay> showInHost(QuorlSaver& saver, std::unique_ptr<HostWindow> host, TickReport& report) {
  auto hosted = std::make_unique<HostedDisplay>(saver, Patterns::table(), std::move(host));
  report.count(hosted->engine());
  QObject::connect(hosted.get(), &HostedDisplay::hostGone, qApp, &QCoreApplication::quit);
  QObject::connect(new TerminationSignals(hosted.get()), &TerminationSignals::received, qApp,
                   &QCoreApplication::quit);
  hosted->start();
  return hosted;
}

// The settings dialog, not modal; the program ends when it closes. Opened
// for a system window (`owner`), it belongs to that window and is modal to it.
void showSettings(QuorlSaver& saver, quint64 owner) {
  auto* dialogs = new QtUserDialogs;
  auto* clipboard = new SystemClipboard;
  auto* settings = new frmSetting(saver, *dialogs, *clipboard);
  dialogs->setParent(settings);
  settings->setAttribute(Qt::WA_DeleteOnClose);
  QObject::connect(settings, &QObject::destroyed, [dialogs, clipboard] {
    delete dialogs;
    delete clipboard;
  });
  if (owner) OwnerWindow::attach(*settings, owner);
  settings->show();
}

// A /c switch whose window handle is wrong: said on one line and in a box,
// since the settings were asked for from the desktop.
bool refuseOwner(const StartupCommand& command) {
  QString line = command.error;
  QString box = QStringLiteral("設定を開けません。ウィンドウのハンドルが正しくありません。");
  if (line.isEmpty() && command.ownerWindow && !OwnerWindow::exists(command.ownerWindow))
    line = QStringLiteral("/c: there is no window %1").arg(command.ownerWindow);
  if (line.isEmpty()) return false;
  std::fprintf(stderr, "driftglyph: %s\n", qPrintable(line));
  QtUserDialogs().message(box, UserDialogs::Buttons::Ok, UserDialogs::Icon::Warning);
  return true;
}

}  // namespace

int main(int argc, char* argv[]) {
  QStringList arguments;
  for (int i = 1; i < argc; ++i) arguments.append(QString::fromLocal8Bit(argv[i]));
  const StartupCommand command = CommandLine::parse(arguments, qEnvironmentVariable("XSCREENSAVER_WINDOW"));

  if (command.action == StartupCommand::Action::Help) {
    if (!command.error.isEmpty()) {
      std::fprintf(stderr, "driftglyph: %s (see --help)\n", qPrintable(command.error));
      return 2;
    }
    std::fputs(qPrintable(CommandLine::helpText()), stdout);
    return 0;
  }
  if (command.action == StartupCommand::Action::Version) {
    std::printf("driftglyph %s\n", DRIFTGLYPH_VERSION);
    return 0;
  }
  if (command.action == StartupCommand::Action::Trace) {
    // Headless, with a fixed font resolution so traces are the same everywhere.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    if (qEnvironmentVariableIsEmpty("QT_FONT_DPI")) qputenv("QT_FONT_DPI", "96");
  }
  if (command.action == StartupCommand::Action::Nothing) return 0;
  QString why;
  if ((command.action == StartupCommand::Action::Show || command.action == StartupCommand::Action::Configure) &&
      !Desktop::available(&why)) {
    std::fprintf(stderr, "driftglyph: %s\n", qPrintable(why));
    return 2;
  }
  std::unique_ptr<HostWindow> host;
  if (command.action == StartupCommand::Action::Hack) {
    // A host may end a hack the moment it starts: even then it ends cleanly.
    TerminationSignals::install();
    QString error;
    host = FrameSurfaces::openHostWindow(command.hostWindow, &error);
    if (!host) {
      std::fprintf(stderr, "driftglyph: %s\n", qPrintable(error));
      return 2;
    }
  }

  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("driftglyph"));
  QtTranslations::installJapanese(app);
  FontSubstitutes::install();

  if (command.action == StartupCommand::Action::Configure && refuseOwner(command)) return 2;

  QuorlSaver saver(resolveHome(command));
  QDir().mkpath(saver.homeFolder());

  // A running display owns the screen: a second start ends at once, silently.
  // Trace mode draws nothing on screen, so the rule never stops it; a host
  // runs one hack per monitor and previews beside them: no lock there either.
  if (command.action != StartupCommand::Action::Trace && command.action != StartupCommand::Action::Hack &&
      DisplayLock(saver.homeFolder()).heldElsewhere())
    return 0;

  saver.random.reseedFromClock();

  TickReport report;
  std::unique_ptr<HostedDisplay> hosted;  // ends before the application
  switch (command.action) {
    case StartupCommand::Action::Trace:
      return runTrace(saver, command);
    case StartupCommand::Action::Show:
      if (!showSaver(saver, report)) return 0;
      break;
    case StartupCommand::Action::Hack:
      hosted = showInHost(saver, std::move(host), report);
      break;
    default:
      showSettings(saver, command.ownerWindow);
      break;
  }
  return app.exec();
}
