// Highway: the question and the answer race past each other along the centre
// line, then a second copy of the pair travels a winding road seen in
// perspective, the question coming near while the answer drives away.
//
// Scratch tables: QX(0)/FX(0) the right-edge start of the racing pair;
// QX(1)/FX(1) the far end of the road (Left); QX(2)/FX(2) the horizontal run
// from far to near; QY(1)/FY(1) the vertical run; QY(2)/FY(2) the near end (Top).

#include <cmath>

#include "patterns/pattern.h"

namespace Patterns {
namespace {

using Table = std::array<int16_t, Stage::kLabels>;

// Places `label` at position k of the road, 0 the far end (5 points, Top 35)
// and 15 the near end (50 points). The sine bends the road once each way.
// Only the tables are read: the road never measures a label.
void roadStep(const Stage& stage, Label& label, int k, const Table& x, const Table& y) {
  const double depth = (k / 15.0) * (k / 15.0);
  const float angle = float(k) * Arith::kTwoPi / 15.0f;
  const double bend = stage.CX * std::sin(double(angle)) * 1.5;
  label.left = Arith::floorInt(Arith::wrap16(k * x[2]) / 15.0 + x[1] - depth * bend);
  label.top = Arith::floorInt(depth * y[1] + Arith::wrap16(y[2] - y[1]));
  label.size = Arith::floorInt(depth * 45 + 5);
}

void setUp(Stage& s) {
  Label& q1 = s.lblQ[1];
  Label& f1 = s.lblF[1];
  Label& q2 = s.lblQ[2];
  Label& f2 = s.lblF[2];
  q1.size = 5;
  f1.size = 5;
  q2.size = 50;
  f2.size = 50;
  const int wQ1 = s.width(q1), wF1 = s.width(f1);
  const int wQ2 = s.width(q2), wF2 = s.width(f2);
  const int hQ2 = s.height(q2), hF2 = s.height(f2);
  const double W = s.SW, H = s.SH;

  // Far end: the 5-point pair side by side, centred on a quarter of the width.
  s.QX[0] = Arith::floor16((wF1 + wQ1) / 2.0);
  s.QX[1] = Arith::floor16(s.CX / 2.0 - s.QX[0]);
  s.FX[1] = Arith::floor16(s.CX / 2.0 - s.QX[0] + wQ1);
  // Near end: the 50-point pair centred on a third of the width, on the bottom edge.
  s.QX[0] = Arith::floor16((wF2 + wQ2) / 2.0);
  s.QX[2] = Arith::nearest16(Arith::floorInt(W / 3 - s.QX[0]) - s.QX[1]);
  s.FX[2] = Arith::nearest16(W / 3 - s.QX[0] + wQ2 - s.FX[1]);
  s.QY[1] = Arith::floor16(H - hQ2 - 35);
  s.FY[1] = Arith::floor16(H - hF2 - 35);
  s.QY[2] = Arith::floor16(H - hQ2);
  s.FY[2] = Arith::floor16(H - hF2);

  // The racing cars: the answer below the centre line at the left edge, the
  // question above it at the right edge.
  Label& f0 = s.lblF[0];
  f0.size = 25;
  f0.left = 0;
  f0.top = s.CY + 1;
  f0.visible = true;
  Label& q0 = s.lblQ[0];
  q0.size = 25;
  q0.left = double(s.SW) - s.width(q0);
  q0.top = double(s.CY) - s.height(q0);
  q0.visible = true;
  s.QX[0] = Arith::nearest16(double(s.SW) - s.width(q0));
  s.FX[0] = Arith::nearest16(double(s.SW) - s.width(f0));
}

}  // namespace

void tickHighway(Stage& s) {
  const int p = s.PH;
  if (p == 0) {
    setUp(s);
  } else if (p <= 5) {
    // Out: the question to the left edge, the answer to the right edge.
    s.lblQ[0].left = Arith::floorInt(Arith::wrap16((5 - p) * s.QX[0]) / 5.0);
    s.lblF[0].left = Arith::floorInt(Arith::wrap16(s.FX[0] * p) / 5.0);
  } else if (p <= 10) {
    // And back to where they started.
    s.lblQ[0].left = Arith::floorInt(Arith::wrap16((p - 5) * s.QX[0]) / 5.0);
    s.lblF[0].left = Arith::floorInt(Arith::wrap16((10 - p) * s.FX[0]) / 5.0);
  } else if (p == 11) {
    Label& q1 = s.lblQ[1];
    q1.left = s.QX[1];
    q1.top = Arith::wrap16(s.QY[2] - s.QY[1]);
    q1.visible = true;
    Label& f1 = s.lblF[1];
    f1.size = 45;
    f1.left = Arith::wrap16(s.FX[2] + s.FX[1]);
    f1.top = s.FY[2];
    f1.visible = true;
  } else if (p <= 56) {
    // Three passes of fifteen steps: the question comes near, the answer drives away.
    s.STEP = int16_t((p - 12) % 15 + 1);
    roadStep(s, s.lblQ[1], s.STEP, s.QX, s.QY);
    roadStep(s, s.lblF[1], 15 - s.STEP, s.FX, s.FY);
  } else if (p == 60) {
    s.endPattern(TimerId::tmShw);
  }
  s.advancePhase();
}

}  // namespace Patterns
