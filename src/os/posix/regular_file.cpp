#include "os/regular_file.h"

#include <QFile>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace RegularFile {

bool openForReading(QFile& file, const QString& path) {
  // Checked before the open too, so that a device is not even opened (some
  // act on being opened); fstat below decides.
  if (!exists(path)) return false;
  // Without O_NONBLOCK, opening a FIFO waits for a writer.
  int fd;
  do fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
  while (fd < 0 && errno == EINTR);
  if (fd < 0) return false;
  struct stat status;
  const int flags = ::fcntl(fd, F_GETFL);
  if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode) || flags < 0 ||
      ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) != 0 ||
      !file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
    ::close(fd);
    return false;
  }
  return true;
}

bool exists(const QString& path) {
  if (path.isEmpty()) return false;
  struct stat status;
  return ::stat(QFile::encodeName(path).constData(), &status) == 0 && S_ISREG(status.st_mode);
}

}  // namespace RegularFile
