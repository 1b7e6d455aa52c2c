#include "display/virtual_clock.h"

VirtualClock::VirtualClock(TimerBank& bank, std::function<void(TimerId)> fire)
    : bank_(bank), fire_(std::move(fire)) {
  for (int i = 0; i < kTimerCount; ++i) rearm(TimerId(i));
  bank_.onChange = [this](TimerId id) { rearm(id); };
}

VirtualClock::~VirtualClock() { bank_.onChange = nullptr; }

void VirtualClock::rearm(TimerId id) {
  due_[size_t(id)] = now_ + effectiveInterval(bank_.interval(id));
}

bool VirtualClock::step() {
  int next = -1;
  for (int i = 0; i < kTimerCount; ++i) {
    if (!bank_.isEnabled(TimerId(i))) continue;
    if (next < 0 || due_[size_t(i)] < due_[size_t(next)]) next = i;
  }
  if (next < 0) return false;
  const TimerId id = TimerId(next);
  now_ = due_[size_t(next)];
  // The next period counts from this firing unless the tick restarts the timer.
  due_[size_t(next)] = now_ + effectiveInterval(bank_.interval(id));
  last_ = id;
  fire_(id);
  return true;
}
