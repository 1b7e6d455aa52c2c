#pragma once

#include <QDateTime>
#include <QList>
#include <QString>
#include <QTemporaryDir>
#include <memory>
#include <variant>

#include "anki/anki_error.h"
#include "anki/collection.h"

// A profile of the flashcard program: a folder holding its own
// "collection.anki2", under the program's data folder (Anki2).
namespace AnkiProfile {

inline const QString kCollectionName = QStringLiteral("collection.anki2");

struct Profile {
  QString name;    // the folder's name, as the program shows it
  QString folder;  // full path
};

// Where the program keeps its profiles on this system: $XDG_DATA_HOME/Anki2
// (else ~/.local/share/Anki2) and the Flatpak's ~/.var/app/net.ankiweb.Anki/data/Anki2;
// %APPDATA%\Anki2 on Windows. Only folders that exist.
QStringList dataFolders();

// The profiles in those folders, in the order found.
QList<Profile> profiles();

// Opens a profile's collection read-only without ever writing, locking for
// long or changing anything in the profile folder:
//  - a collection in the rollback-journal mode is read in place, read-only;
//    a program holding it locked gives Locked;
//  - a collection in WAL mode whose -wal file is there is open in (or was
//    left by) the program: Locked, since even a read-only reader would have
//    to write beside it;
//  - one in WAL mode without a -wal file is closed and whole: it is copied
//    into `copyFolder` and read there, provided the file stayed the same
//    and no -wal file appeared while it was copied.
std::variant<std::unique_ptr<Collection>, AnkiError> openLive(const QString& profileFolder,
                                                              const QTemporaryDir& copyFolder);
// The same for a collection file wherever it lies.
std::variant<std::unique_ptr<Collection>, AnkiError> openLiveFile(const QString& path, const QTemporaryDir& copyFolder);

}  // namespace AnkiProfile
