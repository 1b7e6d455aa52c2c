#include "display/qt_timer_driver.h"

#include "display/virtual_clock.h"

QtTimerDriver::QtTimerDriver(TimerBank& bank, std::function<void(TimerId)> fire, QObject* parent)
    : QObject(parent), bank_(bank), fire_(std::move(fire)) {
  for (int i = 0; i < kTimerCount; ++i) {
    const TimerId id = TimerId(i);
    timers_[size_t(i)] = std::make_unique<QTimer>();
    timers_[size_t(i)]->setTimerType(Qt::PreciseTimer);
    QObject::connect(timers_[size_t(i)].get(), &QTimer::timeout, this, [this, id] {
      if (!bank_.isEnabled(id)) return;
      fire_(id);
    });
    sync(id);
  }
  bank_.onChange = [this](TimerId id) { sync(id); };
}

QtTimerDriver::~QtTimerDriver() { bank_.onChange = nullptr; }

void QtTimerDriver::sync(TimerId id) {
  QTimer& timer = *timers_[size_t(id)];
  if (bank_.isEnabled(id))
    timer.start(VirtualClock::effectiveInterval(bank_.interval(id)));
  else
    timer.stop();
}

void QtTimerDriver::stopAll() {
  for (auto& timer : timers_) timer->stop();
}
