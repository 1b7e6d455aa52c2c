#include "platform/desktop.h"

namespace Desktop {

// Without any display Qt would abort with a core dump.
bool available(QString* why) {
  if (!qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") || !qEnvironmentVariableIsEmpty("DISPLAY") ||
      !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
    return true;
  *why = QStringLiteral("no display to show on: DISPLAY is not set");
  return false;
}

}  // namespace Desktop
