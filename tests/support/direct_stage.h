#pragma once

#include <QSize>

#include "display/pattern_catalog.h"
#include "display/stage.h"
#include "fake_text_metrics.h"
#include "startup/random_source.h"

// A stage driven tick by tick, outside the main cycle, so each tick's use of
// the random generator can be counted.
struct DirectStage {
  explicit DirectStage(QSize display) {
    stage.SW = int16_t(display.width());
    stage.SH = int16_t(display.height() - 5);
    stage.CX = int16_t(stage.SW / 2);
    stage.CY = int16_t(stage.SH / 2);
    for (Label& l : stage.lblQ) l.caption = "question";
    for (Label& l : stage.lblF) l.caption = "answer";
  }

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
