#include "os/sqlite_lock_probe.h"

#include <windows.h>

namespace SqliteLockProbe {

namespace {

// SQLite's lock bytes on Windows: the pending byte at 1 GiB, the reserved
// byte after it, then the 510 shared bytes; in the -shm file, the byte every
// connection holds while it has the database open (120 + 8).
constexpr DWORD kPendingByte = 0x40000000;
constexpr DWORD kLockBytes = 2 + 510;
constexpr DWORD kShmOpenByte = 128;

// Whether some lock covers the range: tried on a private handle without
// waiting, and released at once when it could be taken.
State lockedRange(const QString& path, DWORD start, DWORD length) {
  const HANDLE file = CreateFileW(reinterpret_cast<const wchar_t*>(path.utf16()), GENERIC_READ,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return State::Unknown;
  OVERLAPPED at{};
  at.Offset = start;
  State state = State::Free;
  if (LockFileEx(file, LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, length, 0, &at))
    UnlockFileEx(file, 0, length, 0, &at);
  else
    state = GetLastError() == ERROR_LOCK_VIOLATION ? State::Held : State::Unknown;
  CloseHandle(file);
  return state;
}

}  // namespace

State probe(const QString& databasePath) {
  const State database = lockedRange(databasePath, kPendingByte, kLockBytes);
  if (database != State::Free) return database;
  const QString shm = databasePath + QStringLiteral("-shm");
  if (GetFileAttributesW(reinterpret_cast<const wchar_t*>(shm.utf16())) == INVALID_FILE_ATTRIBUTES) return State::Free;
  return lockedRange(shm, kShmOpenByte, 1) == State::Held ? State::Held : State::Free;
}

}  // namespace SqliteLockProbe
