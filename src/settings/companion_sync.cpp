#include "settings/companion_sync.h"

#include <QDir>
#include <QFileInfo>

#include "desktop/user_dialogs.h"
#include "os/user_folders.h"
#include "settings/companion_messages.h"
#include "settings/word_preview.h"
#include "startup/companion_link.h"
#include "startup/file_io.h"
#include "startup/paths.h"
#include "startup/quorl_saver.h"

namespace CompanionSync {

namespace {

using Answer = UserDialogs::Answer;
using Buttons = UserDialogs::Buttons;

// Loads the companion's words and tells the user how it went.
Outcome takeCompanionWords(QuorlSaver& saver, UserDialogs& dialogs) {
  CompanionLink::loadCompanionWords(saver);
  if (saver.companionState != 0) {
    dialogs.message(CompanionMessages::linkedNoWords());
    return Outcome::MarkChanged;
  }
  dialogs.message(CompanionMessages::synced());
  return Outcome::WordsChanged;
}

// The chooser that looks for the companion: on Windows at the root of the
// program's drive; elsewhere the companion, a Windows program, runs under
// Wine: in the Wine prefix's programs folder, else the user's home, with a
// word of what to look for.
UserDialogs::FileRequest companionRequest(const QuorlSaver& saver) {
  UserDialogs::FileRequest request;
  request.filter = QStringLiteral("Quorl.exe|Quorl.exe");
  if (const QString drive = Paths::driveOf(saver.homeFolder()); !drive.isEmpty()) {
    request.initialFolder = drive + u'/';
    return request;
  }
  request.initialFolder = UserFolders::winePrograms();
  if (request.initialFolder.isEmpty()) request.initialFolder = QDir::homePath();
  request.note = CompanionMessages::windowsProgram();
  return request;
}

Outcome linkKnownCompanion(QuorlSaver& saver, UserDialogs& dialogs) {
  SaverSettings& s = saver.settings;
  if (s.ownList != 0) {
    if (dialogs.message(CompanionMessages::askSwitch(), Buttons::YesNo) == Answer::Yes) {
      s.ownList = 0;
      return takeCompanionWords(saver, dialogs);
    }
    dialogs.message(CompanionMessages::kept(WordPreview::listName(s, false)));
    return Outcome::Unchanged;
  }
  dialogs.message(saver.companionState != 0 ? CompanionMessages::noWords() : CompanionMessages::already());
  return Outcome::Unchanged;
}

Outcome locateCompanion(QuorlSaver& saver, UserDialogs& dialogs) {
  if (dialogs.message(CompanionMessages::askInstalled(), Buttons::YesNo) != Answer::Yes) {
    dialogs.message(CompanionMessages::advert());
    return Outcome::Unchanged;
  }
  dialogs.message(CompanionMessages::locate());
  const QString chosen = dialogs.openFile(companionRequest(saver));
  if (chosen.isEmpty() || QFileInfo(chosen).fileName() != QString::fromUtf16(CompanionLink::kCompanionExecutable) ||
      !FileIo::isFile(chosen))
    return Outcome::Unchanged;

  SaverSettings& s = saver.settings;
  s.companionFolder = Paths::parentFolder(chosen);
  s.linkState = 1;
  s.ownList = 0;
  return takeCompanionWords(saver, dialogs);
}

}  // namespace

Outcome run(QuorlSaver& saver, UserDialogs& dialogs) {
  if (saver.settings.linkState == 1) return linkKnownCompanion(saver, dialogs);
  return locateCompanion(saver, dialogs);
}

}  // namespace CompanionSync
