#include "os/instance_mutex.h"

#include <QCryptographicHash>
#include <QDir>
#include <windows.h>

namespace {

// "Local\": one per logged-on session, as the display's window would be;
// one per home folder (in any case), as the lock file is.
std::wstring nameFor(const QString& home) {
  const QByteArray folder = QDir::cleanPath(QDir(home).absolutePath()).toLower().toUtf8();
  const QByteArray hash = QCryptographicHash::hash(folder, QCryptographicHash::Sha1).toHex().left(16);
  return L"Local\\Driftglyph.frmMainDGL." + QString::fromLatin1(hash).toStdWString();
}

// A probe owns the mutex for a moment; a start waits that out.
constexpr DWORD kProbeWaitMs = 500;

bool owned(DWORD wait) { return wait == WAIT_OBJECT_0 || wait == WAIT_ABANDONED; }

}  // namespace

// A display owns the mutex for as long as it runs; Windows frees a mutex
// whose owner ended without releasing it (abandoned), so none is ever stale.
bool InstanceMutex::heldElsewhere() const {
  if (handle_) return false;
  const HANDLE other = OpenMutexW(SYNCHRONIZE, FALSE, nameFor(home_).c_str());
  if (!other) return false;
  const bool free = owned(WaitForSingleObject(other, 0));
  if (free) ReleaseMutex(other);
  CloseHandle(other);
  return !free;
}

bool InstanceMutex::acquire() {
  if (handle_) return true;
  const HANDLE mutex = CreateMutexW(nullptr, TRUE, nameFor(home_).c_str());
  if (!mutex) return true;  // the system refused a mutex: the lock file decides
  if (GetLastError() == ERROR_ALREADY_EXISTS && !owned(WaitForSingleObject(mutex, kProbeWaitMs))) {
    CloseHandle(mutex);
    return false;
  }
  handle_ = mutex;
  return true;
}

void InstanceMutex::release() {
  if (!handle_) return;
  ReleaseMutex(static_cast<HANDLE>(handle_));
  CloseHandle(static_cast<HANDLE>(handle_));
  handle_ = nullptr;
}
