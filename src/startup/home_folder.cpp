#include "startup/home_folder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>

#include "startup/file_io.h"
#include "startup/paths.h"
#include "startup/startup_texts.h"

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
    if (QFileInfo::exists(target)) continue;
    QString source = Paths::join(dataFolder, name);
    if (!QFileInfo::exists(source)) source = QStringLiteral(":/defaults/") + name;
    // Written anew rather than copied: the copy is the user's to change and
    // takes the user's umask, not the read-only original's permissions.
    QFile original(source);
    if (original.open(QIODevice::ReadOnly)) FileIo::writeInFolder(home, target, original.readAll());
  }
}

QString whyNotWritable(const QString& folder) {
  const QFileInfo info(folder);
  if (!info.exists()) return StartupTexts::folderMissing();
  if (!info.isDir()) return StartupTexts::folderIsFile();
  // Permissions do not tell it all (a read-only disk, root's rights): try.
  QTemporaryFile probe(Paths::join(folder, QStringLiteral(".driftglyph-XXXXXX")));
  if (!probe.open()) return StartupTexts::folderNotWritable(probe.errorString());
  return QString();
}

QString defaultsSource(const HomeFolderInputs& in) {
  if (QFileInfo::exists(Paths::join(in.executableFolder, QStringLiteral("DEFAULT.dgl")))) return in.executableFolder;
  return in.dataFolder;
}

QString resolve(const HomeFolderInputs& in) {
  QString home;
  if (!in.optionHome.isEmpty())
    home = QDir(in.optionHome).absolutePath();
  else if (!in.environmentHome.isEmpty())
    home = QDir(in.environmentHome).absolutePath();
  else if (isWritableFolder(in.executableFolder) &&
           QFileInfo::exists(Paths::join(in.executableFolder, QStringLiteral("DEFAULT.dgl"))))
    return in.executableFolder;
  else
    home = in.userHome;
  seed(home, defaultsSource(in));
  return home;
}

}  // namespace HomeFolder
