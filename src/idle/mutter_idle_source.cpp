#include "idle/mutter_idle_source.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusReply>
#include <QDBusServiceWatcher>

namespace {

const QString kMonitor = QStringLiteral("org.gnome.Mutter.IdleMonitor");
const QString kMonitorPath = QStringLiteral("/org/gnome/Mutter/IdleMonitor/Core");
const QString kSession = QStringLiteral("org.gnome.SessionManager");
const QString kSessionPath = QStringLiteral("/org/gnome/SessionManager");
constexpr uint kInhibitIdle = 8;  // the session manager's flag for "do not go idle"

QDBusMessage monitorCall(const QString& method, const QVariantList& arguments = {}) {
  QDBusMessage call = QDBusMessage::createMethodCall(kMonitor, kMonitorPath, kMonitor, method);
  call.setArguments(arguments);
  return QDBusConnection::sessionBus().call(call);
}

}  // namespace

std::unique_ptr<MutterIdleSource> MutterIdleSource::open(quint32 idleMs, QString* why) {
  QDBusConnection bus = QDBusConnection::sessionBus();
  if (!bus.isConnected() || !bus.interface()->isServiceRegistered(kMonitor)) {
    if (why) *why = QStringLiteral("no GNOME idle monitor on the session bus");
    return nullptr;
  }
  std::unique_ptr<MutterIdleSource> source(new MutterIdleSource(idleMs));
  // Connected before the watch exists, so that no firing is missed.
  bus.connect(kMonitor, kMonitorPath, kMonitor, QStringLiteral("WatchFired"), source.get(), SLOT(watchFired(uint)));
  const QDBusReply<uint> watch = monitorCall(QStringLiteral("AddIdleWatch"), {QVariant::fromValue(qulonglong(idleMs))});
  if (!watch.isValid()) {
    if (why) *why = QStringLiteral("GNOME's idle monitor refused a watch: %1").arg(watch.error().message());
    return nullptr;
  }
  source->watch_ = watch.value();
  source->monitorGone_ = std::make_unique<QDBusServiceWatcher>(kMonitor, bus, QDBusServiceWatcher::WatchForUnregistration);
  connect(source->monitorGone_.get(), &QDBusServiceWatcher::serviceUnregistered, source.get(), &IdleSource::gone);
  source->recheck_.setInterval(kInhibitedRecheckMs);
  connect(&source->recheck_, &QTimer::timeout, source.get(), [self = source.get()] {
    const QDBusReply<qulonglong> idleFor = monitorCall(QStringLiteral("GetIdletime"));
    if (!idleFor.isValid() || idleFor.value() < self->idleMs_)
      self->recheck_.stop();  // input came: the watch fires again after the next idle period
    else
      self->reportUnlessInhibited();
  });
  // A watch fires when the idle time reaches its mark; a session already past
  // it when the watcher starts is looked at once the whole time has passed.
  QTimer::singleShot(int(idleMs), source.get(), [self = source.get()] {
    const QDBusReply<qulonglong> idleFor = monitorCall(QStringLiteral("GetIdletime"));
    if (idleFor.isValid() && idleFor.value() >= self->idleMs_ && !self->recheck_.isActive()) self->reportUnlessInhibited();
  });
  return source;
}

MutterIdleSource::~MutterIdleSource() {
  if (watch_ && QDBusConnection::sessionBus().interface()->isServiceRegistered(kMonitor))
    monitorCall(QStringLiteral("RemoveWatch"), {QVariant::fromValue(watch_)});
}

void MutterIdleSource::watchFired(uint id) {
  if (id == watch_) reportUnlessInhibited();
}

void MutterIdleSource::reportUnlessInhibited() {
  QDBusMessage ask = QDBusMessage::createMethodCall(kSession, kSessionPath, kSession, QStringLiteral("IsInhibited"));
  ask.setArguments({QVariant::fromValue(kInhibitIdle)});
  const QDBusReply<bool> inhibited = QDBusConnection::sessionBus().call(ask);
  // Without a session manager to ask, nothing holds idleness off.
  if (inhibited.isValid() && inhibited.value()) {
    if (!recheck_.isActive()) recheck_.start();
    return;
  }
  recheck_.stop();
  emit idle();
}
