#include "os/sqlite_lock_probe.h"

#include <QFile>
#include <fcntl.h>
#include <unistd.h>
#include <optional>

namespace SqliteLockProbe {

namespace {

// Where SQLite's POSIX locks lie: the pending byte at 1 GiB, the reserved
// byte after it, then 510 shared bytes; in the -shm file, the byte every
// connection holds while it has the database open (120 + 8).
constexpr off_t kPendingByte = 0x40000000;
constexpr off_t kLockBytes = 2 + 510;
constexpr off_t kShmOpenByte = 128;

// Whether some lock covers the range. Open-file-description locks see the
// locks of every process, this one too; older systems ask the classic way.
std::optional<bool> lockedRange(const QString& path, off_t start, off_t length) {
  const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
  if (fd < 0) return std::nullopt;
  struct flock lock {};
  lock.l_type = F_WRLCK;
  lock.l_whence = SEEK_SET;
  lock.l_start = start;
  lock.l_len = length;
#ifdef F_OFD_GETLK
  const int asked = ::fcntl(fd, F_OFD_GETLK, &lock);
#else
  const int asked = ::fcntl(fd, F_GETLK, &lock);
#endif
  ::close(fd);
  if (asked != 0) return std::nullopt;
  return lock.l_type != F_UNLCK;
}

}  // namespace

State probe(const QString& databasePath) {
  const std::optional<bool> database = lockedRange(databasePath, kPendingByte, kLockBytes);
  if (!database) return State::Unknown;
  if (*database) return State::Held;
  const QString shm = databasePath + QStringLiteral("-shm");
  if (!QFile::exists(shm)) return State::Free;
  return lockedRange(shm, kShmOpenByte, 1).value_or(false) ? State::Held : State::Free;
}

}  // namespace SqliteLockProbe
