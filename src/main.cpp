// Start-up: one executable is both the screen saver and its settings program.
#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QTextStream>
#include <cstdio>
#include <optional>

#include "anki/anki_link.h"
#include "display/frm_main_dgl.h"
#include "display/hosted_display.h"
#include "display/trace_runner.h"
#ifdef DRIFTGLYPH_IDLE
#include "idle/idle_source.h"
#include "idle/idle_watcher.h"
#endif
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
#include "editor/import_command.h"
#include "settings/frm_setting.h"
#include "startup/command_line.h"
#include "startup/home_folder.h"
#include "startup/quorl_saver.h"

namespace {

HomeFolderInputs homeInputs(const StartupCommand& command) {
  HomeFolderInputs in;
  in.optionHome = command.home;
  in.environmentHome = qEnvironmentVariable("DRIFTGLYPH_HOME");
  in.executableFolder = QCoreApplication::applicationDirPath();
  in.userHome = UserFolders::home();
  in.dataFolder = QDir::cleanPath(QDir(in.executableFolder).absoluteFilePath(QStringLiteral(DRIFTGLYPH_DATA_DIR)));
  return in;
}

// --import: converts a file into a word list, no window, no home folder.
int runImport(int argc, char* argv[], const StartupCommand& command) {
  QCoreApplication app(argc, argv);
  QTextStream out(stdout);
  QTextStream err(stderr);
  return ImportCommand::run({command.importFile, command.importOutput, command.importDeck, command.questionField,
                             command.answerField},
                            out, err);
}

// --list-words: the pairs the display would show now, from whichever source
// the settings choose; a line on stderr when the flashcard link could not
// read its profile and shows its snapshot, or nothing of it.
int listWords(QuorlSaver& saver) {
  QTextStream err(stderr);
  saver.setExtraSource(AnkiLink::extraSource([&err](const AnkiLink::Result& link) {
    if (!link.error || link.error == AnkiError::NoPairs) return;
    err << "driftglyph: Anki: " << AnkiErrors::english(*link.error) << "; ";
    if (link.snapshotTaken)
      err << "showing the snapshot of " << link.snapshotTaken->toString(Qt::ISODate) << Qt::endl;
    else
      err << "showing the list the settings choose" << Qt::endl;
  }));
  saver.load();
  QTextStream out(stdout);
  for (int i = 1; i <= saver.words.count(); ++i) out << saver.words.question(i) << '\t' << saver.words.answer(i) << '\n';
  out.flush();
  return 0;
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
// from outside; reported on stderr when the display has ended, only when
// DRIFTGLYPH_TICK_REPORT is set.
class TickReport {
 public:
  void count(const DisplayEngine& engine) {
    if (qEnvironmentVariableIsSet("DRIFTGLYPH_TICK_REPORT"))
      QObject::connect(&engine, &DisplayEngine::frameChanged, [this] { ++ticks_; });
  }
  // Before a host's signal ends the program, which skips destructors.
  void print() const {
    if (qEnvironmentVariableIsSet("DRIFTGLYPH_TICK_REPORT")) std::fprintf(stderr, "ticks %lld\n", ticks_);
  }

 private:
  qint64 ticks_ = 0;
};

// The show-saver procedure: the display covers the screen and runs until
// input or a termination signal ends it; either way grabs, cursor and lock
// are given back and the program ends with status 0.
// False when another display took the lock between the probe and now: two
// starts at the same instant show one display, and the later one ends silently.
bool showSaver(QuorlSaver& saver, TerminationSignals& endSignals, TickReport& report) {
  auto* display = new frmMainDGL(saver, Patterns::table(), DisplayRun::Show, &FrameSurfaces::forWindow);
  if (display->anotherDisplayRuns()) {
    delete display;
    return false;
  }
  if (!display->lock().unavailable().isEmpty())
    std::fprintf(stderr, "driftglyph: showing without the single-instance lock: %s\n",
                 qPrintable(display->lock().unavailable()));
  report.count(display->engine());
  display->showSaver();
  QObject::connect(&endSignals, &TerminationSignals::received, display, &frmMainDGL::EndQuoSaver);
  return true;
}

// Hack mode: the display draws into the host's window until the host
// destroys the window (status 0) or ends the program with a signal, by which
// the program then ends, once cleaned up, as hosts expect of their hacks.
std::unique_ptr<HostedDisplay> showInHost(QuorlSaver& saver, std::unique_ptr<HostWindow> host,
                                          TerminationSignals& endSignals, int& endedBy, TickReport& report) {
  auto hosted = std::make_unique<HostedDisplay>(saver, Patterns::table(), std::move(host));
  report.count(hosted->engine());
  QObject::connect(hosted.get(), &HostedDisplay::hostGone, qApp, &QCoreApplication::quit);
  QObject::connect(&endSignals, &TerminationSignals::received, qApp, [&endedBy](int number) {
    if (!endedBy) endedBy = number;
    QCoreApplication::quit();
  });
  hosted->start();
  return hosted;
}

// The settings dialog, not modal; the program ends when it closes. Opened
// for a system window (`owner`), it belongs to that window and is modal to it.
// A home folder that cannot hold the settings is said at once, not first
// when OK fails.
void showSettings(QuorlSaver& saver, quint64 owner) {
  auto* dialogs = new QtUserDialogs;
  auto* clipboard = new SystemClipboard;
  auto* settings = new frmSetting(saver, *dialogs, *clipboard);
  dialogs->setParent(settings);
  settings->setAttribute(Qt::WA_DeleteOnClose);
  // The program ends with the dialog, even where a window of the system
  // (the owner's stand-in) still counts as open.
  QObject::connect(settings, &QObject::destroyed, [dialogs, clipboard] {
    delete dialogs;
    delete clipboard;
    QCoreApplication::quit();
  });
  if (owner) OwnerWindow::attach(*settings, owner);
  settings->show();
  const QString why = HomeFolder::whyNotWritable(saver.homeFolder());
  if (!why.isEmpty())
    dialogs->message(QStringLiteral("このフォルダには設定を保存できません。\n%1\n%2")
                         .arg(QDir::toNativeSeparators(saver.homeFolder()), why),
                     UserDialogs::Buttons::Ok, UserDialogs::Icon::Warning);
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

// --idle: stays for the session and shows the display whenever the session
// has been idle long enough; ends with status 0 on SIGTERM (taking a running
// display with it) or when the session's window system goes away.
int watchIdle(int argc, char* argv[], const StartupCommand& command) {
#ifdef DRIFTGLYPH_IDLE
  TerminationSignals::install();
  QCoreApplication app(argc, argv);
  QString why;
  const std::unique_ptr<IdleSource> source = IdleSource::open(command.idleMs, &why);
  if (!source) {
    std::fprintf(stderr, "driftglyph: --idle: %s\n", qPrintable(why));
    return 2;
  }
  QStringList display;
  if (!command.home.isEmpty()) display << QStringLiteral("--home") << command.home;
  display << QStringLiteral("/s");
  IdleWatcher watcher(*source, QCoreApplication::applicationFilePath(), display);
  TerminationSignals endSignals;
  QObject::connect(&endSignals, &TerminationSignals::received, &app, [&watcher] {
    watcher.endDisplay();
    QCoreApplication::quit();
  });
  QObject::connect(source.get(), &IdleSource::gone, &app, &QCoreApplication::quit);
  return app.exec();
#else
  (void)argc, (void)argv, (void)command;
  std::fprintf(stderr, "driftglyph: --idle: not on this system, whose own screen-saver settings start the display\n");
  return 2;
#endif
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
  if (command.action == StartupCommand::Action::Import) return runImport(argc, argv, command);
  if (command.action == StartupCommand::Action::ListWords) {
    QCoreApplication app(argc, argv);
    const HomeFolderInputs homeFrom = homeInputs(command);
    QuorlSaver saver(HomeFolder::resolve(homeFrom));
    saver.setDefaultsFolder(HomeFolder::defaultsSource(homeFrom));
    return listWords(saver);
  }
  if (command.action == StartupCommand::Action::Idle) return watchIdle(argc, argv, command);
  const bool opensWindows =
      command.action == StartupCommand::Action::Show || command.action == StartupCommand::Action::Configure;
  if (opensWindows) Desktop::chooseWindowSystem();
  QString why;
  if (opensWindows && !Desktop::available(&why)) {
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

  const HomeFolderInputs homeFrom = homeInputs(command);
  QuorlSaver saver(HomeFolder::resolve(homeFrom));
  saver.setDefaultsFolder(HomeFolder::defaultsSource(homeFrom));
  saver.setExtraSource(AnkiLink::extraSource());

  // A running display owns the screen: a second start ends at once, silently.
  // Trace mode draws nothing on screen, so the rule never stops it; a host
  // runs one hack per monitor and previews beside them: no lock there either.
  if (command.action != StartupCommand::Action::Trace && command.action != StartupCommand::Action::Hack &&
      DisplayLock(saver.homeFolder()).heldElsewhere())
    return 0;

  saver.random.reseedFromClock();

  TickReport report;
  std::optional<TerminationSignals> endSignals;
  int endedBy = 0;                        // the signal that ended hack mode
  std::unique_ptr<HostedDisplay> hosted;  // ends before the application
  switch (command.action) {
    case StartupCommand::Action::Trace:
      return runTrace(saver, command);
    case StartupCommand::Action::Show:
      if (!showSaver(saver, endSignals.emplace(), report)) return 0;
      break;
    case StartupCommand::Action::Hack:
      hosted = showInHost(saver, std::move(host), endSignals.emplace(), endedBy, report);
      break;
    default:
      showSettings(saver, command.ownerWindow);
      break;
  }
  const int status = app.exec();
  hosted.reset();
  endSignals.reset();
  report.print();
  if (endedBy) TerminationSignals::endBy(endedBy);
  return status;
}
