#pragma once

#include <QObject>
#include <QTimer>
#include <array>
#include <functional>
#include <memory>

#include "display/timer_bank.h"

// Drives a timer bank with real Qt timers, one per logical timer. An interval
// shorter than one display frame fires once a frame.
class QtTimerDriver final : public QObject {
 public:
  QtTimerDriver(TimerBank& bank, std::function<void(TimerId)> fire, QObject* parent = nullptr);
  ~QtTimerDriver() override;

  void stopAll();

 private:
  void sync(TimerId id);

  TimerBank& bank_;
  std::function<void(TimerId)> fire_;
  std::array<std::unique_ptr<QTimer>, kTimerCount> timers_;
};
