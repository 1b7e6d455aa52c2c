// Amoeba: the question falls from the top while it grows, then divides like a
// cell into two, four, eight and sixteen pieces that wander off in random
// directions, shrink, swell, shrink again and wobble into italics.
//
// Piece k is lblQ(k) for even k and lblF(k) for odd k. Its position (centre x,
// top) and velocity lie crosswise in the tables: an even piece at (QX, QY)
// moving by (FX, FY), an odd piece at (FX, FY) moving by (QX, QY).

#include <cmath>

#include "patterns/pattern.h"

namespace Patterns {
namespace {

using Arith::floorInt;
using Arith::kPi;
using Arith::kTwoPi;
using Arith::wrap16;

constexpr int kPieces = 16;

bool isEven(int k) { return k % 2 == 0; }

Label& pieceLabel(Stage& st, int k) { return isEven(k) ? st.lblQ[k] : st.lblF[k]; }
int16_t& posX(Stage& st, int k) { return isEven(k) ? st.QX[k] : st.FX[k]; }
int16_t& posY(Stage& st, int k) { return isEven(k) ? st.QY[k] : st.FY[k]; }
int16_t& velX(Stage& st, int k) { return isEven(k) ? st.FX[k] : st.QX[k]; }
int16_t& velY(Stage& st, int k) { return isEven(k) ? st.FY[k] : st.QY[k]; }

// A velocity of length `radius` in the direction `angle` (single precision).
void setVelocity(Stage& st, int k, double radius, float angle) {
  velX(st, k) = Arith::floor16(radius * std::cos(double(angle)));
  velY(st, k) = Arith::floor16(radius * std::sin(double(angle)));
}

// Angle (base + spread r) pi, from a fresh random number r.
float randomAngle(Stage& st, double base, double spread) {
  return float((base + spread * st.rnd()) * double(kPi));
}

// A full-circle random direction.
float anyDirection(Stage& st) { return float(double(kTwoPi) * st.rnd()); }

void move(Stage& st, int k, double jitterX, double jitterY) {
  posX(st, k) = wrap16(posX(st, k) + velX(st, k) + floorInt(jitterX));
  posY(st, k) = wrap16(posY(st, k) + velY(st, k) + floorInt(jitterY));
}

// Centre x on the piece's position, top on its top edge.
void place(Stage& st, int k) {
  Label& label = pieceLabel(st, k);
  label.left = posX(st, k) - floorInt(st.width(label) / 2.0);
  label.top = posY(st, k);
}

void resizeAndPlace(Stage& st, int k, int size) {
  pieceLabel(st, k).size = size;
  place(st, k);
}

void appear(Stage& st, int k, int size) {
  resizeAndPlace(st, k, size);
  pieceLabel(st, k).visible = true;
}

void copyPosition(Stage& st, int to, int from) {
  posX(st, to) = posX(st, from);
  posY(st, to) = posY(st, from);
}

void tick(Stage& st) {
  const int p = st.PH;
  if (p == 0) {
    st.QX[0] = Arith::floor16(st.CX / 3.0 * 4);  // two thirds across
    st.QY[0] = 35;
    appear(st, 0, 12);
    setVelocity(st, 0, 28, randomAngle(st, 0.5, 0.2));  // down, a little to the left
  } else if (p <= 10) {
    move(st, 0, 16 * st.rnd() - 8, 0);
    resizeAndPlace(st, 0, p + 12);
  } else if (p == 11) {
    // One becomes two, parting roughly in opposite directions.
    setVelocity(st, 0, 18, randomAngle(st, 0.9, 0.2));
    setVelocity(st, 1, 18, randomAngle(st, 1.9, 0.2));
    copyPosition(st, 1, 0);
    appear(st, 1, 22);
  } else if (p <= 18) {
    st.STEP = wrap16(p - 10);
    move(st, 0, 0, 10 * st.rnd() - 5);
    move(st, 1, 0, 10 * st.rnd() - 5);
    const int size = floorInt(st.STEP / 2.0) + 22;
    Label& first = st.lblQ[0];
    first.size = size;
    first.left = st.QX[0] - st.width(first) / 2.0;  // half the width, not rounded down
    first.top = st.QY[0];
    resizeAndPlace(st, 1, size);
  } else if (p == 19) {
    // Two become four.
    copyPosition(st, 2, 1);
    copyPosition(st, 3, 0);
    setVelocity(st, 0, 15, randomAngle(st, 0.4, 0.15));
    setVelocity(st, 1, 15, randomAngle(st, 0.45, 0.15));
    setVelocity(st, 2, 15, randomAngle(st, 1.45, 0.15));
    setVelocity(st, 3, 15, randomAngle(st, 1.4, 0.15));
    appear(st, 2, 28);
    appear(st, 3, 28);
  } else if (p <= 25) {
    for (int k = 0; k < 4; k += 2) {
      move(st, k, 8 * st.rnd() - 4, 0);
      move(st, k + 1, 8 * st.rnd() - 4, 0);
    }
    for (int k = 0; k < 4; ++k) place(st, k);
  } else if (p == 26) {
    // Four become eight, each new piece on top of an old one.
    for (int k = 4; k < 8; k += 2) {
      copyPosition(st, k, 7 - k);
      copyPosition(st, k + 1, 6 - k);
    }
    for (int k = 4; k < 8; ++k) appear(st, k, 28);
    for (int k = 0; k < 8; k += 2) {
      setVelocity(st, k, 15, anyDirection(st));
      setVelocity(st, k + 1, 15, anyDirection(st));
    }
  } else if (p <= 32) {
    for (int k = 0; k < 8; k += 2) {
      move(st, k, 0, 6 * st.rnd() - 3);
      move(st, k + 1, 0, 6 * st.rnd() - 3);
    }
    for (int k = 0; k < 8; ++k) resizeAndPlace(st, k, 54 - p);
  } else if (p == 33) {
    // Eight become sixteen.
    for (int k = 8; k < kPieces; k += 2) {
      copyPosition(st, k, 15 - k);
      copyPosition(st, k + 1, 14 - k);
    }
    for (int k = 8; k < kPieces; ++k) appear(st, k, 22);
    for (int k = 0; k < kPieces; k += 2) {
      setVelocity(st, k, 10, anyDirection(st));
      setVelocity(st, k + 1, 10, anyDirection(st));
    }
  } else if (p <= 40) {
    for (int k = 0; k < kPieces; k += 2) {
      const double x1 = 6 * st.rnd() - 3;
      const double y1 = 6 * st.rnd() - 3;
      move(st, k, x1, y1);
      const double x2 = 6 * st.rnd() - 3;
      const double y2 = 6 * st.rnd() - 3;
      move(st, k + 1, x2, y2);
    }
    for (int k = 0; k < kPieces; ++k) resizeAndPlace(st, k, 55 - p);
  } else if (p <= 50) {
    // Each piece drifts with six tenths of its partner's velocity:
    // question pieces k and 14 - k, answer pieces k and 16 - k.
    for (int k = 0; k < kPieces; k += 2) {
      const int even = k, odd = k + 1;
      const int evenPartner = 14 - k, oddPartner = 15 - k;
      posX(st, even) = wrap16(posX(st, even) + floorInt(0.6 * velX(st, evenPartner)));
      posY(st, even) = wrap16(posY(st, even) + floorInt(0.6 * velY(st, evenPartner)));
      posX(st, odd) = wrap16(posX(st, odd) + floorInt(0.6 * velX(st, oddPartner)));
      posY(st, odd) = wrap16(posY(st, odd) + floorInt(0.6 * velY(st, oddPartner)));
    }
    for (int k = 0; k < kPieces; ++k) resizeAndPlace(st, k, p - 25);
  } else if (p <= 56) {
    // Shrink and wobble between italic and upright; nothing moves.
    for (int k = 0; k < kPieces; ++k) {
      Label& label = pieceLabel(st, k);
      label.size = 125 - 2 * p;
      label.italic = (p % 2 == 1);
    }
  }
  // 57 to 59: a pause
}

}  // namespace

void tickAmoeba(Stage& st) {
  if (st.PH == 60) {
    st.endPattern(TimerId::tmSab);
    return;
  }
  tick(st);
  st.advancePhase();
}

}  // namespace Patterns
