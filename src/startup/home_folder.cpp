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

const QString kBuiltIn = QStringLiteral(":/defaults");

bool holdsDefaultList(const QString& folder) {
  return !folder.isEmpty() && QFileInfo::exists(Paths::join(folder, QStringLiteral("DEFAULT.dgl")));
}

// A folder's permissions do not tell whether a file can be made there (a
// read-only disk, Windows' protected program folders, root's rights): a
// probe file is made and removed.
bool acceptsFiles(const QString& folder) { return !folder.isEmpty() && HomeFolder::whyNotWritable(folder).isEmpty(); }

}  // namespace

void seed(const QString& home, const QString& dataFolder) {
  QDir().mkpath(home);
  for (const QString& name : {QStringLiteral("DEFAULT.dgl"), QStringLiteral("DEFAULT.jpg")}) {
    const QString target = Paths::join(home, name);
    if (QFileInfo::exists(target)) continue;
    QString source = Paths::join(dataFolder, name);
    if (!QFileInfo::exists(source)) source = Paths::join(kBuiltIn, name);
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
  if (holdsDefaultList(in.executableFolder)) return in.executableFolder;
  if (holdsDefaultList(in.dataFolder)) return in.dataFolder;
  return kBuiltIn;
}

QString locate(const HomeFolderInputs& in) {
  if (!in.optionHome.isEmpty()) return QDir(in.optionHome).absolutePath();
  if (!in.environmentHome.isEmpty()) return QDir(in.environmentHome).absolutePath();
  if (holdsDefaultList(in.executableFolder) && acceptsFiles(in.executableFolder)) return in.executableFolder;
  return in.userHome;
}

QString resolve(const HomeFolderInputs& in) {
  const QString home = locate(in);
  if (home != in.executableFolder) seed(home, defaultsSource(in));
  return home;
}

}  // namespace HomeFolder
