// Leaves: three copies of the pair, each in a larger type, drift down like
// falling leaves: tossed up, then sinking faster while swinging from side to
// side, now and then turning over to show the other word for one tick. The
// top-left and bottom-right corners blink question and answer in turn.
//
// Scratch tables for leaf i (0..2): QX(i) its horizontal centre, QY(i) its top,
// FX(i) its sideways step per tick, FY(i) its vertical speed before division;
// QX(i + 5) and FX(i + 5) the half widths of its question and answer.

#include "patterns/pattern.h"

namespace Patterns {
namespace {

struct Leaf {
  int size;
  int firstPhase;     // first phase the leaf moves
  int flipModulus;    // the swing reverses when p mod flipModulus == flipRemainder
  int flipRemainder;
  int speedDivisor;   // the top moves by floor(FY / speedDivisor)
  int acceleration;   // added to FY every tick
};

constexpr Leaf kLeaves[3] = {
    {35, 1, 5, 0, 3, 2},
    {40, 16, 7, 1, 4, 5},
    {45, 21, 6, 1, 5, 2},
};

// Whether leaf i shows its answer in a tick with I = p mod 6.
bool showsAnswer(int leaf, int I) {
  switch (leaf) {
    case 0: return I == 0;
    case 1: return I != 2;
    default: return I == 2 || I == 4;
  }
}

void setUp(Stage& s) {
  for (size_t i = 0; i < 3; ++i) {
    s.lblQ[i].size = kLeaves[i].size;
    s.lblF[i].size = kLeaves[i].size;
  }
  for (size_t i = 3; i <= 4; ++i) {
    s.lblQ[i].size = 25;
    s.lblF[i].size = 25;
  }
  const double W = s.SW;
  for (size_t i = 0; i < 3; ++i) {
    const double r1 = s.rnd();
    const double r2 = s.rnd();
    const double r3 = s.rnd();
    const int side = r2 > 0.5 ? 1 : r2 < 0.5 ? -1 : 0;
    s.QX[i] = Arith::floor16(W * r1 / 3 + W / 3);
    s.QY[i] = int16_t(80 + 10 * i);
    s.FX[i] = Arith::wrap16(side * (Arith::floorInt(r3 * 50) + 30));
    s.FY[i] = int16_t(-35 - 20 * int(i));
    s.QX[i + 5] = Arith::floor16(s.width(s.lblQ[i]) / 2.0);
    s.FX[i + 5] = Arith::floor16(s.width(s.lblF[i]) / 2.0);
    s.lblQ[i].left = Arith::wrap16(s.QX[i] - s.QX[i + 5]);
    s.lblQ[i].top = s.QY[i];
    s.lblF[i].left = Arith::wrap16(s.QX[i] - s.FX[i + 5]);
    s.lblF[i].top = s.QY[i];
  }
  s.FY[2] = 0;  // the third leaf is not tossed up

  Label& topLeftQ = s.lblQ[3];
  topLeftQ.left = 0;
  topLeftQ.top = 35;
  topLeftQ.visible = true;
  Label& topLeftF = s.lblF[3];
  topLeftF.left = 0;
  topLeftF.top = 35;
  topLeftF.visible = false;
  for (Label* corner : {&s.lblQ[4], &s.lblF[4]}) {
    corner->left = double(s.SW) - s.width(*corner);
    corner->top = double(s.SH) - s.height(*corner);
  }
  s.lblQ[4].visible = false;
  s.lblF[4].visible = true;
  s.lblF[0].visible = true;
}

// The corners swap words every four ticks, always one question and one answer.
void blinkCorners(Stage& s, int p) {
  if (p % 8 == 0 || p % 8 == 4) {
    const bool questionTopLeft = p % 8 == 0;
    s.lblQ[3].visible = questionTopLeft;
    s.lblF[3].visible = !questionTopLeft;
    s.lblQ[4].visible = !questionTopLeft;
    s.lblF[4].visible = questionTopLeft;
  }
}

void moveLeaf(Stage& s, size_t i, int p, int I) {
  const Leaf& leaf = kLeaves[i];
  if (p % leaf.flipModulus == leaf.flipRemainder) s.FX[i] = Arith::wrap16(-s.FX[i]);
  s.QX[i] = Arith::wrap16(s.QX[i] + s.FX[i]);
  s.QY[i] = Arith::wrap16(s.QY[i] + Arith::floorInt(double(s.FY[i]) / leaf.speedDivisor));
  s.FY[i] = Arith::wrap16(s.FY[i] + leaf.acceleration);

  const bool answer = showsAnswer(int(i), I);
  Label& shown = answer ? s.lblF[i] : s.lblQ[i];
  Label& hidden = answer ? s.lblQ[i] : s.lblF[i];
  const int16_t halfWidth = answer ? s.FX[i + 5] : s.QX[i + 5];
  hidden.visible = false;
  shown.left = Arith::wrap16(s.QX[i] - halfWidth);
  shown.top = s.QY[i];
  shown.visible = true;
}

}  // namespace

void tickLeaves(Stage& s) {
  const int p = s.PH;
  if (p == 0) {
    setUp(s);
  } else if (p <= 56) {
    blinkCorners(s, p);
    const int I = p % 6;
    for (size_t i = 0; i < 3; ++i)
      if (p >= kLeaves[i].firstPhase) moveLeaf(s, i, p, I);
  } else if (p == 60) {
    s.endPattern(TimerId::tmSln);
  }
  s.advancePhase();
}

}  // namespace Patterns
