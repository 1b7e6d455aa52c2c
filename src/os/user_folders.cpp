// The folders every system has alike; the per-user home is in posix/ and win/.
#include "os/user_folders.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace UserFolders {

QString documents() {
  const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
  return QFileInfo(documents).isDir() ? documents : QDir::homePath();
}

QString winePrograms() {
  QString prefix = qEnvironmentVariable("WINEPREFIX");
  if (prefix.isEmpty()) prefix = QDir::home().filePath(QStringLiteral(".wine"));
  const QString programs = QDir(prefix).filePath(QStringLiteral("drive_c/Program Files"));
  return QFileInfo(programs).isDir() ? programs : QString();
}

}  // namespace UserFolders
