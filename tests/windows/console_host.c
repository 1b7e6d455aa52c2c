/* A stand-in for a command prompt: makes a console of its own, starts
 * "SCR ARGS..." in it as cmd would (the screen saver inherits the console, no
 * stream redirected) and writes the text the program left on the console to
 * OUT, as UTF-8. Exit status: the program's.
 *   console_host.exe OUT PATH\driftglyph.scr ARGS... */
#include <stdio.h>
#include <wchar.h>
#include <windows.h>

int wmain(int argc, wchar_t** argv) {
  if (argc < 3) return 2;
  FreeConsole();
  if (!AllocConsole()) return 3;
  wchar_t line[2048] = L"";
  for (int i = 2; i < argc; ++i) {
    wcscat(line, L"\"");
    wcscat(line, argv[i]);
    wcscat(line, L"\" ");
  }
  STARTUPINFOW si = {sizeof si};
  PROCESS_INFORMATION pi;
  if (!CreateProcessW(NULL, line, NULL, NULL, FALSE, 0, NULL, NULL, &si, &pi)) return 4;
  WaitForSingleObject(pi.hProcess, 60000);
  DWORD code = 1;
  GetExitCodeProcess(pi.hProcess, &code);

  const HANDLE screen = CreateFileW(L"CONOUT$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, NULL,
                                    OPEN_EXISTING, 0, NULL);
  CONSOLE_SCREEN_BUFFER_INFO info;
  GetConsoleScreenBufferInfo(screen, &info);
  FILE* out = _wfopen(argv[1], L"wb");
  for (SHORT y = 0; y <= info.dwCursorPosition.Y; ++y) {
    wchar_t row[512];
    DWORD read = 0;
    const COORD at = {0, y};
    const DWORD width = info.dwSize.X < 512 ? (DWORD)info.dwSize.X : 512;
    ReadConsoleOutputCharacterW(screen, row, width, at, &read);
    while (read > 0 && row[read - 1] == L' ') --read;
    char bytes[2048];
    const int n = WideCharToMultiByte(CP_UTF8, 0, row, (int)read, bytes, sizeof bytes, NULL, NULL);
    fwrite(bytes, 1, (size_t)n, out);
    fputc('\n', out);
  }
  fclose(out);
  return (int)code;
}
