#include "startup/quorl_saver.h"

#include <QFileInfo>

#include "startup/companion_link.h"
#include "startup/file_io.h"
#include "startup/paths.h"

QuorlSaver::QuorlSaver(QString homeFolder) : home_(std::move(homeFolder)) {}

QString QuorlSaver::settingsPath() const { return Paths::join(home_, QStringLiteral("DrifStt")); }
QString QuorlSaver::defaultListPath() const { return defaultFile(QStringLiteral("DEFAULT.dgl")); }
QString QuorlSaver::defaultPicturePath() const { return defaultFile(QStringLiteral("DEFAULT.jpg")); }

QString QuorlSaver::defaultFile(const QString& name) const {
  const QString own = Paths::join(home_, name);
  if (defaults_.isEmpty() || FileIo::isFile(own)) return own;
  const QString installed = Paths::join(defaults_, name);
  return FileIo::isFile(installed) ? installed : own;
}

QString QuorlSaver::pictureOrDefault(const QString& path) const {
  return FileIo::isFile(path) ? path : defaultPicturePath();
}

void QuorlSaver::load(Writes writes) {
  settings = SaverSettings{};
  const std::optional<FileIo::Start> start = FileIo::readStart(settingsPath(), kSettingsBytes);
  if (start) settings = SettingsFile::parse(start->bytes).settings;
  // Only a file read whole, or none at all, is written back: never one that
  // holds more than was read, nor a FIFO, device or folder in its place.
  // A file already in canonical form is left alone.
  const bool rewrite =
      writes == Writes::SettingsFile && (start ? start->whole : !QFileInfo::exists(settingsPath()));
  extra = ExtraSettingsFile::load(home_);

  if (settings.linkState == 0) CompanionLink::findCompanion(*this);
  loadWords();
  if (rewrite && (!start || start->bytes != SettingsFile::format(settings))) save();
}

void QuorlSaver::loadWords() {
  CompanionLink::loadCompanionWords(*this);
  if (companionState != 0) {
    companionState = settings.linkState;
    loadOwnWordList();
  }
  extraSourceName_.clear();
  if (!extraSource_) return;
  if (std::optional<ExtraWords> extra = extraSource_(*this)) {
    words = std::move(extra->words);
    extraSourceName_ = std::move(extra->name);
  }
}

void QuorlSaver::loadOwnWordList() {
  const QString path =
      FileIo::isFile(settings.wordListPath) ? settings.wordListPath : defaultListPath();
  std::optional<WordList> list;
  if (FileIo::isFile(path)) list = WordListFile::read(path);
  words = list.value_or(WordList{});
}

bool QuorlSaver::save(QString* error) const {
  return FileIo::writeInFolder(home_, settingsPath(), SettingsFile::format(settings), error);
}
