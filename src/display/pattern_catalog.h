#pragma once

#include <QString>
#include <array>

#include "display/glide.h"
#include "display/timer_bank.h"

class Stage;

// One tick of a pattern: does the work of phase PH on the stage.
using PatternTick = void (*)(Stage&);

struct PatternEntry {
  int number;       // 1..16
  QString name;     // shown in lblPtn; the pattern runs on patternTimer(number)
  PatternTick tick; // null while the pattern cannot run
  MotionRule motion{};  // which moves glide between ticks in smooth motion
  // Every word visible: a label is shrunk to fit 1/fitShare of the display's
  // width, for patterns that set several words side by side.
  int fitShare = 1;
  QString japaneseName{};  // beside the name in the settings' Pattern menu
  // A label that the fit broke into lines or shrank, and that the pattern
  // places partly off the display although it fits, is moved onto it; for
  // patterns whose words never come in from outside.
  bool fitMovesInside = false;
};

// The sixteen patterns by number. The main cycle treats an entry without a
// tick as excluded.
using PatternCatalog = std::array<PatternEntry, 16>;
