// Tornado: two whirlwinds rise from the bottom edge, each carrying the
// question and the answer on opposite ends of a widening, flattened circle
// while the words grow. The first starts at five sixths of the width and
// drifts left; the second starts at one third, turns the other way and
// drifts right, leaving a still copy of the first pair where it stood.
//
// Labels: 0 the first whirlwind, 1 the second, 2 the still copies.

#include <cmath>

#include "patterns/pattern.h"

namespace Patterns {
namespace {

using Arith::floorInt;
using Arith::wrap16;

// A new whirlwind at the foot of the screen: the question stands on the
// bottom line, the answer is centred on it.
void startWhirlwind(Stage& stage, size_t index, double centreX) {
  const double h = stage.SH;
  Label& q = stage.lblQ[index];
  q.size = 9;
  q.left = floorInt(centreX - stage.width(q) / 2.0);
  q.top = floorInt(h - stage.height(q));
  q.visible = true;
  Label& f = stage.lblF[index];
  f.size = 9;
  f.left = floorInt(centreX - stage.width(f) / 2.0);
  f.top = floorInt(h - stage.height(f) / 2.0);
  f.visible = true;
}

// Step p of the first whirlwind: radii 5p and 1.5p, one turn in 12 ticks,
// drifting 5 pixels left and H/70 up per tick.
void firstWhirlwind(Stage& stage) {
  const int p = stage.PH;
  const double H = stage.SH;
  // Single precision at every step: rounding only the finished product puts
  // 9 x pi/6 just past 3 pi/2, and the cosine's sign flip moves a word 1 px.
  const float alpha = Arith::kPi / 6.0f * float(p);
  const double c = std::cos(double(alpha));
  const double sn = std::sin(double(alpha));
  const int drift = wrap16(5 * p);
  const double centreX = stage.CX / 3.0 * 5;
  const double rise = p / 70.0 * H;
  const int size = floorInt(p / 50.0 * 45 + 9);

  Label& q = stage.lblQ[0];
  q.size = size;
  q.left = floorInt(p * c * 5 + centreX - stage.width(q) / 2.0 - drift);
  q.top = floorInt(p * sn * 1.5 + H - rise - stage.height(q) / 2.0);
  Label& f = stage.lblF[0];
  f.size = size;
  f.left = floorInt(centreX - p * c * 5 - stage.width(f) / 2.0 - drift);
  f.top = floorInt(H - p * sn * 1.5 - rise - stage.height(f) / 2.0);
}

// Step s of the second whirlwind: radii 7s and s, one turn in 14 ticks the
// other way round, drifting 4 pixels right and H/90 up per tick.
void secondWhirlwind(Stage& stage) {
  const int s = stage.STEP;
  const double H = stage.SH;
  const float beta = -Arith::kPi / 7.0f * float(s);  // single precision at every step
  const double c = std::cos(double(beta));
  const double sn = std::sin(double(beta));
  const int drift = wrap16(4 * s);
  const double centreX = stage.SW / 3.0;
  const double rise = s / 90.0 * H;
  const int size = floorInt(s / 45.0 * 40 + 9);

  Label& f = stage.lblF[1];
  f.size = size;
  f.left = floorInt(s * c * 7 + centreX - stage.width(f) / 2.0 + drift);
  f.top = floorInt(s * sn + H - rise - stage.height(f) / 2.0);
  Label& q = stage.lblQ[1];
  q.size = size;
  q.left = floorInt(centreX - s * c * 7 - stage.width(q) / 2.0 + drift);
  q.top = floorInt(H - s * sn - rise - stage.height(q) / 2.0);
}

// The still copy takes the size and place of the first whirlwind's label.
void copyStill(Label& copy, const Label& original) {
  copy.size = original.size;
  copy.left = original.left;
  copy.top = original.top;
  copy.visible = true;
}

}  // namespace

void tickTornado(Stage& stage) {
  const int p = stage.PH;
  if (p == 0) {
    startWhirlwind(stage, 0, stage.CX / 3.0 * 5);
  } else if (p >= 1 && p <= 14) {
    firstWhirlwind(stage);
  } else if (p == 15) {
    startWhirlwind(stage, 1, stage.SW / 3.0);
    stage.STEP = 1;
    firstWhirlwind(stage);
    copyStill(stage.lblQ[2], stage.lblQ[0]);
    copyStill(stage.lblF[2], stage.lblF[0]);
  } else if (p >= 16 && p <= 50) {
    firstWhirlwind(stage);
    secondWhirlwind(stage);
    stage.advanceStep();
  } else if (p >= 51 && p <= 55) {
    secondWhirlwind(stage);
    stage.advanceStep();
  } else if (p == 60) {
    stage.endPattern(TimerId::tmStn);
  }
  // Phases 56 to 59 hold the picture.
  stage.advancePhase();
}

}  // namespace Patterns
