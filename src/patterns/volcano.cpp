// Volcano: six pairs form a pyramid of three rows at the bottom of the
// screen; a column of three more pairs above its crater throbs, is thrown up
// to the centre line, erupts (each pair's words swing apart and up and down on
// random sine waves) and falls back into the crater, shrinking as it falls.
//
// Tables: FX/FY/QX/QY(0) the sizes of a volcano word and QY(0) its row pitch,
// FY(7) the crater line, QY(7) the column's base line while it is thrown up,
// QX(12..15) the periods to choose from; during the eruption QX/QY/FX/FY(i)
// the column's stored places, (i + 8) each pair's periods and amplitudes and
// FX/FY(3 + i) its current swing.

#include <cmath>

#include "patterns/pattern.h"

namespace Patterns {
namespace {

using Arith::floorInt;
using Arith::nearest16;
using Arith::wrap16;
using Layout::AstVc;

constexpr int kColumn = 3;  // pairs 0 to 2

void buildVolcano(Stage& st) {
  for (int i = 10; i <= 15; ++i) {
    st.lblQ[i].size = st.lblF[i].size = 20;
    st.lblQ[i].visible = st.lblF[i].visible = true;
  }
  st.FX[0] = nearest16(st.width(st.lblF[10]));
  st.FY[0] = nearest16(st.height(st.lblF[10]));
  st.QX[0] = nearest16(st.width(st.lblQ[10]));
  st.QY[0] = nearest16(st.height(st.lblQ[10]));
  if (st.QY[0] < st.FY[0]) st.QY[0] = st.FY[0];

  const int16_t wF = st.FX[0], wQ = st.QX[0], pitch = st.QY[0];
  const int16_t hw = Arith::floor16(wQ / 2.0);
  const int16_t cx = st.CX;
  // 16-bit sums wrap alike whether each step or only the total is wrapped.
  auto put = [&](Label& label, int left, int rowsUp) {
    label.left = wrap16(left);
    label.top = wrap16(st.SH - rowsUp * pitch);
  };
  // Three, four and five words, question and answer alternating.
  put(st.lblF[10], cx - wF - hw, 3);
  put(st.lblQ[10], cx - hw, 3);
  put(st.lblF[11], cx + hw, 3);

  put(st.lblQ[11], cx - wF - wQ, 2);
  put(st.lblF[12], cx - wF, 2);
  put(st.lblQ[12], cx, 2);
  put(st.lblF[13], cx + wQ, 2);

  put(st.lblQ[13], cx - hw - wQ - wF, 1);
  put(st.lblF[14], cx - hw - wF, 1);
  put(st.lblQ[14], cx - hw, 1);
  put(st.lblF[15], cx + hw, 1);
  put(st.lblQ[15], cx + hw + wF, 1);
}

void sizeColumn(Stage& st, int size) {
  for (int i = 0; i < kColumn; ++i) st.lblQ[i].size = st.lblF[i].size = size;
}

void buildColumn(Stage& st) {
  sizeColumn(st, 18);
  for (int i = 0; i < kColumn; ++i) st.lblQ[i].visible = st.lblF[i].visible = true;
  st.FY[7] = nearest16(st.lblQ[10].top);  // the crater line
  AstVc(st, st.FY[7]);
}

// Stores where the column stands and draws each pair's periods and
// amplitudes: horizontal period, vertical period, horizontal amplitude,
// vertical amplitude, in that order.
void setUpEruption(Stage& st) {
  st.QX[12] = 8;
  st.QX[13] = 12;
  st.QX[14] = 16;
  st.QX[15] = 24;
  for (int i = 0; i < kColumn; ++i) {
    st.QX[i] = nearest16(st.lblQ[i].left);
    st.QY[i] = nearest16(st.lblQ[i].top);
    st.FX[i] = nearest16(st.lblF[i].left);
    st.FY[i] = nearest16(st.lblF[i].top);
    st.QX[i + 8] = st.QX[floorInt(st.rnd() * 3) + 13];  // 12, 16 or 24
    st.QY[i + 8] = st.QX[floorInt(st.rnd() * 3) + 12];  // 8, 12 or 16
    st.FX[i + 8] = int16_t(floorInt(st.rnd() * 5) + 1);
    st.FY[i + 8] = int16_t(floorInt(st.rnd() * 4) + 4);
  }
  st.STEP = 1;
}

double swing(Stage& st, int16_t period, int16_t half, int16_t amplitude) {
  const float angle = float(st.STEP * double(Arith::kTwoPi) / period);
  return std::sin(double(angle)) * half * amplitude / 10;
}

// The two words of a pair move apart and together symmetrically and up and
// down together; the middle pair swings against the outer two.
void eruptionStep(Stage& st) {
  for (int i = 0; i < kColumn; ++i) {
    st.FX[3 + i] = Arith::floor16(swing(st, st.QX[i + 8], st.CX, st.FX[i + 8]));
    st.FY[3 + i] = Arith::floor16(swing(st, st.QY[i + 8], st.CY, st.FY[i + 8]));
  }
  for (int i = 0; i < kColumn; ++i) {
    const int sign = (i == 1) ? -1 : 1;
    const int dx = sign * st.FX[3 + i];
    const int dy = sign * st.FY[3 + i];
    st.lblF[i].left = wrap16(st.FX[i] - dx);
    st.lblF[i].top = wrap16(st.FY[i] - dy);
    st.lblQ[i].left = wrap16(st.QX[i] + dx);
    st.lblQ[i].top = wrap16(st.QY[i] - dy);
  }
  st.advanceStep();
}

void tick(Stage& st) {
  const int p = st.PH;
  if (p == 0) {
    buildVolcano(st);
    buildColumn(st);
  } else if (p >= 3 && p <= 11) {
    // The column throbs on the crater: shrinks, swells, shrinks.
    const int size = p <= 5 ? 20 - p : p <= 8 ? p + 10 : 26 - p;
    sizeColumn(st, size);
    AstVc(st, st.FY[7]);
  } else if (p >= 12 && p <= 19) {
    // Thrown up from the crater to the centre line, slowing down.
    sizeColumn(st, floorInt((p - 9) / 3.0 + 18));
    const int rise = 49 - (19 - p) * (19 - p);
    const int height = wrap16(st.FY[7] - st.CY);
    // The product is formed wide: on a tall display it exceeds 16 bits.
    st.QY[7] = Arith::floor16(st.FY[7] - double(rise) * height / 49);
    AstVc(st, st.QY[7]);
  } else if (p == 20) {
    setUpEruption(st);
  } else if (p >= 21 && p <= 44) {
    eruptionStep(st);
  } else if (p >= 45 && p <= 56) {
    // Back into the crater, ever faster, shrinking.
    sizeColumn(st, 65 - p);
    const double t = (p - 44) * (p - 44) / 144.0;
    const int16_t y = nearest16(t * wrap16(st.FY[7] - st.QY[7]) + st.QY[7]);
    AstVc(st, y);
  } else if (p == 60) {
    st.endPattern(TimerId::tmSvc);
  }
  // 1, 2 and 57 to 59: nothing
}

}  // namespace

void tickVolcano(Stage& st) {
  tick(st);
  st.advancePhase();
}

}  // namespace Patterns
