#include "os/user_folders.h"

#include <QDir>
#include <QStandardPaths>

namespace UserFolders {

QString home() {
  QString roaming = qEnvironmentVariable("APPDATA");
  if (roaming.isEmpty()) roaming = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
  return QDir(roaming).filePath(QStringLiteral("Driftglyph"));
}

}  // namespace UserFolders
