// Eagle: twelve rows of words, growing from 11 to 22 points, form a bird seen
// from the front with its wings hanging down in a V. It beats its wings up
// into an arch and down again, rises, opens its wings wide and glides in a
// swoop to the right, down and back to the left.
//
// Tables: QX/QY(i) the folded wing shape of row i, FX/FY(i) the other shape
// (the arch, then the open wing; FY(i) the absolute top from phase 45),
// QY(15) the body line, FX(15)/FY(15) the glide offsets.

#include <cmath>

#include "patterns/pattern.h"

namespace Patterns {
namespace {

using Arith::floorInt;
using Arith::nearest16;
using Arith::wrap16;
using Layout::sEgFx;

constexpr int kRows = 12;

// Row i: for even i the question on the left and the answer on the right,
// for odd i the other way round.
Label& leftWord(Stage& st, int i) { return (i % 2 == 0) ? st.lblQ[i] : st.lblF[i]; }
Label& rightWord(Stage& st, int i) { return (i % 2 == 0) ? st.lblF[i] : st.lblQ[i]; }

// The left word ends at CX - x and the right word starts at CX + x. The left
// word's width is read as it is placed, so it stays aligned whatever its style.
void placeRow(Stage& st, int i, double x, double y, double bodyLine) {
  Label& left = leftWord(st, i);
  left.left = st.CX - x - st.width(left);
  left.top = bodyLine + y;
  Label& right = rightWord(st, i);
  right.left = st.CX + x;
  right.top = bodyLine + y;
}

void buildBird(Stage& st) {
  const double bodyLine = floorInt(st.CY / 2.0);
  st.lblQ[0].size = st.lblF[0].size = 11;
  placeRow(st, 0, 0, 0, bodyLine);
  st.lblQ[0].visible = st.lblF[0].visible = true;

  st.QX[0] = st.QY[0] = st.FX[0] = st.FY[0] = 0;
  for (int i = 1; i < kRows; ++i) {
    // Each row hangs one answer height plus 3 below the one above it and
    // reaches further out by 1.5 i plus half a question height.
    const int hQ = st.height(st.lblQ[i - 1]);
    const int hF = st.height(st.lblF[i - 1]);
    st.QX[i] = nearest16(floorInt(i * 1.5 + hQ / 2.0) + st.QX[i - 1]);
    st.QY[i] = nearest16(st.QY[i - 1] + hF + 3);
    st.FX[i] = nearest16(-((i - 6) * (i - 6) - 36) * 4);  // the arch: 4 i (12 - i)
    st.FY[i] = wrap16(-st.QY[i]);

    st.lblQ[i].size = st.lblF[i].size = i + 11;
    placeRow(st, i, st.QX[i], st.QY[i], bodyLine);
    st.lblQ[i].visible = st.lblF[i].visible = true;
  }
}

// Every row on the way from one shape to another, step `step` of `steps`.
// `toOther` runs from the folded shape (QX, QY) to the other (FX, FY),
// otherwise back.
void moveWings(Stage& st, bool toOther, int step, int steps) {
  const int16_t body = st.QY[15];
  for (int i = 0; i < kRows; ++i) {
    const double x = toOther ? sEgFx(st.QX[i], st.FX[i], int16_t(step), int16_t(steps))
                             : sEgFx(st.FX[i], st.QX[i], int16_t(step), int16_t(steps));
    const double y = toOther ? sEgFx(st.QY[i], st.FY[i], int16_t(step), int16_t(steps))
                             : sEgFx(st.FY[i], st.QY[i], int16_t(step), int16_t(steps));
    placeRow(st, i, x, y, body);
  }
}

void setStep(Stage& st, int s) { st.STEP = wrap16(s); }

void setBodyLine(Stage& st, double y) { st.QY[15] = Arith::floor16(y); }

void tick(Stage& st) {
  const int p = st.PH;
  const double quarter = st.CY / 2.0;

  if (p == 0) {
    buildBird(st);
  } else if (p <= 15) {
    // Wings up into the arch while the body sinks.
    setBodyLine(st, quarter + 12 * p);
    moveWings(st, true, p, 15);
  } else if (p == 16) {
    // The folded shape is widened for the downstroke.
    for (int i = 0; i < kRows; ++i) st.QX[i] = Arith::floor16(st.QX[i] * 1.4);
  } else if (p <= 20) {
    // Flicker: italic on odd phases, upright on even ones, ending upright.
    for (int i = 0; i < kRows; ++i) st.lblQ[i].italic = st.lblF[i].italic = (p % 2 == 1);
  } else if (p <= 29) {
    // Wings down to the widened V while the body rises.
    setStep(st, p - 20);
    setBodyLine(st, quarter + 180 - 8 * st.STEP);
    moveWings(st, false, st.STEP, 9);
  } else if (p <= 35) {
    // The whole bird rises; only the tops change.
    setStep(st, p - 29);
    setBodyLine(st, quarter + 108 - 20 * st.STEP);
    for (int i = 0; i < kRows; ++i) {
      const int16_t top = wrap16(st.QY[i] + st.QY[15]);
      leftWord(st, i).top = top;
      rightWord(st, i).top = top;
    }
  } else if (p == 36) {
    // The open wing: the smallest integer not below 2.5 i (22 - i).
    for (int i = 0; i < kRows; ++i)
      st.FX[i] = Arith::nearest16(-std::floor(((i - 11) * (i - 11) - 121) * 2.5));
  } else if (p <= 44) {
    // Wings open while the body sinks.
    setStep(st, p - 36);
    setBodyLine(st, quarter - 12 + 15 * st.STEP);
    moveWings(st, true, st.STEP, 8);
  } else if (p == 45) {
    for (int i = 0; i < kRows; ++i) st.FY[i] = nearest16(st.lblQ[i].top);
  } else if (p <= 54) {
    // Glide: right 12 s (8 - s), down 8 s (10 - s) from where the wings opened.
    setStep(st, p - 45);
    const int s = st.STEP;
    st.FX[15] = nearest16(-((s - 4) * (s - 4) - 16) * 12);
    st.FY[15] = nearest16(-((s - 5) * (s - 5) - 25) * 8);
    for (int i = 0; i < kRows; ++i) {
      Label& left = leftWord(st, i);
      left.left = wrap16(st.CX - st.FX[i]) - st.width(left) + st.FX[15];
      Label& right = rightWord(st, i);
      right.left = wrap16(st.FX[i] + st.FX[15] + st.CX);
      left.top = right.top = wrap16(st.FY[i] + st.FY[15]);
    }
  } else if (p == 60) {
    st.endPattern(TimerId::tmSeg);
  }
  // 55 to 59: nothing
}

}  // namespace

void tickEagle(Stage& st) {
  tick(st);
  st.advancePhase();
}

}  // namespace Patterns
