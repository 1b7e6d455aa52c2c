#include "os/console.h"

#include <cstdio>
#include <windows.h>

namespace {

DWORD handleOf(int stream) { return stream == 1 ? STD_OUTPUT_HANDLE : STD_ERROR_HANDLE; }

bool missing(DWORD which) {
  const HANDLE handle = GetStdHandle(which);
  return handle == nullptr || handle == INVALID_HANDLE_VALUE;
}

}  // namespace

namespace Console {

void attachParent() {
  // A windowed program starts with only the streams its starter redirected.
  const bool out = missing(STD_OUTPUT_HANDLE), err = missing(STD_ERROR_HANDLE);
  if ((!out && !err) || !AttachConsole(ATTACH_PARENT_PROCESS)) return;
  const HANDLE console = CreateFileW(L"CONOUT$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                     nullptr, OPEN_EXISTING, 0, nullptr);
  if (console == INVALID_HANDLE_VALUE) return;
  // Qt's own warnings and anything else written through the C library go there too.
  if (out) {
    SetStdHandle(STD_OUTPUT_HANDLE, console);
    std::freopen("CONOUT$", "w", stdout);
  }
  if (err) {
    SetStdHandle(STD_ERROR_HANDLE, console);
    std::freopen("CONOUT$", "w", stderr);
  }
}

bool writeToConsole(int stream, QStringView text) {
  const HANDLE handle = GetStdHandle(handleOf(stream));
  DWORD mode = 0;
  if (handle == nullptr || handle == INVALID_HANDLE_VALUE || !GetConsoleMode(handle, &mode)) return false;
  std::fflush(stream == 1 ? stdout : stderr);
  DWORD written = 0;
  WriteConsoleW(handle, text.utf16(), DWORD(text.size()), &written, nullptr);
  return true;
}

}  // namespace Console
