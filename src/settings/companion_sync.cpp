#include "settings/companion_sync.h"

#include <QDir>
#include <QFileInfo>

#include "desktop/user_dialogs.h"
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

// The folder the search for the companion starts in: the root of the
// program's drive.
QString searchStart(const QuorlSaver& saver) {
  const QString drive = Paths::driveOf(saver.homeFolder());
  return drive.isEmpty() ? QDir::rootPath() : drive + u'/';
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
  UserDialogs::FileRequest request;
  request.initialFolder = searchStart(saver);
  request.filter = QStringLiteral("Quorl.exe|Quorl.exe");
  const QString chosen = dialogs.openFile(request);
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
