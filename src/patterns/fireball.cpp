// Fireball: a rocket of three question and three answer copies climbs the
// screen and fades, then three bursts follow, each throwing copies of the pair
// outwards on two concentric rings that take turns and slow down as they open.
//
// Scratch tables during the rocket: QX(0)/QY(0) the next rocket position (x and
// top), QX(1)/FX(1) the half widths of the question and the answer, QY(1) the
// rise between positions. During a burst: QX(0)/QY(0) and FX(0)/FY(0) the half
// width and height of the question and the answer, QX(1)/FX(1) the ring radii.
// STEP indexes the rocket labels, then counts the expansion steps of a burst.

#include <cmath>

#include "patterns/pattern.h"

namespace Patterns {
namespace {

struct Burst {
  int setUpPhase;
  int lastPhase;      // last expansion phase
  int labels;         // copies of each kind: indices 0 .. labels - 1
  int questionSize, answerSize;
  int spokes;
  float questionOffset, answerOffset;  // angle of spoke 0, radians
  int divisor;        // steps to full radius
};

constexpr Burst kBursts[3] = {
    {11, 24, 9, 18, 18, 9, 0.1f, 0.45f, 15},
    {25, 35, 6, 14, 16, 6, 0.3f, 0.82f, 10},
    {36, 55, 8, 18, 18, 8, 0.3f, 0.65f, 19},
};

// Centre of each burst. The first works in whole pixels on the screen centre.
double centreX(const Stage& s, int burst) {
  return burst == 0 ? s.CX : burst == 1 ? s.SW * 0.6 : s.CX * 0.9;
}
double centreY(const Stage& s, int burst) {
  return burst == 0 ? s.CY : burst == 1 ? s.CY * 1.2 : s.CY * 0.9;
}

void placeRocketLabel(Stage& s, Label& label, int16_t halfWidth) {
  label.left = Arith::wrap16(s.QX[0] - halfWidth);
  label.top = s.QY[0];
}

void advanceRocket(Stage& s) {
  s.QX[0] = Arith::wrap16(s.QX[0] + 20);
  s.QY[0] = Arith::wrap16(s.QY[0] - s.QY[1]);
}

void rocketSetUp(Stage& s) {
  s.lblQ[0].size = 15;
  s.lblF[0].size = 15;
  s.QX[0] = Arith::floor16(s.CX / 2.0);
  s.QY[0] = Arith::nearest16(double(s.SH) - s.height(s.lblQ[0]));
  s.QX[1] = Arith::floor16(s.width(s.lblQ[0]) / 2.0);
  s.FX[1] = Arith::floor16(s.width(s.lblF[0]) / 2.0);
  s.QY[1] = Arith::floor16(s.height(s.lblQ[0]) * 1.3);
  for (int i = 0; i < 3; ++i) {
    Label& q = s.lblQ[size_t(i)];
    q.size = 15;
    placeRocketLabel(s, q, s.QX[1]);
    q.visible = true;
    advanceRocket(s);
    Label& f = s.lblF[size_t(i)];
    f.size = 15;
    placeRocketLabel(s, f, s.FX[1]);
    f.visible = true;
    advanceRocket(s);
  }
  s.STEP = 0;
}

// Puts one label of a burst at its centre, in its burst's size.
void gather(Stage& s, Label& label, int size, int burst) {
  label.size = size;
  if (burst == 0) {
    label.left = Arith::wrap16(s.CX - Arith::floorInt(s.width(label) / 2.0));
    label.top = Arith::wrap16(s.CY - Arith::floorInt(s.height(label) / 2.0));
  } else {
    label.left = Arith::floorInt(centreX(s, burst) - s.width(label) / 2.0);
    label.top = Arith::floorInt(centreY(s, burst) - s.height(label) / 2.0);
  }
  // The second burst regroups labels that the first left visible.
  if (burst != 1) label.visible = true;
}

void burstSetUp(Stage& s, int burst) {
  const Burst& b = kBursts[burst];
  if (burst == 1) {
    for (size_t i = 6; i <= 8; ++i) {
      s.lblQ[i].visible = false;
      s.lblF[i].visible = false;
    }
  }
  for (int i = 0; i < b.labels; ++i) {
    gather(s, s.lblQ[size_t(i)], b.questionSize, burst);
    gather(s, s.lblF[size_t(i)], b.answerSize, burst);
  }
  s.QX[0] = Arith::floor16(s.width(s.lblQ[0]) / 2.0);
  s.QY[0] = Arith::floor16(s.height(s.lblQ[0]) / 2.0);
  s.FX[0] = Arith::floor16(s.width(s.lblF[0]) / 2.0);
  s.FY[0] = Arith::floor16(s.height(s.lblF[0]) / 2.0);
  switch (burst) {
    case 0:
      s.QX[1] = s.CY;
      s.FX[1] = Arith::floor16(s.CY / 4.0 * 3);
      break;
    case 1:
      s.QX[1] = Arith::floor16(s.SW / 8.0);
      s.FX[1] = Arith::floor16(s.SW / 5.0);
      break;
    default:
      s.QX[1] = Arith::floor16(s.CX * 0.55);
      s.FX[1] = Arith::floor16(s.CX * 0.3);
      break;
  }
  s.STEP = 1;
}

// One expansion step: odd phases open the question ring, even phases the
// answer ring. The square root makes a ring open fast and then slow down.
void expand(Stage& s, int burst, int p) {
  const Burst& b = kBursts[burst];
  const bool questions = p % 2 != 0;
  auto& labels = questions ? s.lblQ : s.lblF;
  const int radius = questions ? s.QX[1] : s.FX[1];
  const int16_t halfWidth = questions ? s.QX[0] : s.FX[0];
  const int16_t halfHeight = questions ? s.QY[0] : s.FY[0];
  const float offset = questions ? b.questionOffset : b.answerOffset;
  const double spread = std::sqrt(double(s.STEP) / b.divisor);

  double originX, originY;
  if (burst == 0) {
    originX = Arith::wrap16(s.CX - halfWidth);
    originY = Arith::wrap16(s.CY - halfHeight);
  } else {
    originX = centreX(s, burst) - halfWidth;
    originY = centreY(s, burst) - halfHeight;
  }
  for (int i = 0; i < b.labels; ++i) {
    const float angle = Arith::kTwoPi * float(i) / float(b.spokes) + offset;
    Label& label = labels[size_t(i)];
    label.left = Arith::floorInt(radius * std::cos(double(angle)) * spread + originX);
    label.top = Arith::floorInt(radius * std::sin(double(angle)) * spread + originY);
  }
  s.advanceStep();
}

}  // namespace

void tickFireball(Stage& s) {
  const int p = s.PH;
  if (p == 60) {
    s.endPattern(TimerId::tmSfb);
    return;  // the phase counter stays at 60
  }
  if (p == 0) {
    rocketSetUp(s);
  } else if (p <= 6) {
    // The lowest label jumps to the top of the rocket.
    const size_t i = size_t(s.STEP);
    if (p % 2 != 0) {
      placeRocketLabel(s, s.lblQ[i], s.QX[1]);
    } else {
      placeRocketLabel(s, s.lblF[i], s.FX[1]);
      s.advanceStep();
    }
    advanceRocket(s);
  } else if (p == 7) {
    s.STEP = 0;
  } else if (p <= 10) {
    const size_t i = size_t(s.STEP);
    s.lblQ[i].visible = false;
    s.lblF[i].visible = false;
    s.advanceStep();
  } else {
    for (int burst = 0; burst < 3; ++burst) {
      const Burst& b = kBursts[burst];
      if (p == b.setUpPhase) burstSetUp(s, burst);
      else if (p > b.setUpPhase && p <= b.lastPhase) expand(s, burst, p);
    }
  }
  s.advancePhase();
}

}  // namespace Patterns
