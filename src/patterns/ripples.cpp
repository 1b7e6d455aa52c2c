// Ripples: nine words, answers and questions alternating like a chequerboard,
// stand in a slanted three-by-three grid. Waves of italic type run across the
// grid from its first corner, the words glide into one descending line, and the
// line flickers between italic and upright. Only the glide moves anything.
//
// Cell i (0..8) is shown by lblF(i) when i is even and lblQ(i) when i is odd.
// Scratch tables: QX(9)/QX(10) half widths of the answer/question at 22 points,
// QY(9) the line pitch L, QY(10) the question's own pitch; QX(i)/QY(i) the grid
// place of cell i; FX(i)/FY(i) its column and row, later its place in the glide.

#include <algorithm>
#include <initializer_list>

#include "patterns/pattern.h"

namespace Patterns {
namespace {

constexpr int kCells = 9;

Label& cellLabel(Stage& s, int i) {
  return i % 2 == 0 ? s.lblF[size_t(i)] : s.lblQ[size_t(i)];
}

void setItalic(Stage& s, std::initializer_list<int> cells, bool italic) {
  for (int i : cells) cellLabel(s, i).italic = italic;
}

void setAllItalic(Stage& s, bool italic) {
  for (int i = 0; i < kCells; ++i) cellLabel(s, i).italic = italic;
}

void buildGrid(Stage& s) {
  s.STEP = 0;
  s.lblQ[0].size = 22;
  s.lblF[0].size = 22;
  s.QX[9] = Arith::floor16(s.width(s.lblF[0]) / 2.0);
  s.QX[10] = Arith::floor16(s.width(s.lblQ[0]) / 2.0);
  s.QY[10] = Arith::nearest16(s.height(s.lblQ[0]) + 3.0);
  // Question and answer cells share one pitch: the taller word decides it.
  s.QY[9] = std::max(Arith::nearest16(s.height(s.lblF[0]) + 3.0), s.QY[10]);
  const int L = s.QY[9];
  const int columnPitch = Arith::floorInt(s.CX / 2.0);
  const int gridTop = Arith::floorInt(s.CY / 4.0 * 3);

  for (int i = 0; i < kCells; ++i) {
    const size_t k = size_t(i);
    s.lblQ[k].size = 25;
    s.lblF[k].size = 25;
    const int c = i % 3 + 1;
    const int r = i / 3 + 1;
    s.FX[k] = int16_t(c);
    s.FY[k] = int16_t(r);
    const int half = i % 2 == 0 ? s.QX[9] : s.QX[10];
    s.QX[k] = Arith::nearest16(Arith::wrap16(columnPitch * c) + Arith::wrap16((r - 2) * L) - half);
    s.QY[k] = Arith::nearest16(gridTop + Arith::wrap16(L * (c - 1)) + Arith::wrap16(L * (r - 1) * 3));
    Label& label = cellLabel(s, i);
    label.left = s.QX[k];
    label.top = s.QY[k];
    label.visible = true;
  }
}

// Each cell moves in eight equal steps from its grid place to a line that
// falls to the right, two pitches across and one down per cell.
void glide(Stage& s) {
  s.advanceStep();
  const int L = s.QY[9];
  const int step = s.STEP;
  for (int i = 0; i < kCells; ++i) {
    const size_t k = size_t(i);
    const int16_t runX = Arith::wrap16(Arith::wrap16((8 - i) * L * 2) + 10 - s.QX[k]);
    const int16_t runY = Arith::wrap16(Arith::wrap16((9 - i) * L) - s.QY[k] + 20);
    s.FX[k] = Arith::nearest16(Arith::wrap16(runX * step) / 8.0 + s.QX[k]);
    s.FY[k] = Arith::nearest16(Arith::wrap16(runY * step) / 8.0 + s.QY[k]);
    Label& label = cellLabel(s, i);
    label.left = s.FX[k];
    label.top = s.FY[k];
  }
}

// The italic waves run from the first corner (cells at diagonal distance 0 to
// 1, then 1 to 2, then 2 to 4) and then over the whole line.
void ripple(Stage& s, int p) {
  const int m = p % 4;
  if (p <= 10) {
    if (m == 0 || m == 2) setItalic(s, {0, 1, 3}, m == 0);
  } else if (p <= 20) {
    if (m == 0 || m == 2) setItalic(s, {1, 2, 3, 4, 6}, m == 2);
  } else if (p <= 30) {
    if (m == 0 || m == 2) setItalic(s, {2, 4, 5, 6, 7, 8}, m == 2);
  } else if (p <= 47) {
    if (m == 0 || m == 2) setAllItalic(s, m == 0);
  } else {
    setAllItalic(s, p % 2 == 0);
  }
}

}  // namespace

void tickRipples(Stage& s) {
  const int p = s.PH;
  if (p == 0) {
    buildGrid(s);
  } else if (p <= 30 || (p >= 39 && p <= 57)) {
    ripple(s, p);
  } else if (p <= 38) {
    glide(s);
  } else if (p == 60) {
    s.endPattern(TimerId::tmSrp);
  }
  s.advancePhase();
}

}  // namespace Patterns
