#pragma once

#include <QSocketNotifier>
#include <memory>

#include "idle/idle_source.h"

struct wl_display;
struct wl_registry;
struct wl_seat;
struct ext_idle_notifier_v1;
struct ext_idle_notification_v1;
struct org_kde_kwin_idle;
struct org_kde_kwin_idle_timeout;

// The compositor's own idle notice, on a Wayland connection of its own:
// ext-idle-notify where offered, else KDE's idle protocol (which wlroots
// compositors offer too). Compositors hold both back while a client
// inhibits idleness, as video players do.
class WaylandIdleSource : public IdleSource {
 public:
  // Null without a Wayland compositor or without either protocol; `why` says which.
  static std::unique_ptr<WaylandIdleSource> open(quint32 idleMs, QString* why);
  ~WaylandIdleSource() override;

  QString name() const override;

 private:
  WaylandIdleSource() = default;
  bool bind(quint32 idleMs, QString* why);
  void dispatch();

  wl_display* display_ = nullptr;
  wl_registry* registry_ = nullptr;
  wl_seat* seat_ = nullptr;
  ext_idle_notifier_v1* notifier_ = nullptr;
  ext_idle_notification_v1* notification_ = nullptr;
  org_kde_kwin_idle* kdeIdle_ = nullptr;
  org_kde_kwin_idle_timeout* kdeTimeout_ = nullptr;
  std::unique_ptr<QSocketNotifier> readable_;
};
