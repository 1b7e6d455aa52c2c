// MerryGoRound: three pairs ride on three concentric rings around the centre,
// question and answer facing each other on each ring. The rings turn, a
// spotlight passes from the outer ring to the inner one at new sizes, then all
// three turn again the other way.

#include <cmath>

#include "patterns/pattern.h"

namespace Patterns {
namespace {

using Arith::floorInt;
using Arith::kPi;
using Arith::kTwoPi;

constexpr int kRings = 3;
constexpr double kRadius[kRings] = {40, 160, 280};
constexpr int kStartSize[kRings] = {18, 25, 35};
// Sizes as the spotlight reaches each ring.
constexpr int kSpotSize[kRings] = {25, 30, 20};

// The angles of one moment: question i and answer i on ring i.
struct RingAngles {
  float q[kRings];
  float f[kRings];
};

// Centre of a label of half size (halfW, halfH) on ring `ring` at angle `a`.
void placeOnRing(Stage& st, Label& label, int ring, float a, double halfW, double halfH) {
  const double r = kRadius[ring];
  label.left = floorInt(r * std::cos(double(a)) + st.CX - halfW);
  label.top = floorInt(r * std::sin(double(a)) + st.CY - halfH);
}

// Places the six labels at the given angles, centred with the half sizes
// recorded in the tables (question i: QX/QY, answer i: FX/FY).
void placeAll(Stage& st, const RingAngles& angles) {
  for (int i = 0; i < kRings; ++i) {
    placeOnRing(st, st.lblQ[i], i, angles.q[i], st.QX[i], st.QY[i]);
    placeOnRing(st, st.lblF[i], i, angles.f[i], st.FX[i], st.FY[i]);
  }
}

void recordHalfSizes(Stage& st) {
  for (int i = 0; i < kRings; ++i) {
    st.QX[i] = Arith::floor16(st.width(st.lblQ[i]) / 2.0);
    st.QY[i] = Arith::floor16(st.height(st.lblQ[i]) / 2.0);
    st.FX[i] = Arith::floor16(st.width(st.lblF[i]) / 2.0);
    st.FY[i] = Arith::floor16(st.height(st.lblF[i]) / 2.0);
  }
}

void setUp(Stage& st) {
  const float startQ[kRings] = {kPi, 0.0f, kPi};
  const float startF[kRings] = {0.0f, kPi, 0.0f};
  for (int i = 0; i < kRings; ++i) {
    Label& q = st.lblQ[i];
    q.size = kStartSize[i];
    placeOnRing(st, q, i, startQ[i], st.width(q) / 2.0, st.height(q) / 2.0);
    q.visible = true;

    Label& f = st.lblF[i];
    f.size = kStartSize[i];
    placeOnRing(st, f, i, startF[i], st.width(f) / 2.0, st.height(f) / 2.0);
    f.visible = true;
  }
  recordHalfSizes(st);
}

// Inner ring one turn clockwise, middle ring one turn anticlockwise, outer
// ring half a turn clockwise, over phases 1 to 20.
void firstTurn(Stage& st) {
  const float theta = float(st.PH * double(kTwoPi) / 20);
  const float half = theta / 2;
  placeAll(st, RingAngles{{theta + kPi, -theta, half + kPi}, {theta, kPi - theta, half}});
}

// Every ring the other way round, the outer one a little slower, over
// phases 28 to 55; the angles carry on from where the first turn stopped.
void secondTurn(Stage& st) {
  const float phi = float((st.PH - 27) * double(kTwoPi) / 25);
  const float outer = float(phi / 1.166);
  placeAll(st, RingAngles{{kPi - phi, phi, -outer}, {-phi, phi + kPi, kPi - outer}});
}

void showRing(Stage& st, int ring, bool visible) {
  st.lblQ[ring].visible = visible;
  st.lblF[ring].visible = visible;
}

// The spotlight: one ring at a time, at its new size, where it stood.
void spotlight(Stage& st) {
  switch (st.PH) {
    case 21:
      showRing(st, 0, false);
      showRing(st, 1, false);
      st.lblQ[2].size = st.lblF[2].size = kSpotSize[2];
      break;
    case 23:
      showRing(st, 2, false);
      st.lblQ[1].visible = true;
      st.lblQ[1].size = kSpotSize[1];
      st.lblF[1].visible = true;
      st.lblF[1].size = kSpotSize[1];
      break;
    case 25:
      showRing(st, 1, false);
      showRing(st, 0, true);
      st.lblQ[0].size = st.lblF[0].size = kSpotSize[0];
      break;
    case 27:
      showRing(st, 1, true);
      showRing(st, 2, true);
      recordHalfSizes(st);
      break;
    default:  // 22, 24, 26: hold
      break;
  }
}

}  // namespace

void tickMerryGoRound(Stage& st) {
  const int p = st.PH;
  if (p == 60) {
    st.endPattern(TimerId::tmSmg);
    return;
  }
  if (p == 0)
    setUp(st);
  else if (p <= 20)
    firstTurn(st);
  else if (p <= 27)
    spotlight(st);
  else if (p <= 55)
    secondTurn(st);
  // 56 to 59: hold
  st.advancePhase();
}

}  // namespace Patterns
