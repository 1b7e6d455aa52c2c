// Start-up: one executable is both the screen saver and its settings program.
#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QLabel>
#include <QStandardPaths>
#include <cstdio>

#include "platform/display_lock.h"
#include "platform/font_substitutes.h"
#include "startup/command_line.h"
#include "startup/home_folder.h"
#include "startup/quorl_saver.h"
#include "startup/random_source.h"

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

}  // namespace

int main(int argc, char* argv[]) {
  // Labels reach 110 points; without this Qt re-rasterises large glyphs every frame.
  qputenv("QT_MAX_CACHED_GLYPH_SIZE", "256");

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

  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("driftglyph"));
  FontSubstitutes::install();

  QuorlSaver saver(resolveHome(command));
  QDir().mkpath(saver.homeFolder());

  // A running display owns the screen: a second start ends at once, silently.
  if (DisplayLock(saver.homeFolder()).heldElsewhere()) return 0;

  RandomSource random;
  random.reseedFromClock();

  QLabel placeholder(QStringLiteral("Driftglyph"));
  if (command.action == StartupCommand::Action::Show) {
    saver.configMode = false;
    saver.load();
  } else {
    saver.configMode = true;
    saver.load();
  }
  placeholder.show();
  return app.exec();
}
