#pragma once

#include <QSize>
#include <QString>
#include <QTextStream>
#include <cstdint>

#include "display/pattern_catalog.h"

class QuorlSaver;

// Runs the display headless on a virtual clock and prints every timer tick as
// one JSON object per line, for checking a build from outside.
struct TraceOptions {
  int runs = 1;                 // stop after this many patterns have ended
  QSize size{1024, 768};        // the form's scale width and height
  uint32_t seed = 0;            // offset of the virtual clock that seeds the generator
  QString framesFolder;         // when set, each tick's picture as NNNNNN.png
};

namespace TraceRunner {

// Loads settings and words as show mode does, then runs. Returns the exit code.
int run(QuorlSaver& saver, const PatternCatalog& patterns, const TraceOptions& options, QTextStream& out);

}  // namespace TraceRunner
