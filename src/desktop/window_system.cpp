#include "desktop/window_system.h"

#include <QtGlobal>

namespace WindowSystem {

void choose(Use use) {
  switch (use) {
    case Use::Session:
      // Qt itself keeps X11 in a Wayland session on some desktops, where the
      // display's full-screen windows would then be XWayland's.
      if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "wayland;xcb");
      break;
    case Use::Headless:
      qputenv("QT_QPA_PLATFORM", "offscreen");
      if (qEnvironmentVariableIsEmpty("QT_FONT_DPI")) qputenv("QT_FONT_DPI", "96");
      break;
    case Use::HostConnection:
      qputenv("QT_QPA_PLATFORM", "offscreen");
      qputenv("QT_QPA_OFFSCREEN_NO_GLX", "1");
      break;
  }
}

}  // namespace WindowSystem
