#include "idle/wayland_idle_source.h"

#include <QSocketNotifier>
#include <algorithm>
#include <cstring>
#include <wayland-client.h>

#include "ext-idle-notify-v1-client-protocol.h"
#include "idle-client-protocol.h"

std::unique_ptr<WaylandIdleSource> WaylandIdleSource::open(quint32 idleMs, QString* why) {
  std::unique_ptr<WaylandIdleSource> source(new WaylandIdleSource);
  source->display_ = wl_display_connect(nullptr);
  if (!source->display_) {
    if (why) *why = QStringLiteral("no Wayland compositor at WAYLAND_DISPLAY");
    return nullptr;
  }
  if (!source->bind(idleMs, why)) return nullptr;
  return source;
}

bool WaylandIdleSource::bind(quint32 idleMs, QString* why) {
  static const wl_registry_listener registryListener{
      [](void* data, wl_registry* registry, uint32_t name, const char* interface, uint32_t version) {
        auto* self = static_cast<WaylandIdleSource*>(data);
        const auto is = [interface](const wl_interface& known) { return std::strcmp(interface, known.name) == 0; };
        // The first seat: the one whose input counts on a desktop.
        if (is(wl_seat_interface) && !self->seat_)
          self->seat_ = static_cast<wl_seat*>(wl_registry_bind(registry, name, &wl_seat_interface, 1));
        else if (is(ext_idle_notifier_v1_interface) && !self->notifier_)
          self->notifier_ = static_cast<ext_idle_notifier_v1*>(
              wl_registry_bind(registry, name, &ext_idle_notifier_v1_interface, 1));
        else if (is(org_kde_kwin_idle_interface) && !self->kdeIdle_)
          self->kdeIdle_ =
              static_cast<org_kde_kwin_idle*>(wl_registry_bind(registry, name, &org_kde_kwin_idle_interface, 1));
        (void)version;
      },
      [](void*, wl_registry*, uint32_t) {}};
  registry_ = wl_display_get_registry(display_);
  wl_registry_add_listener(registry_, &registryListener, this);
  if (wl_display_roundtrip(display_) < 0) {
    if (why) *why = QStringLiteral("the Wayland compositor did not answer");
    return false;
  }
  if (!seat_ || (!notifier_ && !kdeIdle_)) {
    if (why) *why = seat_ ? QStringLiteral("the Wayland compositor offers no idle protocol")
                 : QStringLiteral("the Wayland compositor has no seat");
    return false;
  }

  if (notifier_) {
    static const ext_idle_notification_v1_listener listener{
        [](void* data, ext_idle_notification_v1*) { emit static_cast<WaylandIdleSource*>(data)->idle(); },
        [](void*, ext_idle_notification_v1*) {}};
    notification_ = ext_idle_notifier_v1_get_idle_notification(notifier_, idleMs, seat_);
    ext_idle_notification_v1_add_listener(notification_, &listener, this);
  } else {
    static const org_kde_kwin_idle_timeout_listener listener{
        [](void* data, org_kde_kwin_idle_timeout*) { emit static_cast<WaylandIdleSource*>(data)->idle(); },
        [](void*, org_kde_kwin_idle_timeout*) {}};
    kdeTimeout_ = org_kde_kwin_idle_get_idle_timeout(kdeIdle_, seat_, idleMs);
    org_kde_kwin_idle_timeout_add_listener(kdeTimeout_, &listener, this);
  }
  wl_display_flush(display_);
  readable_ = std::make_unique<QSocketNotifier>(wl_display_get_fd(display_), QSocketNotifier::Read);
  QObject::connect(readable_.get(), &QSocketNotifier::activated, this, &WaylandIdleSource::dispatch);
  return true;
}

void WaylandIdleSource::dispatch() {
  // A compositor that went away leaves the socket readable at its end.
  if (wl_display_dispatch(display_) < 0) {
    readable_->setEnabled(false);
    emit gone();
    return;
  }
  wl_display_flush(display_);
}

QString WaylandIdleSource::name() const {
  return notification_ ? QStringLiteral("ext-idle-notify") : QStringLiteral("org_kde_kwin_idle");
}

WaylandIdleSource::~WaylandIdleSource() {
  readable_.reset();
  if (notification_) ext_idle_notification_v1_destroy(notification_);
  if (notifier_) ext_idle_notifier_v1_destroy(notifier_);
  if (kdeTimeout_) org_kde_kwin_idle_timeout_release(kdeTimeout_);
  if (kdeIdle_) org_kde_kwin_idle_destroy(kdeIdle_);
  if (seat_) wl_seat_destroy(seat_);
  if (registry_) wl_registry_destroy(registry_);
  if (display_) {
    wl_display_flush(display_);
    wl_display_disconnect(display_);
  }
}
