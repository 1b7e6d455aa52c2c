#include "startup/quorl_saver.h"

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

void QuorlSaver::load() {
  settings = SaverSettings{};
  if (const std::optional<QByteArray> bytes = FileIo::readAll(settingsPath()))
    settings = SettingsFile::parse(*bytes).settings;

  if (settings.linkState == 0) CompanionLink::findCompanion(*this);
  CompanionLink::loadCompanionWords(*this);
  if (companionState != 0) {
    companionState = settings.linkState;
    loadOwnWordList();
  }
  save();
}

void QuorlSaver::loadOwnWordList() {
  const QString path =
      FileIo::isFile(settings.wordListPath) ? settings.wordListPath : defaultListPath();
  std::optional<WordList> list;
  if (FileIo::isFile(path)) list = WordListFile::read(path);
  words = list.value_or(WordList{});
}

bool QuorlSaver::save(QString* error) const {
  return FileIo::writeAtomically(settingsPath(), SettingsFile::format(settings), error);
}
