// Brick: sixteen word pairs are laid one word at a time, from the bottom up,
// as a wall eight rows high and four words wide, question and answer
// alternating like bricks and swapped from row to row. Then the two middle
// words of every row rise together as one column, and the outer words of
// each row slide inward to close the gap, two rows at a time.
//
// Brick k is lblQ(k) and lblF(k); row j holds bricks 2j and 2j + 1.
// QX(0..3) / FX(0..3): left of the question / answer of a brick by k mod 4.
// STEP: the next brick while the wall is laid, then the rise step, then the
// first brick of the rows that close. Brick sizes live in stage.locals.brick.

#include <algorithm>

#include "patterns/pattern.h"

namespace Patterns {
namespace {

using Arith::floor16;
using Arith::floorInt;
using Arith::nearest16;
using Arith::wrap16;

constexpr int kBrickSize = 22;
constexpr int kBricks = 16;
constexpr int kBaseMargin = 40;  // the bottom row stands this far above the bottom
constexpr int kRiseTicks = 10;
constexpr int kEndPhase = 60;

// Top of the row that brick k belongs to.
int rowTop(const Stage& stage, int k) {
  return wrap16(stage.SH - kBaseMargin - wrap16(k / 2 * stage.locals.brick.BrickH));
}

// The inner (middle) label of brick k starts at the wall's centre line a.
Label& innerLabel(Stage& stage, int k) {
  const int m = k % 4;
  return (m == 0 || m == 3) ? stage.lblF[size_t(k)] : stage.lblQ[size_t(k)];
}

void measureBricks(Stage& stage) {
  BrickLocals& brick = stage.locals.brick;
  Label& question = stage.lblQ[0];
  Label& answer = stage.lblF[0];
  question.size = kBrickSize;
  answer.size = kBrickSize;
  brick.BrickH = nearest16(std::max(stage.height(question), stage.height(answer)));
  brick.BrickQW = nearest16(stage.width(question));
  brick.BrickFW = nearest16(stage.width(answer));
  for (size_t i = 0; i < kBricks; ++i) {
    stage.lblQ[i].size = kBrickSize;
    stage.lblF[i].size = kBrickSize;
  }

  // Even rows read question, answer, question, answer from a - wQ; odd rows
  // answer, question, answer, question from a - wF.
  const double a = stage.CX - wrap16(brick.BrickQW + brick.BrickFW) / 2.0;
  const int wQ = brick.BrickQW, wF = brick.BrickFW;
  stage.QX[0] = floor16(a - wQ);
  stage.FX[0] = floor16(a);
  stage.QX[1] = floor16(a + wF);
  stage.FX[1] = floor16(a + wF + wQ);
  stage.QX[2] = floor16(a);
  stage.FX[2] = floor16(a - wF);
  stage.QX[3] = floor16(a + wQ + wF);
  stage.FX[3] = floor16(a + wQ);
  stage.STEP = 0;
}

// Odd phases lay the question half of brick s, even phases its answer half.
void layHalfBrick(Stage& stage, int p) {
  const int s = stage.STEP;
  const size_t place = size_t(s % 4);
  Label& label = (p % 2 == 1) ? stage.lblQ[size_t(s)] : stage.lblF[size_t(s)];
  label.left = (p % 2 == 1) ? stage.QX[place] : stage.FX[place];
  label.top = rowTop(stage, s);
  label.visible = true;
  if (p % 2 == 0) stage.STEP = wrap16(s + 1);
}

// The inner column rises 0.8 brick heights per step.
void rise(Stage& stage) {
  const int16_t h = stage.locals.brick.BrickH;
  const int16_t lift = wrap16(h * stage.STEP * 8);
  for (int i = 0; i < kBricks; ++i) innerLabel(stage, i).top = floorInt(rowTop(stage, i) - lift / 10.0);
  stage.advanceStep();
}

// Two rows at a time, each outer word slides a third of its own width per
// tick towards the middle.
void close(Stage& stage, int p) {
  const BrickLocals& brick = stage.locals.brick;
  stage.STEP = nearest16(floorInt((p - 44) / 3.0) * 4);
  const int t = (p - 44) % 3 + 1;
  for (int j = 0; j <= 3; ++j) {
    const size_t k = size_t(stage.STEP + j);
    const int sigma = j % 2 == 0 ? 1 : -1;
    if (j == 0 || j == 3)
      stage.lblQ[k].left = stage.QX[size_t(j)] + wrap16(sigma * t * brick.BrickQW) / 3.0;
    else
      stage.lblF[k].left = stage.FX[size_t(j)] + wrap16(sigma * t * brick.BrickFW) / 3.0;
  }
}

}  // namespace

void tickBrick(Stage& stage) {
  const int p = stage.PH;
  if (p == 0) {
    measureBricks(stage);
  } else if (p >= 1 && p <= 32) {
    layHalfBrick(stage, p);
  } else if (p == 33) {
    stage.STEP = 1;
  } else if (p >= 34 && p < 34 + kRiseTicks) {
    rise(stage);
  } else if (p >= 44 && p <= 55) {
    close(stage, p);
  } else if (p == kEndPhase) {
    stage.endPattern(TimerId::tmSbr);
  }
  stage.advancePhase();
}

}  // namespace Patterns
