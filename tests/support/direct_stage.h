#pragma once

#include <QSize>

#include "display/pattern_catalog.h"
#include "display/stage.h"
#include "fake_text_metrics.h"
#include "startup/random_source.h"

// Sets a stage up as the main cycle leaves it for a pattern's first tick:
// the display measured, every label carrying its word.
inline void prepareStage(Stage& stage, QSize display = QSize(1024, 768)) {
  stage.SW = int16_t(display.width());
  stage.SH = int16_t(display.height() - 5);
  stage.CX = int16_t(stage.SW / 2);
  stage.CY = int16_t(stage.SH / 2);
  for (Label& l : stage.lblQ) l.caption = QStringLiteral("question");
  for (Label& l : stage.lblF) l.caption = QStringLiteral("answer");
}

// A stage driven tick by tick, outside the main cycle, so each tick's use of
// the random generator can be counted.
struct DirectStage {
  explicit DirectStage(QSize display) { prepareStage(stage, display); }

  // Draws taken by one tick: the tick runs on a freshly seeded generator,
  // and the next number tells how far along the sequence it went (-1: more than 100).
  int drawsOfOneTick(PatternTick tick, uint32_t seed) {
    random.seed(seed);
    tick(stage);
    const double next = random.next();
    RandomSource reference;
    reference.seed(seed);
    for (int n = 0; n < 100; ++n)
      if (reference.next() == next) return n;
    return -1;
  }

  FakeTextMetrics metrics;
  RandomSource random;
  Stage stage{metrics, random};
};
