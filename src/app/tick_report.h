#pragma once

#include <QObject>
#include <QTimer>
#include <cstdio>

#include "display/display_engine.h"

// Counts the frames of a running display, for measuring the cost of a frame
// from outside; reported on stderr once a second (so that a measurement can
// leave out start-up) and when the display has ended, only when
// DRIFTGLYPH_TICK_REPORT is set.
class TickReport {
 public:
  void count(const DisplayEngine& engine) {
    if (!enabled()) return;
    QObject::connect(&engine, &DisplayEngine::frameChanged, [this] { ++ticks_; });
    timer_.callOnTimeout([this] { print(); });
    timer_.start(1000);
  }
  // Before a host's signal ends the program, which skips destructors.
  void print() const {
    if (enabled()) std::fprintf(stderr, "ticks %lld\n", ticks_);
  }

 private:
  static bool enabled() { return qEnvironmentVariableIsSet("DRIFTGLYPH_TICK_REPORT"); }

  qint64 ticks_ = 0;
  QTimer timer_;
};
