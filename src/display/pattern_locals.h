#pragma once

#include <cstdint>

// Values that single patterns keep from one tick to the next besides the
// shared tables. Like the shared tables they are never cleared between runs.
struct InsectsLocals {
  int16_t maxXQ = 0;  // largest left edge of the question glider
  int16_t maxXF = 0;  // largest left edge of the answer glider
  int16_t maxY = 0;   // largest top edge of both gliders
};

struct SardinesLocals {
  int16_t QXMax = 0, QYMax = 0, FXMax = 0, FYMax = 0;  // limits of a 16-point fish
  int16_t LeapX = 0, LeapY = 0;                        // take-off point of the current leap
};

struct BrickLocals {
  int16_t BrickQW = 0, BrickFW = 0, BrickH = 0;  // brick sizes at 22 points
};

struct PatternLocals {
  InsectsLocals insects;
  SardinesLocals sardines;
  BrickLocals brick;
};
