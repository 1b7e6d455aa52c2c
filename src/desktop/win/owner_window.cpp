#include "desktop/owner_window.h"

#include <QTimer>
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
  // Centred over its owner, as the system's own dialogs open.
  RECT area;
  if (GetWindowRect(owner, &area)) {
    const qreal ratio = dialog.devicePixelRatioF();
    const QPoint centre((area.left + area.right) / 2 / ratio, (area.top + area.bottom) / 2 / ratio);
    dialog.move(centre - QPoint(dialog.width() / 2, dialog.height() / 2));
  }
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
