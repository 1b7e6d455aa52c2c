#include "settings/background_choice.h"

#include <QFileInfo>
#include <QImageReader>

#include "display/picture_file.h"
#include "startup/file_io.h"
#include "startup/paths.h"
#include "startup/quorl_saver.h"
#include "settings/settings_texts.h"

namespace BackgroundChoice {

namespace {

QString existingDefaultPicture(const QuorlSaver& saver) {
  const QString path = saver.defaultPicturePath();
  return FileIo::isFile(path) ? path : QString();
}

bool isDefaultPicture(const QuorlSaver& saver, const QString& path) {
  return Paths::samePath(path, saver.defaultPicturePath());
}

}  // namespace

QString filter() {
  const QList<QByteArray> readable = QImageReader::supportedImageFormats();
  QStringList patterns;
  for (const char* format : {"png", "jpg", "jpeg", "bmp", "gif", "webp"})
    if (readable.contains(format)) patterns << QStringLiteral("*.") + QLatin1String(format);
  return SettingsTexts::kPictureFilterName + u'|' + patterns.join(u';');
}

BackgroundView initial(const QuorlSaver& saver) {
  const QString& path = saver.settings.backgroundPath;
  if (path != kDefaultWord && FileIo::isFile(path))
    return BackgroundView{path, QFileInfo(path).fileName(), true};
  return BackgroundView{existingDefaultPicture(saver), kDefaultWord, false};
}

UserDialogs::FileRequest changeRequest(const QuorlSaver& saver) {
  const QString& path = saver.settings.backgroundPath;
  UserDialogs::FileRequest request;
  request.filter = filter();
  request.initialFolder = path == kDefaultWord ? saver.homeFolder() : Paths::parentFolder(path);
  return request;
}

std::optional<BackgroundView> change(QuorlSaver& saver, UserDialogs& dialogs) {
  const QString chosen = dialogs.openFile(changeRequest(saver));
  if (chosen.isEmpty()) return std::nullopt;
  if (PictureFile picture(chosen); !picture.reader().canRead()) {
    dialogs.message(SettingsTexts::kNotAPicture, UserDialogs::Buttons::Ok, UserDialogs::Icon::Warning);
    return std::nullopt;
  }
  saver.settings.backgroundPath = chosen;
  // The default picture chosen by its own file keeps its full path but reads
  // as DEFAULT, with nothing to go back to.
  if (isDefaultPicture(saver, chosen)) return BackgroundView{chosen, kDefaultWord, false};
  return BackgroundView{chosen, QFileInfo(chosen).fileName(), true};
}

BackgroundView restoreDefault(QuorlSaver& saver) {
  saver.settings.backgroundPath = kDefaultWord;
  return BackgroundView{existingDefaultPicture(saver), kDefaultWord, false};
}

}  // namespace BackgroundChoice
