#include "platform/desktop.h"

#include <QGuiApplication>

namespace Desktop {

// Without any display Qt would abort with a core dump.
bool available(QString* why) {
  if (!qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") || !qEnvironmentVariableIsEmpty("DISPLAY") ||
      !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
    return true;
  *why = QStringLiteral("no display to show on: DISPLAY is not set");
  return false;
}

// Qt itself keeps X11 in a Wayland session on some desktops, where the
// display's full-screen windows would then be XWayland's.
void chooseWindowSystem() {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
    qputenv("QT_QPA_PLATFORM", "wayland;xcb");
}

bool canGrabInput() { return !QGuiApplication::platformName().startsWith(QStringLiteral("wayland")); }

}  // namespace Desktop
