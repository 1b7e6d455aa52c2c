#pragma once

#include <QtGlobal>
#include <array>
#include <functional>

#include "display/timer_bank.h"

// Drives a timer bank on simulated time: step() jumps to the next due timer
// and fires it. Intervals shorter than one display frame fire once a frame,
// as the window's real timers do.
class VirtualClock {
 public:
  static constexpr int kFrameMs = 16;

  VirtualClock(TimerBank& bank, std::function<void(TimerId)> fire);
  ~VirtualClock();

  qint64 now() const { return now_; }
  // Fires the next due timer; false when no timer is enabled.
  bool step();
  // The timer fired by the last step.
  TimerId lastFired() const { return last_; }

  static int effectiveInterval(int ms) { return ms < kFrameMs ? kFrameMs : ms; }

 private:
  void rearm(TimerId id);

  TimerBank& bank_;
  std::function<void(TimerId)> fire_;
  std::array<qint64, kTimerCount> due_{};
  qint64 now_ = 0;
  TimerId last_ = TimerId::tmQuo;
};
