// Insects: twelve small copies of each word crawl about in random hops while
// one large copy of each glides in a straight line and bounces off the edges.
// Half way the gliders turn and speed up, the hops lengthen and three medium
// copies of each word settle on the screen.
//
// Shared tables: entries 1..12 hold the small insects' left and top edges,
// entry 0 the gliders' position and entry 15 their velocity. The gliders'
// bounds live in the stage's Insects locals.

#include <cmath>

#include "patterns/pattern.h"

namespace Patterns {
namespace {

using Arith::floor16;
using Arith::floorInt;
using Arith::nearest16;
using Arith::wrap16;

constexpr int kTopMargin = 35;  // the lowest top edge any label aims for
constexpr size_t kVelocity = 15;

// Scatters a label at random over the screen below the top margin, using
// its current size, and shows it.
void scatter(Stage& stage, Label& label) {
  label.left = floorInt(stage.rnd() * (stage.SW - stage.width(label)));
  label.top = floorInt(stage.rnd() * (stage.SH - kTopMargin - stage.height(label)) + kTopMargin);
  label.visible = true;
}

// Scatters label i of both kinds at the given size and records where it
// landed in the tables.
void scatterTracked(Stage& stage, size_t i, int size) {
  Label& q = stage.lblQ[i];
  q.size = size;
  scatter(stage, q);
  stage.QX[i] = nearest16(q.left);
  stage.QY[i] = nearest16(q.top);
  Label& f = stage.lblF[i];
  f.size = size;
  scatter(stage, f);
  stage.FX[i] = nearest16(f.left);
  stage.FY[i] = nearest16(f.top);
}

// A random heading at speed g; the components are rounded down, so they
// lie in [-g, g - 1] except exactly along an axis.
void randomDirection(Stage& stage, int16_t& vx, int16_t& vy, int g) {
  const float a = float(stage.rnd() * double(Arith::kTwoPi));
  vx = floor16(std::cos(double(a)) * g);
  vy = floor16(std::sin(double(a)) * g);
}

// -1 with probability 1/2, 0 with 1/3, +1 with 1/6: hops drift up and left.
int hopDirection(Stage& stage) {
  const int v = floorInt(stage.rnd() * 3 - 1.5);
  return (v > 0) - (v < 0);
}

void hop(Stage& stage, Label& label, int16_t& x, int16_t& y, int length) {
  x = wrap16(x + length * hopDirection(stage));
  y = wrap16(y + length * hopDirection(stage));
  label.left = x;
  label.top = y;
}

// One axis of a glide. Out of bounds the velocity turns and the position
// goes back past its previous one by the old step; nothing clamps it.
void glideAxis(int16_t& pos, int16_t& velocity, int low, int high) {
  pos = wrap16(pos + velocity);
  if (pos < low || pos > high) {
    velocity = wrap16(-velocity);
    pos = wrap16(pos + 2 * velocity);
  }
}

void crawl(Stage& stage, int hopLength) {
  stage.STEP = wrap16(stage.PH % 4);
  const int s = stage.STEP;
  for (int i : {s + 1, s + 5, s + 9}) {
    const size_t k = size_t(i);
    hop(stage, stage.lblQ[k], stage.QX[k], stage.QY[k], hopLength);
    hop(stage, stage.lblF[k], stage.FX[k], stage.FY[k], hopLength);
  }

  InsectsLocals& bounds = stage.locals.insects;
  glideAxis(stage.QX[0], stage.QX[kVelocity], 0, bounds.maxXQ);
  glideAxis(stage.QY[0], stage.QY[kVelocity], kTopMargin, bounds.maxY);
  glideAxis(stage.FX[0], stage.FX[kVelocity], 0, bounds.maxXF);
  // The answer glider shares the question glider's vertical bound.
  glideAxis(stage.FY[0], stage.FY[kVelocity], kTopMargin, bounds.maxY);
  stage.lblQ[0].left = stage.QX[0];
  stage.lblQ[0].top = stage.QY[0];
  stage.lblF[0].left = stage.FX[0];
  stage.lblF[0].top = stage.FY[0];
}

void launchGliders(Stage& stage) {
  scatterTracked(stage, 0, 40);
  InsectsLocals& bounds = stage.locals.insects;
  bounds.maxXQ = floor16(double(stage.SW) - stage.width(stage.lblQ[0]));
  bounds.maxXF = floor16(double(stage.SW) - stage.width(stage.lblF[0]));
  bounds.maxY = floor16(double(stage.SH) - stage.height(stage.lblQ[0]));
  randomDirection(stage, stage.QX[kVelocity], stage.QY[kVelocity], 20);
  randomDirection(stage, stage.FX[kVelocity], stage.FY[kVelocity], 20);
}

void halfTime(Stage& stage) {
  randomDirection(stage, stage.QX[kVelocity], stage.QY[kVelocity], 35);
  randomDirection(stage, stage.FX[kVelocity], stage.FY[kVelocity], 35);
  // The medium insects settle where they land and keep no position.
  for (size_t i = 13; i <= 15; ++i) {
    stage.lblQ[i].size = 18;
    scatter(stage, stage.lblQ[i]);
    stage.lblF[i].size = 18;
    scatter(stage, stage.lblF[i]);
  }
}

}  // namespace

void tickInsects(Stage& stage) {
  const int p = stage.PH;
  if (p == 0) {
    for (size_t i = 1; i <= 12; ++i) scatterTracked(stage, i, 14);
  } else if (p == 1) {
    launchGliders(stage);
  } else if (p >= 2 && p <= 29) {
    crawl(stage, 10);
  } else if (p == 30) {
    halfTime(stage);
  } else if (p >= 31 && p <= 54) {
    crawl(stage, 15);
  } else if (p == 60) {
    stage.endPattern(TimerId::tmSis);
  }
  // Phases 55 to 59 hold the picture.
  stage.advancePhase();
}

}  // namespace Patterns
