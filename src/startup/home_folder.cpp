#include "startup/home_folder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "startup/paths.h"

namespace HomeFolder {

namespace {

bool isWritableFolder(const QString& path) {
  const QFileInfo info(path);
  return !path.isEmpty() && info.isDir() && info.isWritable();
}

}  // namespace

void seed(const QString& home, const QString& dataFolder) {
  QDir().mkpath(home);
  for (const QString& name : {QStringLiteral("DEFAULT.dgl"), QStringLiteral("DEFAULT.jpg")}) {
    const QString target = Paths::join(home, name);
    const QString source = Paths::join(dataFolder, name);
    if (!QFileInfo::exists(target) && QFileInfo::exists(source)) QFile::copy(source, target);
  }
}

QString resolve(const HomeFolderInputs& in) {
  if (!in.optionHome.isEmpty()) return QDir(in.optionHome).absolutePath();
  if (!in.environmentHome.isEmpty()) return QDir(in.environmentHome).absolutePath();
  if (isWritableFolder(in.executableFolder) &&
      QFileInfo::exists(Paths::join(in.executableFolder, QStringLiteral("DEFAULT.dgl"))))
    return in.executableFolder;
  const QString home = Paths::join(in.configHome, QStringLiteral("driftglyph"));
  seed(home, in.dataFolder);
  return home;
}

}  // namespace HomeFolder
