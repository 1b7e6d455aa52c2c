#include "os/regular_file.h"

#include <QFile>
#include <QFileInfo>

namespace RegularFile {

// Windows has no FIFOs in the file system; devices and folders are not files
// to QFileInfo, so the check before an ordinary open is enough.
bool openForReading(QFile& file, const QString& path) {
  if (!exists(path)) return false;
  file.setFileName(path);
  return file.open(QIODevice::ReadOnly);
}

bool exists(const QString& path) { return !path.isEmpty() && QFileInfo(path).isFile(); }

}  // namespace RegularFile
