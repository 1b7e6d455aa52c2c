#include "platform/owner_window.h"

#include <QWidget>
#include <QWindow>
#include <windows.h>

namespace OwnerWindow {

bool exists(quint64 handle) { return IsWindow(reinterpret_cast<HWND>(quintptr(handle))) != FALSE; }

void attach(QWidget& dialog, quint64 handle) {
  const HWND owner = reinterpret_cast<HWND>(quintptr(handle));
  if (!IsWindow(owner)) return;
  dialog.winId();
  dialog.windowHandle()->setTransientParent(QWindow::fromWinId(WId(owner)));
  // The owner takes no input until the dialog has gone.
  EnableWindow(owner, FALSE);
  QObject::connect(&dialog, &QObject::destroyed, [owner] {
    if (IsWindow(owner)) {
      EnableWindow(owner, TRUE);
      SetForegroundWindow(owner);
    }
  });
}

}  // namespace OwnerWindow
