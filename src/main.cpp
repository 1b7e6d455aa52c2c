// Start-up: one executable is both the screen saver and its settings program.
#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QStandardPaths>
#include <QTextStream>
#include <cstdio>

#include "display/frm_main_dgl.h"
#include "display/trace_runner.h"
#include "patterns/pattern.h"
#include "platform/clipboard.h"
#include "platform/display_lock.h"
#include "platform/font_substitutes.h"
#include "platform/qt_user_dialogs.h"
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
  in.configHome = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
  in.dataFolder = QStringLiteral(DRIFTGLYPH_DATA_DIR);
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

// The show-saver procedure: the display covers the screen and runs until input ends it.
void showSaver(QuorlSaver& saver) {
  saver.configMode = false;
  auto* display = new frmMainDGL(saver, Patterns::table());
  display->showSaver();
}

// The settings dialog, not modal; the program ends when it closes.
void showSettings(QuorlSaver& saver) {
  saver.configMode = true;
  auto* dialogs = new QtUserDialogs;
  auto* clipboard = new SystemClipboard;
  auto* settings = new frmSetting(saver, *dialogs, *clipboard);
  dialogs->setParent(settings);
  settings->setAttribute(Qt::WA_DeleteOnClose);
  QObject::connect(settings, &QObject::destroyed, [dialogs, clipboard] {
    delete dialogs;
    delete clipboard;
  });
  settings->show();
}

}  // namespace

int main(int argc, char* argv[]) {
  QStringList arguments;
  for (int i = 1; i < argc; ++i) arguments.append(QString::fromLocal8Bit(argv[i]));
  const StartupCommand command = CommandLine::parse(arguments);

  if (command.action == StartupCommand::Action::Help) {
    if (!command.error.isEmpty()) std::fprintf(stderr, "driftglyph: %s\n\n", qPrintable(command.error));
    std::fputs(qPrintable(CommandLine::helpText()), command.error.isEmpty() ? stdout : stderr);
    return command.error.isEmpty() ? 0 : 2;
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

  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("driftglyph"));
  FontSubstitutes::install();

  QuorlSaver saver(resolveHome(command));
  QDir().mkpath(saver.homeFolder());

  // A running display owns the screen: a second start ends at once, silently.
  // Trace mode draws nothing on screen, so the rule never stops it.
  if (command.action != StartupCommand::Action::Trace && DisplayLock(saver.homeFolder()).heldElsewhere())
    return 0;

  saver.random.reseedFromClock();

  switch (command.action) {
    case StartupCommand::Action::Trace:
      return runTrace(saver, command);
    case StartupCommand::Action::Show:
      showSaver(saver);
      break;
    default:
      showSettings(saver);
      break;
  }
  return app.exec();
}
