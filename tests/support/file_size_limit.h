#pragma once

#include <QtGlobal>

#ifdef Q_OS_WIN
// Windows has no file-size limit per process to stand in for a full disk.
class FileSizeLimit {
 public:
  static constexpr bool kAvailable = false;
  explicit FileSizeLimit(qint64) {}
};
#else
#include <csignal>
#include <sys/resource.h>

// While it lives, no file of this process may grow past `bytes` (as on a full
// disk): writes beyond fail with EFBIG instead of raising SIGXFSZ.
class FileSizeLimit {
 public:
  static constexpr bool kAvailable = true;
  explicit FileSizeLimit(rlim_t bytes) {
    previousHandler_ = std::signal(SIGXFSZ, SIG_IGN);
    getrlimit(RLIMIT_FSIZE, &previous_);
    rlimit limited = previous_;
    limited.rlim_cur = bytes;
    setrlimit(RLIMIT_FSIZE, &limited);
  }
  ~FileSizeLimit() {
    setrlimit(RLIMIT_FSIZE, &previous_);
    std::signal(SIGXFSZ, previousHandler_);
  }
  FileSizeLimit(const FileSizeLimit&) = delete;
  FileSizeLimit& operator=(const FileSizeLimit&) = delete;

 private:
  rlimit previous_{};
  void (*previousHandler_)(int) = nullptr;
};
#endif
