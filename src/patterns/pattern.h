#pragma once

// The pattern contract. A pattern is one tick function: it reads PH, does the
// work of that phase on the stage's labels and tables, and advances PH; in its
// last working phase it calls stage.endPattern(its timer) to hand control back
// to the main cycle. When its first tick runs, every question label carries
// the question and every answer label the answer, at 24 points, upright,
// hidden. A pattern changes only position, font size, visibility and italic
// style of labels, draws random numbers only through stage.rnd(), and keeps
// nothing outside the stage (no globals, no function-local statics).

#include "display/arithmetic.h"
#include "display/layout_procedures.h"
#include "display/pattern_catalog.h"
#include "display/stage.h"

namespace Patterns {

void tickWaterdrop(Stage& stage);
void tickDancing(Stage& stage);
void tickTornado(Stage& stage);
void tickInsects(Stage& stage);
void tickHighway(Stage& stage);
void tickFireball(Stage& stage);
void tickLeaves(Stage& stage);
void tickRipples(Stage& stage);
void tickPulse(Stage& stage);
void tickSardines(Stage& stage);
void tickKnot(Stage& stage);
void tickBrick(Stage& stage);
void tickMerryGoRound(Stage& stage);
void tickEagle(Stage& stage);
void tickAmoeba(Stage& stage);
void tickVolcano(Stage& stage);

// The sixteen patterns by number, name and timer.
const PatternCatalog& table();

}  // namespace Patterns
