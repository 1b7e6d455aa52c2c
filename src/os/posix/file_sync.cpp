#include "os/file_sync.h"

#include <QFileDevice>
#include <cerrno>
#include <cstring>
#include <unistd.h>

namespace FileSync {

bool toDisk(QFileDevice& file, QString* error) {
  if (::fsync(file.handle()) == 0) return true;
  if (error) *error = QString::fromLocal8Bit(std::strerror(errno));
  return false;
}

}  // namespace FileSync
