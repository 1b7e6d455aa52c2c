// The settings program (/c): the dialog, and the trial display it starts.
#include <QDir>

#include "app/gui_session.h"
#include "app/run_modes.h"
#include "backends/frame_surfaces.h"
#include "desktop/clipboard.h"
#include "desktop/owner_window.h"
#include "desktop/qt_user_dialogs.h"
#include "os/console.h"
#include "display/frm_main_dgl.h"
#include "patterns/pattern.h"
#include "settings/frm_setting.h"
#include "startup/home_folder.h"

namespace {

// A /c switch whose window handle is wrong: said on one line and in a box,
// since the settings were asked for from the desktop.
bool refuseOwner(const StartupCommand& command) {
  QString line = command.error;
  QString box = QStringLiteral("設定を開けません。ウィンドウのハンドルが正しくありません。");
  if (line.isEmpty() && command.ownerWindow && !OwnerWindow::exists(command.ownerWindow))
    line = QStringLiteral("/c: there is no window %1").arg(command.ownerWindow);
  if (line.isEmpty()) return false;
  Console::printErr(QStringLiteral("driftglyph: %1\n").arg(line));
  QtUserDialogs().message(box, UserDialogs::Buttons::Ok, UserDialogs::Icon::Warning);
  return true;
}

frmMainDGL* startTrial(QuorlSaver& saver) {
  return new frmMainDGL(saver, Patterns::table(), DisplayRun::Trial, &FrameSurfaces::forWindow);
}

}  // namespace

namespace RunModes {

// The settings dialog, not modal; the program ends when it closes. Opened
// for a system window (/c:HANDLE), it belongs to that window and is modal to
// it. A home folder that cannot hold the settings is said at once, not first
// when OK fails.
int configure(int& argc, char** argv, const StartupCommand& command) {
  if (!chooseSessionDesktop()) return 2;
  GuiSession session(argc, argv);
  if (refuseOwner(command)) return 2;
  QuorlSaver& saver = session.openHome(command);
  if (session.anotherDisplayRuns()) return 0;

  auto* dialogs = new QtUserDialogs;
  auto* clipboard = new SystemClipboard;
  auto* settings = new frmSetting(saver, *dialogs, *clipboard, &startTrial);
  dialogs->setParent(settings);
  settings->setAttribute(Qt::WA_DeleteOnClose);
  // The program ends with the dialog, even where a window of the system
  // (the owner's stand-in) still counts as open.
  QObject::connect(settings, &QObject::destroyed, [dialogs, clipboard] {
    delete dialogs;
    delete clipboard;
    QCoreApplication::quit();
  });
  if (command.ownerWindow) OwnerWindow::attach(*settings, command.ownerWindow);
  settings->show();
  const QString homeProblem = HomeFolder::whyNotWritable(saver.homeFolder());
  if (!homeProblem.isEmpty())
    dialogs->message(QStringLiteral("このフォルダには設定を保存できません。\n%1\n%2")
                         .arg(QDir::toNativeSeparators(saver.homeFolder()), homeProblem),
                     UserDialogs::Buttons::Ok, UserDialogs::Icon::Warning);
  return session.app.exec();
}

}  // namespace RunModes
