#pragma once

#include <QObject>
#include <cstdio>

#include "display/display_engine.h"

// Counts the frames of a running display, for measuring the cost of a frame
// from outside; reported on stderr when the display has ended, only when
// DRIFTGLYPH_TICK_REPORT is set.
class TickReport {
 public:
  void count(const DisplayEngine& engine) {
    if (qEnvironmentVariableIsSet("DRIFTGLYPH_TICK_REPORT"))
      QObject::connect(&engine, &DisplayEngine::frameChanged, [this] { ++ticks_; });
  }
  // Before a host's signal ends the program, which skips destructors.
  void print() const {
    if (qEnvironmentVariableIsSet("DRIFTGLYPH_TICK_REPORT")) std::fprintf(stderr, "ticks %lld\n", ticks_);
  }

 private:
  qint64 ticks_ = 0;
};
