#pragma once

#include <cstdint>
#include <functional>
#include <random>

// The one shared random generator. It is reseeded from a clock where the
// saver reseeds (start-up, display load, every main-cycle tick); the clock is
// the time of day normally and a virtual clock in trace mode, so a trace can
// be replayed exactly.
class RandomSource {
 public:
  using Clock = std::function<uint32_t()>;

  RandomSource();

  // A uniform number with 0 <= value < 1.
  double next();
  // floor(next() * n): a choice among n cases.
  int choose(int n) { return int(next() * n); }

  void seed(uint32_t value) { engine_.seed(value); }
  void reseedFromClock() { seed(clock_()); }
  void setClock(Clock clock) { clock_ = std::move(clock); }

  // Milliseconds since midnight, local time.
  static uint32_t timeOfDayMs();

 private:
  std::mt19937 engine_;
  Clock clock_;
};
