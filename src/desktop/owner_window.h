#pragma once

#include <QtGlobal>

class QWidget;

// The system window that opened the settings (Windows' screen-saver
// settings, by /c:HANDLE): the dialog belongs to it and is modal to it, so
// that window stays disabled while the dialog is open. Where the system has
// no such window, nothing happens.
namespace OwnerWindow {

// Whether `handle` names a window that exists (true where it cannot be told).
bool exists(quint64 handle);

// Makes `dialog` owned by, centred over and modal to the native window
// `handle` until it closes; the dialog closes when that window goes away.
void attach(QWidget& dialog, quint64 handle);

}  // namespace OwnerWindow
