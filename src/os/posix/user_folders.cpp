#include "os/user_folders.h"

#include <QDir>
#include <QStandardPaths>

namespace UserFolders {

QString home() {
  return QDir(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation))
      .filePath(QStringLiteral("driftglyph"));
}

}  // namespace UserFolders
