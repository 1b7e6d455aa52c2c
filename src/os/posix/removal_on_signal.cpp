#include "os/removal_on_signal.h"

#include <QFile>
#include <atomic>
#include <csignal>
#include <cstring>
#include <unistd.h>

namespace RemovalOnSignal {

namespace {

// The handler may only call what is safe in a signal handler: the paths are
// made beforehand, into fixed buffers, and only unlink() and rmdir() run.
constexpr int kSlots = 4;
constexpr int kFiles = 4;
constexpr size_t kPathBytes = 4096;

struct Slot {
  std::atomic<bool> used{false};
  char folder[kPathBytes];
  char files[kFiles][kPathBytes];
  int fileCount = 0;
};

Slot held[kSlots];
const int kSignals[] = {SIGINT, SIGTERM, SIGHUP};

void removeAndEnd(int signalNumber) {
  for (Slot& slot : held) {
    if (!slot.used.load()) continue;
    for (int i = 0; i < slot.fileCount; ++i) ::unlink(slot.files[i]);
    ::rmdir(slot.folder);
  }
  std::signal(signalNumber, SIG_DFL);
  std::raise(signalNumber);
}

// Installed where the signals still take their default action.
void installOnce() {
  static const bool installed = [] {
    for (const int signalNumber : kSignals) {
      struct sigaction current {};
      if (::sigaction(signalNumber, nullptr, &current) != 0 || current.sa_handler != SIG_DFL) continue;
      struct sigaction action {};
      action.sa_handler = removeAndEnd;
      sigemptyset(&action.sa_mask);
      ::sigaction(signalNumber, &action, nullptr);
    }
    return true;
  }();
  (void)installed;
}

bool copyPath(char* into, const QByteArray& path) {
  if (size_t(path.size()) >= kPathBytes) return false;
  std::memcpy(into, path.constData(), size_t(path.size()) + 1);
  return true;
}

}  // namespace

int hold(const QString& folder, const QStringList& fileNames) {
  installOnce();
  for (int index = 0; index < kSlots; ++index) {
    Slot& slot = held[index];
    if (slot.used.load()) continue;
    bool fits = copyPath(slot.folder, QFile::encodeName(folder));
    slot.fileCount = 0;
    for (const QString& name : fileNames.mid(0, kFiles))
      fits = fits && copyPath(slot.files[slot.fileCount++], QFile::encodeName(folder + u'/' + name));
    if (!fits) return -1;
    slot.used.store(true);
    return index;
  }
  return -1;
}

void release(int slot) {
  if (slot >= 0 && slot < kSlots) held[slot].used.store(false);
}

}  // namespace RemovalOnSignal
