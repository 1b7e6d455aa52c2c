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
  // As offered to the user: the name, and where another profile has the
  // same name, its place ("User 1 (Flatpak)").
  QString label;
};

// Where the program keeps its profiles on this system: $XDG_DATA_HOME/Anki2
// (else ~/.local/share/Anki2) and the Flatpak's ~/.var/app/net.ankiweb.Anki/data/Anki2;
// %APPDATA%\Anki2 on Windows. Only folders that exist.
QStringList dataFolders();

// The profiles in those folders, sorted by label with numbers as numbers.
QList<Profile> profiles();

// How a live collection was found: closed, or left by a program that ended
// without tidying up (its log was read with it).
enum class LiveState { Closed, LeftUntidy };

// Opens a profile's collection without ever writing, locking or changing
// anything in the profile folder:
//  - a program holding SQLite's lock on it (see SqliteLockProbe) has it
//    open: Locked;
//  - a collection in the rollback-journal mode without a hot journal is
//    read in place, read-only;
//  - otherwise (WAL mode, or a log left by a program that crashed) the
//    collection and its log are copied into `copyFolder` and read there,
//    where SQLite applies the log, provided neither changed while copied.
std::variant<std::unique_ptr<Collection>, AnkiError> openLive(const QString& profileFolder,
                                                              const QTemporaryDir& copyFolder,
                                                              LiveState* state = nullptr);
// The same for a collection file wherever it lies.
std::variant<std::unique_ptr<Collection>, AnkiError> openLiveFile(const QString& path, const QTemporaryDir& copyFolder,
                                                                  LiveState* state = nullptr);

}  // namespace AnkiProfile
