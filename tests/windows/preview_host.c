/* A stand-in for the preview pane of Windows' screen-saver settings: opens a
 * 200x150 window, starts "SCR /p HANDLE", and checks that the display's
 * window appears as a child of it at its client size, then closes the pane
 * and checks that the display ends with it. Exit status 0 when all holds;
 * a line on stdout says what was seen.
 *   preview_host.exe PATH\driftglyph.scr [--home DIR] */
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

int wmain(int argc, wchar_t** argv) {
  if (argc < 2) return 2;
  WNDCLASSW wc = {0};
  wc.lpfnWndProc = paneProc;
  wc.hInstance = GetModuleHandleW(NULL);
  wc.lpszClassName = L"PreviewPane";
  RegisterClassW(&wc);
  HWND pane = CreateWindowW(L"PreviewPane", L"preview pane", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 10, 240, 200,
                            NULL, NULL, wc.hInstance, NULL);
  RECT client;
  GetClientRect(pane, &client);

  wchar_t line[1024];
  swprintf(line, 1024, L"\"%ls\" /p %llu%ls%ls", argv[1], (unsigned long long)(UINT_PTR)pane,
           argc > 3 ? L" --home " : L"", argc > 3 ? argv[3] : L"");
  STARTUPINFOW si = {sizeof si};
  PROCESS_INFORMATION pi;
  if (!CreateProcessW(NULL, line, NULL, NULL, FALSE, 0, NULL, NULL, &si, &pi)) {
    printf("cannot start the screen saver\n");
    return 1;
  }
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
