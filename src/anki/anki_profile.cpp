#include "anki/anki_profile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <algorithm>

#include "os/sqlite_lock_probe.h"
#include "startup/file_io.h"
#include "startup/paths.h"

namespace AnkiProfile {

namespace {

// SQLite's file header: the magic, and at bytes 18 and 19 the read and write
// versions, 2 for WAL mode.
constexpr int kHeaderBytes = 100;
constexpr char kMagic[] = "SQLite format 3";

struct FileState {
  qint64 size = -1;
  QDateTime modified;
  bool operator==(const FileState&) const = default;
};

// As people count: "User 2" before "User 10" (runs of digits compared as
// numbers), otherwise without regard to case. The locale's collator does
// not count in every locale.
bool naturalLess(const QString& a, const QString& b) {
  qsizetype i = 0;
  qsizetype j = 0;
  while (i < a.size() && j < b.size()) {
    if (a.at(i).isDigit() && b.at(j).isDigit()) {
      const qsizetype startA = i;
      const qsizetype startB = j;
      while (i < a.size() && a.at(i).isDigit()) ++i;
      while (j < b.size() && b.at(j).isDigit()) ++j;
      // Without leading zeros, the longer run is the larger number.
      QStringView numberA = QStringView(a).mid(startA, i - startA);
      QStringView numberB = QStringView(b).mid(startB, j - startB);
      while (numberA.size() > 1 && numberA.front() == u'0') numberA = numberA.mid(1);
      while (numberB.size() > 1 && numberB.front() == u'0') numberB = numberB.mid(1);
      if (numberA.size() != numberB.size()) return numberA.size() < numberB.size();
      if (const int order = numberA.compare(numberB); order != 0) return order < 0;
      continue;
    }
    if (const int order = QStringView(a).mid(i, 1).compare(QStringView(b).mid(j, 1), Qt::CaseInsensitive); order != 0)
      return order < 0;
    ++i;
    ++j;
  }
  return a.size() - i < b.size() - j;
}

FileState stateOf(const QString& path) {
  const QFileInfo info(path);
  return {info.exists() ? info.size() : -1, info.lastModified()};
}

}  // namespace

QStringList dataFolders() {
  QStringList candidates;
#ifdef Q_OS_WIN
  const QString appData = qEnvironmentVariable("APPDATA");
  if (!appData.isEmpty()) candidates << Paths::join(appData, QStringLiteral("Anki2"));
#else
  const QString home = QDir::homePath();
  const QString dataHome = qEnvironmentVariable("XDG_DATA_HOME");
  candidates << Paths::join(dataHome.isEmpty() ? home + QStringLiteral("/.local/share") : dataHome, QStringLiteral("Anki2"))
             << home + QStringLiteral("/.var/app/net.ankiweb.Anki/data/Anki2");
#endif
  QStringList folders;
  for (const QString& folder : candidates)
    if (QFileInfo(folder).isDir() && !folders.contains(folder)) folders << folder;
  return folders;
}

QList<Profile> profiles() {
  QList<Profile> found;
  for (const QString& data : dataFolders()) {
    const QStringList names = QDir(data).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
    const bool flatpak = data.contains(QStringLiteral("/net.ankiweb.Anki/"));
    for (const QString& name : names) {
      const QString folder = Paths::join(data, name);
      if (FileIo::isFile(Paths::join(folder, kCollectionName)))
        found.append({name, folder, flatpak ? QStringLiteral("%1 (Flatpak)").arg(name) : name});
    }
  }
  // A name found once needs no place.
  for (Profile& profile : found)
    if (std::count_if(found.begin(), found.end(), [&](const Profile& p) { return p.name == profile.name; }) == 1)
      profile.label = profile.name;
  std::stable_sort(found.begin(), found.end(),
                   [](const Profile& a, const Profile& b) { return naturalLess(a.label, b.label); });
  return found;
}

std::variant<std::unique_ptr<Collection>, AnkiError> openLive(const QString& profileFolder,
                                                              const QTemporaryDir& copyFolder, LiveState* state) {
  const QString path = Paths::join(profileFolder, kCollectionName);
  if (!FileIo::isFile(path)) return AnkiError::NoCollection;
  return openLiveFile(path, copyFolder, state);
}

std::variant<std::unique_ptr<Collection>, AnkiError> openLiveFile(const QString& path, const QTemporaryDir& copyFolder,
                                                                  LiveState* state) {
  const std::optional<FileIo::Start> header = FileIo::readStart(path, kHeaderBytes);
  if (!header) return QFileInfo(path).isFile() ? AnkiError::NoPermission : AnkiError::NoCollection;
  if (header->bytes.size() < kHeaderBytes || !header->bytes.startsWith(kMagic)) return AnkiError::NotCollection;
  if (SqliteLockProbe::probe(path) == SqliteLockProbe::State::Held) return AnkiError::Locked;
  const bool wal = header->bytes.at(18) == 2 || header->bytes.at(19) == 2;
  // The log a program left when it ended without tidying up: its last
  // changes (WAL), or a half-made change to be undone (a hot journal).
  const QString log = path + (wal ? QStringLiteral("-wal") : QStringLiteral("-journal"));
  const bool leftLog = stateOf(log).size > 0;
  if (state) *state = leftLog ? LiveState::LeftUntidy : LiveState::Closed;
  if (!wal && !leftLog) return Collection::open(path, Collection::Access::Live);

  // Read from a copy of ours: even a reader would write beside a WAL file or a hot journal.
  if (!copyFolder.isValid()) return AnkiError::WriteFailed;
  const FileState before = stateOf(path);
  const FileState logBefore = stateOf(log);
  const QString copy = copyFolder.filePath(QStringLiteral("collection"));
  const QString logCopy = copy + (wal ? QStringLiteral("-wal") : QStringLiteral("-journal"));
  QFile::remove(copy);
  QFile::remove(logCopy);
  if (!QFile::copy(path, copy) || (leftLog && !QFile::copy(log, logCopy))) return AnkiError::WriteFailed;
  // Opened by the program while it was copied: the copy may be torn.
  if (stateOf(path) != before || stateOf(log) != logBefore ||
      SqliteLockProbe::probe(path) == SqliteLockProbe::State::Held)
    return AnkiError::Locked;
  return Collection::open(copy, leftLog ? Collection::Access::OwnCopyWithLog : Collection::Access::OwnCopy);
}

}  // namespace AnkiProfile
