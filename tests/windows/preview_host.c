/* A stand-in for Windows' screen-saver settings. By default the preview
 * pane: opens a 200x150 window, starts "SCR /p HANDLE", and checks that the
 * display's window appears as a child of it at its client size, then closes
 * the pane and checks that the display ends with it. With --owner X Y the
 * settings window: opens a 400x300 window at X, Y, starts "SCR /c:HANDLE",
 * and checks that the settings dialog is owned by it, centred over it as far
 * as its monitor's work area allows and wholly inside that area, and that
 * the window is disabled until the dialog closes. Exit status 0 when all
 * holds; a line on stdout says what was seen.
 *   preview_host.exe PATH\driftglyph.scr [--owner X Y] [--home DIR] */
#include <stdio.h>
#include <wchar.h>
#include <windows.h>

static LRESULT CALLBACK paneProc(HWND w, UINT m, WPARAM wp, LPARAM lp) { return DefWindowProcW(w, m, wp, lp); }

static void pump(DWORD ms) {
  const DWORD until = GetTickCount() + ms;
  MSG msg;
  while ((LONG)(until - GetTickCount()) > 0) {
    while (PeekMessageW(&msg, NULL, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
    Sleep(20);
  }
}

static BOOL CALLBACK firstChild(HWND child, LPARAM found) {
  *(HWND*)found = child;
  return FALSE;
}

static PROCESS_INFORMATION start(const wchar_t* command) {
  wchar_t line[1024];
  wcsncpy(line, command, 1023);
  line[1023] = 0;
  STARTUPINFOW si = {sizeof si};
  PROCESS_INFORMATION pi = {0};
  if (!CreateProcessW(NULL, line, NULL, NULL, FALSE, 0, NULL, NULL, &si, &pi)) printf("cannot start the screen saver\n");
  return pi;
}

static int settingsOwner(const wchar_t* scr, int x, int y, const wchar_t* home) {
  HWND owner = CreateWindowW(L"PreviewPane", L"screen saver settings", WS_OVERLAPPEDWINDOW | WS_VISIBLE, x, y, 400,
                             300, NULL, NULL, GetModuleHandleW(NULL), NULL);
  wchar_t line[1024];
  swprintf(line, 1024, L"\"%ls\" /c:%llu%ls%ls", scr, (unsigned long long)(UINT_PTR)owner, home ? L" --home " : L"",
           home ? home : L"");
  PROCESS_INFORMATION pi = start(line);
  if (!pi.hProcess) return 1;
  HWND dialog = NULL;
  for (int i = 0; i < 200 && !dialog; ++i) {
    pump(100);
    dialog = FindWindowW(NULL, L"Driftglyph \u8a2d\u5b9a");
  }
  pump(1500);
  RECT at = {0}, ownerRect = {0}, area = {0};
  GetWindowRect(dialog, &at);
  GetWindowRect(owner, &ownerRect);
  MONITORINFO monitor = {sizeof monitor};
  GetMonitorInfoW(MonitorFromWindow(owner, MONITOR_DEFAULTTONEAREST), &monitor);
  area = monitor.rcWork;
  const LONG w = at.right - at.left, h = at.bottom - at.top;
  /* Centred, then moved inside the work area. */
  LONG cx = (ownerRect.left + ownerRect.right - w) / 2, cy = (ownerRect.top + ownerRect.bottom - h) / 2;
  cx = cx < area.left ? area.left : cx > area.right - w ? area.right - w : cx;
  cy = cy < area.top ? area.top : cy > area.bottom - h ? area.bottom - h : cy;
  const int owned = dialog && GetWindow(dialog, GW_OWNER) == owner;
  const int inside = at.left >= area.left && at.top >= area.top && at.right <= area.right && at.bottom <= area.bottom;
  const int placed = labs(at.left - cx) <= 2 && labs(at.top - cy) <= 2;
  const int disabled = !IsWindowEnabled(owner);
  printf("dialog %s, owner %s, at %ld,%ld %ldx%ld (expected %ld,%ld) in %ld,%ld-%ld,%ld, settings window %s\n",
         dialog ? "found" : "missing", owned ? "the settings window" : "wrong", at.left, at.top, w, h, cx, cy, area.left,
         area.top, area.right, area.bottom, disabled ? "disabled" : "enabled");
  if (dialog) PostMessageW(dialog, WM_CLOSE, 0, 0);
  /* The program re-enables this window as it ends, a message it waits on. */
  DWORD waited = WAIT_TIMEOUT;
  for (int i = 0; i < 100 && waited != WAIT_OBJECT_0; ++i) {
    pump(100);
    waited = WaitForSingleObject(pi.hProcess, 0);
  }
  pump(300);
  const int enabledAgain = IsWindowEnabled(owner);
  printf("after the dialog closed: %s, settings window %s\n", waited == WAIT_OBJECT_0 ? "ended" : "still running",
         enabledAgain ? "enabled" : "disabled");
  if (waited != WAIT_OBJECT_0) TerminateProcess(pi.hProcess, 1);
  DestroyWindow(owner);
  return owned && inside && placed && disabled && enabledAgain && waited == WAIT_OBJECT_0 ? 0 : 1;
}

int wmain(int argc, wchar_t** argv) {
  if (argc < 2) return 2;
  WNDCLASSW wc = {0};
  wc.lpfnWndProc = paneProc;
  wc.hInstance = GetModuleHandleW(NULL);
  wc.lpszClassName = L"PreviewPane";
  RegisterClassW(&wc);
  if (argc >= 5 && wcscmp(argv[2], L"--owner") == 0)
    return settingsOwner(argv[1], _wtoi(argv[3]), _wtoi(argv[4]), argc > 6 ? argv[6] : NULL);
  HWND pane = CreateWindowW(L"PreviewPane", L"preview pane", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 10, 240, 200,
                            NULL, NULL, wc.hInstance, NULL);
  RECT client;
  GetClientRect(pane, &client);

  wchar_t line[1024];
  swprintf(line, 1024, L"\"%ls\" /p %llu%ls%ls", argv[1], (unsigned long long)(UINT_PTR)pane,
           argc > 3 ? L" --home " : L"", argc > 3 ? argv[3] : L"");
  PROCESS_INFORMATION pi = start(line);
  if (!pi.hProcess) return 1;
  HWND child = NULL;
  for (int i = 0; i < 100 && !child; ++i) {
    pump(100);
    EnumChildWindows(pane, firstChild, (LPARAM)&child);
  }
  /* The display may settle its window's size a moment after showing it. */
  RECT shown = {0};
  for (int i = 0; i < 50 && child; ++i) {
    GetClientRect(child, &shown);
    if (shown.right == client.right && shown.bottom == client.bottom) break;
    pump(100);
  }
  const int parentOk = child && GetAncestor(child, GA_PARENT) == pane;
  const int sizeOk = shown.right == client.right && shown.bottom == client.bottom;
  printf("child %s, parent %s, size %ldx%ld of %ldx%ld\n", child ? "found" : "missing", parentOk ? "is the pane" : "wrong",
         shown.right, shown.bottom, client.right, client.bottom);

  DestroyWindow(pane);
  const DWORD waited = WaitForSingleObject(pi.hProcess, 10000);
  DWORD code = 1;
  GetExitCodeProcess(pi.hProcess, &code);
  printf("after the pane closed: %s, status %lu\n", waited == WAIT_OBJECT_0 ? "ended" : "still running", code);
  if (waited != WAIT_OBJECT_0) TerminateProcess(pi.hProcess, 1);
  return parentOk && sizeOk && waited == WAIT_OBJECT_0 && code == 0 ? 0 : 1;
}
