#pragma once

#include <QSocketNotifier>
#include <QTimer>
#include <memory>

#include "idle/idle_source.h"

struct xcb_connection_t;

// The X server's time since the last input (the MIT-SCREEN-SAVER
// extension), asked when the idle time could first be reached and then once
// a second while the session stays idle. Players that keep the screen on
// reset the server's screen saver, which counts as input here.
class X11IdleSource : public IdleSource {
 public:
  static constexpr int kWhileIdleMs = 1000;

  // Null without an X server or its screen-saver extension; `why` says so.
  static std::unique_ptr<X11IdleSource> open(quint32 idleMs, QString* why);
  ~X11IdleSource() override;

  QString name() const override { return QStringLiteral("MIT-SCREEN-SAVER"); }

 private:
  explicit X11IdleSource(quint32 idleMs) : idleMs_(idleMs) {}
  void check();
  void drainEvents();
  // The server went away: nothing more to ask.
  void lost();

  quint32 idleMs_;
  xcb_connection_t* connection_ = nullptr;
  quint32 root_ = 0;
  bool reported_ = false;  // this idle period was reported
  QTimer next_;
  std::unique_ptr<QSocketNotifier> readable_;
};
