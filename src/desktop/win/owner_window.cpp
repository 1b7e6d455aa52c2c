#include "desktop/owner_window.h"

#include <QTimer>
#include <QWidget>
#include <QWindow>
#include <windows.h>

#include <algorithm>

namespace OwnerWindow {

bool exists(quint64 handle) { return IsWindow(reinterpret_cast<HWND>(quintptr(handle))) != FALSE; }

namespace {

// Where a window of `size` goes: centred over `owner`, then moved wholly into
// the work area of the owner's monitor (an owner near an edge would
// otherwise leave the dialog's buttons off the screen).
POINT placeOver(HWND owner, SIZE size) {
  RECT area{};
  GetWindowRect(owner, &area);
  LONG x = (area.left + area.right - size.cx) / 2, y = (area.top + area.bottom - size.cy) / 2;
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  if (GetMonitorInfoW(MonitorFromWindow(owner, MONITOR_DEFAULTTONEAREST), &monitor)) {
    const RECT& work = monitor.rcWork;
    x = std::max(work.left, std::min(x, work.right - size.cx));
    y = std::max(work.top, std::min(y, work.bottom - size.cy));
  }
  return {x, y};
}

}  // namespace

void attach(QWidget& dialog, quint64 handle) {
  const HWND owner = reinterpret_cast<HWND>(quintptr(handle));
  if (!IsWindow(owner)) return;
  dialog.winId();
  QWindow* window = dialog.windowHandle();
  window->setTransientParent(QWindow::fromWinId(WId(owner)));
  // As it is about to be shown, the window has its frame: it is placed in
  // the system's pixels, as the system's own dialogs open. Qt gives a window
  // whose transient parent is foreign no owner of the system's, and clears
  // one as it shows the window: the owner is set once it is shown. Without
  // one the dialog would take a taskbar button of its own and could fall
  // behind the disabled settings window. The first change of visibility is
  // the dialog's showing.
  QObject::connect(window, &QWindow::visibleChanged, &dialog, [owner, window] {
    const HWND own = reinterpret_cast<HWND>(window->winId());
    QTimer::singleShot(0, window, [own, owner] { SetWindowLongPtrW(own, GWLP_HWNDPARENT, LONG_PTR(owner)); });
    RECT frame{};
    if (GetWindowRect(own, &frame)) {
      const POINT at = placeOver(owner, SIZE{frame.right - frame.left, frame.bottom - frame.top});
      SetWindowPos(own, nullptr, at.x, at.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
  }, Qt::SingleShotConnection);
  // The owner takes no input until the dialog has gone; an owner that goes
  // away takes the dialog with it.
  EnableWindow(owner, FALSE);
  auto* watch = new QTimer(&dialog);
  QObject::connect(watch, &QTimer::timeout, &dialog, [owner, &dialog] {
    if (!IsWindow(owner)) dialog.close();
  });
  watch->start(500);
  QObject::connect(&dialog, &QObject::destroyed, [owner] {
    if (IsWindow(owner)) {
      EnableWindow(owner, TRUE);
      SetForegroundWindow(owner);
    }
  });
}

}  // namespace OwnerWindow
