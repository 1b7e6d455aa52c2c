#include "display/layout_procedures.h"

#include <cmath>

#include "display/arithmetic.h"
#include "display/stage.h"

namespace Layout {

using Arith::wrap16;

void AstVc(Stage& st, int16_t vvY) {
  st.QX[1] = Arith::nearest16(st.width(st.lblQ[0]));
  st.QY[1] = Arith::nearest16(st.height(st.lblQ[0]));
  st.FX[1] = Arith::nearest16(st.width(st.lblF[0]));
  st.FY[1] = Arith::nearest16(st.height(st.lblF[0]));
  if (st.QY[1] < st.FY[1]) st.QY[1] = st.FY[1];
  st.QX[2] = wrap16(st.CX - Arith::floorInt((st.FX[1] + st.QX[1]) / 2.0));

  const int16_t left = st.QX[2];
  const int16_t h = st.QY[1];
  const int16_t wQ = st.QX[1];
  const int16_t wF = st.FX[1];

  st.lblF[0].left = left;
  st.lblQ[0].left = wrap16(left + wF);
  st.lblF[0].top = st.lblQ[0].top = wrap16(vvY - h);

  st.lblQ[1].left = left;
  st.lblF[1].left = wrap16(left + wQ);
  st.lblQ[1].top = st.lblF[1].top = wrap16(vvY - 2 * h);

  st.lblF[2].left = left;
  st.lblQ[2].left = wrap16(left + wF);
  st.lblF[2].top = st.lblQ[2].top = wrap16(vvY - 3 * h);
}

double sEgFx(int16_t qQx, int16_t fFx, int16_t iEg, int16_t pIch) {
  const int16_t d = wrap16(int(fFx) - int(qQx));
  const int16_t m = wrap16(int(d) * int(iEg));
  return std::floor(double(m) / double(pIch) + double(qQx));
}

}  // namespace Layout
