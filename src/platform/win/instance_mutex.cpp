#include "platform/instance_mutex.h"

#include <windows.h>

namespace {

// "Local\": one per logged-on session, as the display's window would be.
constexpr wchar_t kName[] = L"Local\\Driftglyph.frmMainDGL";

}  // namespace

bool InstanceMutex::heldElsewhere() const {
  if (handle_) return false;
  const HANDLE other = OpenMutexW(SYNCHRONIZE, FALSE, kName);
  if (!other) return false;
  CloseHandle(other);
  return true;
}

bool InstanceMutex::acquire() {
  if (handle_) return true;
  const HANDLE mutex = CreateMutexW(nullptr, FALSE, kName);
  if (!mutex) return true;  // the system refused a mutex: the lock file decides
  if (GetLastError() == ERROR_ALREADY_EXISTS) {
    CloseHandle(mutex);
    return false;
  }
  handle_ = mutex;
  return true;
}

void InstanceMutex::release() {
  if (!handle_) return;
  CloseHandle(static_cast<HANDLE>(handle_));
  handle_ = nullptr;
}
