#include "os/regular_file.h"

#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace RegularFile {

namespace {

// The program's built-in files (":/defaults/DEFAULT.dgl") are Qt resources:
// never FIFOs or devices, and unknown to the system's calls.
bool isResource(const QString& path) { return path.startsWith(QLatin1String(":/")); }

}  // namespace

bool openForReading(QFile& file, const QString& path) {
  if (isResource(path)) {
    file.setFileName(path);
    return file.open(QIODevice::ReadOnly);
  }
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
  if (isResource(path)) return QFileInfo(path).isFile();
  struct stat status;
  return ::stat(QFile::encodeName(path).constData(), &status) == 0 && S_ISREG(status.st_mode);
}

}  // namespace RegularFile
