#include "app/gui_session.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QIcon>

#include "anki/anki_link.h"
#include "desktop/font_substitutes.h"
#include "desktop/qt_translations.h"
#include "desktop/window_system.h"
#include "os/console.h"
#include "os/display_lock.h"
#include "os/user_folders.h"
#include "startup/home_folder.h"

std::unique_ptr<QuorlSaver> openSaver(const StartupCommand& command, HomeUse use) {
  HomeFolderInputs in;
  in.optionHome = command.home;
  in.environmentHome = qEnvironmentVariable("DRIFTGLYPH_HOME");
  in.executableFolder = QCoreApplication::applicationDirPath();
  in.userHome = UserFolders::home();
  in.dataFolder = QDir::cleanPath(QDir(in.executableFolder).absoluteFilePath(QStringLiteral(DRIFTGLYPH_DATA_DIR)));
  auto saver = std::make_unique<QuorlSaver>(use == HomeUse::Seed ? HomeFolder::resolve(in) : HomeFolder::locate(in));
  saver->setDefaultsFolder(HomeFolder::defaultsSource(in));
  return saver;
}

bool chooseSessionDesktop() {
  WindowSystem::choose(WindowSystem::Use::Session);
  QString why;
  if (WindowSystem::available(&why)) return true;
  Console::printErr(QStringLiteral("driftglyph: %1\n").arg(why));
  return false;
}

GuiSession::GuiSession(int& argc, char** argv) : app(argc, argv) {
  QApplication::setApplicationName(QStringLiteral("driftglyph"));
  // Every window of ours, the message boxes and file choosers too, shows the
  // program's icon (in each size the build drew; none where it drew none).
  QIcon icon;
  for (const QFileInfo& size : QDir(QStringLiteral(":/icons")).entryInfoList(QDir::Files)) icon.addFile(size.filePath());
  QApplication::setWindowIcon(icon);
  QtTranslations::installJapanese(app);
  FontSubstitutes::install();
}

QuorlSaver& GuiSession::openHome(const StartupCommand& command) {
  saver_ = openSaver(command);
  saver_->setExtraSource(AnkiLink::extraSource());
  saver_->random.reseedFromClock();
  return *saver_;
}

bool GuiSession::anotherDisplayRuns() { return DisplayLock(saver_->homeFolder()).heldElsewhere(); }
