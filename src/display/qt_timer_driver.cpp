#include "display/qt_timer_driver.h"

#include <cstdio>

#include "display/virtual_clock.h"

namespace {

// Counts the ticks the real timers fire, for measuring the cost of a frame
// from outside; reported on stderr at exit only when DRIFTGLYPH_TICK_REPORT is set.
struct TickReport {
  qint64 ticks = 0;
  ~TickReport() {
    if (qEnvironmentVariableIsSet("DRIFTGLYPH_TICK_REPORT")) std::fprintf(stderr, "ticks %lld\n", ticks);
  }
};
TickReport tickReport;

}  // namespace

QtTimerDriver::QtTimerDriver(TimerBank& bank, std::function<void(TimerId)> fire, QObject* parent)
    : QObject(parent), bank_(bank), fire_(std::move(fire)) {
  for (int i = 0; i < kTimerCount; ++i) {
    const TimerId id = TimerId(i);
    timers_[size_t(i)] = std::make_unique<QTimer>();
    timers_[size_t(i)]->setTimerType(Qt::PreciseTimer);
    QObject::connect(timers_[size_t(i)].get(), &QTimer::timeout, this, [this, id] {
      if (!bank_.isEnabled(id)) return;
      ++tickReport.ticks;
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
