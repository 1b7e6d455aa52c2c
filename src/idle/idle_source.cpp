#include "idle/idle_source.h"

#include "idle/mutter_idle_source.h"
#include "idle/wayland_idle_source.h"
#include "idle/x11_idle_source.h"

std::unique_ptr<IdleSource> IdleSource::open(quint32 idleMs, QString* why) {
  QStringList tried;
  QString reason;
  // In a Wayland session the X server (XWayland) sees only its own clients'
  // input, so its idle time is no measure of the session's.
  const bool wayland = !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
  if (wayland) {
    if (auto source = WaylandIdleSource::open(idleMs, &reason)) return source;
    tried.append(reason);
  }
  if (auto source = MutterIdleSource::open(idleMs, &reason)) return source;
  tried.append(reason);
  if (!wayland) {
    if (auto source = X11IdleSource::open(idleMs, &reason)) return source;
    tried.append(reason);
  }
  *why = QStringLiteral("no way to learn when this session is idle (%1)").arg(tried.join(QStringLiteral("; ")));
  return nullptr;
}
