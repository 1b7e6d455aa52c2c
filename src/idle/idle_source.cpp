#include "idle/idle_source.h"

#include "idle/mutter_idle_source.h"
#include "idle/wayland_idle_source.h"

std::unique_ptr<IdleSource> IdleSource::open(quint32 idleMs, QString* why, Opener xServer) {
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
  if (!wayland && xServer) {
    if (auto source = xServer(idleMs, &reason)) return source;
    tried.append(reason);
  }
  if (why) *why = QStringLiteral("no way to learn when this session is idle (%1)").arg(tried.join(QStringLiteral("; ")));
  return nullptr;
}
