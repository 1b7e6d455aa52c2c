#pragma once

#include <QDBusServiceWatcher>
#include <QTimer>
#include <memory>

#include "idle/idle_source.h"

// GNOME's idle monitor on the session bus: a watch that fires each time the
// session has been idle the time asked. GNOME keeps its inhibitions (a
// playing video) in its session manager, which is asked before each report;
// while one holds, it is asked again every few seconds for as long as the
// session stays idle.
class MutterIdleSource : public IdleSource {
  Q_OBJECT

 public:
  static constexpr int kInhibitedRecheckMs = 10000;

  // Null without GNOME's idle monitor on the session bus; `why` says so.
  static std::unique_ptr<MutterIdleSource> open(quint32 idleMs, QString* why);
  ~MutterIdleSource() override;

  QString name() const override { return QStringLiteral("org.gnome.Mutter.IdleMonitor"); }

 private slots:
  void watchFired(uint id);

 private:
  explicit MutterIdleSource(quint32 idleMs) : idleMs_(idleMs) {}
  void reportUnlessInhibited();

  quint32 idleMs_;
  uint watch_ = 0;
  QTimer recheck_;
  std::unique_ptr<QDBusServiceWatcher> monitorGone_;
};
