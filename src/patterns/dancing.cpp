// Dancing: four chains of three labels hang from fixed anchors, two small
// chains above and two large ones below. Eight times each chain takes a new
// random shape and its two free labels slide there in four equal steps.
//
// Shared tables: entries 0..5 hold the current points of labels 0..5 (x the
// centre, y the top), 6..7 the targets of labels 1..2, 8..9 the targets of
// labels 4..5; entry 10 of QX/FX the group A half widths and of QY/FY the
// group A line pitches, entry 11 the same for group B; QX(12) the long step
// r and QX(13) the short step o.

#include <array>

#include "patterns/pattern.h"

namespace Patterns {
namespace {

using Arith::floor16;
using Arith::floorInt;
using Arith::wrap16;

constexpr size_t kGroupA = 10, kGroupB = 11, kLongStep = 12, kShortStep = 13;

// One label of a chain: which kind, which index, and the table entry that
// holds its target.
struct Link {
  bool question;
  size_t index;

  std::array<int16_t, 16>& xs(Stage& st) const { return question ? st.QX : st.FX; }
  std::array<int16_t, 16>& ys(Stage& st) const { return question ? st.QY : st.FY; }
  Label& label(Stage& st) const { return question ? st.lblQ[index] : st.lblF[index]; }
  size_t group() const { return index < 3 ? kGroupA : kGroupB; }
  int16_t halfWidth(Stage& st) const { return xs(st)[group()]; }
  int16_t pitch(Stage& st) const { return ys(st)[group()]; }
  // Followers 1, 2 keep their targets in 6, 7; followers 4, 5 in 8, 9.
  size_t targetEntry() const { return index < 3 ? index + 5 : index + 4; }
};

// A shape: the target of follower 1 as an offset from the anchor, then the
// target of follower 2 as an offset from follower 1's target. Each offset is
// made of the short step o, the long step r or the line pitch of the label
// it starts from.
enum class Step { plusO, minusO, plusR, minusR, pitch };

struct Offset {
  Step dx;
  Step dy;
};

struct Shape {
  Offset first;
  Offset second;
};

struct Chain {
  Link anchor, follower1, follower2;
  int sigma;          // -1 leans left, +1 leans right
  const Shape* shapes;
  int shapeCount;
  bool mirrored;      // horizontal steps of the table are multiplied by sigma
};

// Table A is written for a chain leaning right and mirrored by sigma; the
// B tables are written per side.
constexpr Shape kTableA[] = {
    {{Step::plusO, Step::plusR}, {Step::plusR, Step::pitch}},
    {{Step::plusR, Step::pitch}, {Step::plusR, Step::pitch}},
    {{Step::plusR, Step::pitch}, {Step::plusO, Step::minusR}},
    {{Step::plusO, Step::minusR}, {Step::plusO, Step::minusR}},
};
constexpr Shape kTableBLeft[] = {
    {{Step::minusO, Step::plusR}, {Step::minusO, Step::plusR}},
    {{Step::minusR, Step::pitch}, {Step::minusO, Step::plusR}},
    {{Step::minusR, Step::pitch}, {Step::minusR, Step::pitch}},
};
// Shape 0 leans inwards, to the left.
constexpr Shape kTableBRight[] = {
    {{Step::minusR, Step::pitch}, {Step::minusO, Step::plusR}},
    {{Step::plusO, Step::plusR}, {Step::plusO, Step::plusR}},
    {{Step::plusR, Step::pitch}, {Step::plusO, Step::plusR}},
    {{Step::plusR, Step::pitch}, {Step::plusR, Step::pitch}},
};

// Draw order: A-left, A-right, B-left, B-right.
const std::array<Chain, 4> kChains = {{
    {{true, 0}, {false, 1}, {true, 2}, -1, kTableA, 4, true},
    {{false, 0}, {true, 1}, {false, 2}, +1, kTableA, 4, true},
    {{false, 3}, {true, 4}, {false, 5}, -1, kTableBLeft, 3, false},
    {{true, 3}, {false, 4}, {true, 5}, +1, kTableBRight, 4, false},
}};

int stepValue(Stage& st, Step step, const Link& from) {
  const int r = st.QX[kLongStep], o = st.QX[kShortStep];
  switch (step) {
    case Step::plusO: return o;
    case Step::minusO: return -o;
    case Step::plusR: return r;
    case Step::minusR: return -r;
    case Step::pitch: return from.pitch(st);
  }
  return 0;
}

void offsetPoint(Stage& st, const Chain& chain, const Offset& offset, const Link& from, int16_t x,
                 int16_t y, int16_t& outX, int16_t& outY) {
  const int dx = stepValue(st, offset.dx, from);
  outX = wrap16(x + (chain.mirrored ? chain.sigma * dx : dx));
  outY = wrap16(y + stepValue(st, offset.dy, from));
}

void drawTargets(Stage& st) {
  for (const Chain& chain : kChains) {
    const int shapeNumber = floorInt(st.rnd() * chain.shapeCount);
    const Shape& shape = chain.shapes[shapeNumber];
    const Link& a = chain.anchor;
    const Link& f1 = chain.follower1;
    const Link& f2 = chain.follower2;
    const size_t t1 = f1.targetEntry(), t2 = f2.targetEntry();
    offsetPoint(st, chain, shape.first, a, a.xs(st)[a.index], a.ys(st)[a.index], f1.xs(st)[t1],
                f1.ys(st)[t1]);
    offsetPoint(st, chain, shape.second, f1, f1.xs(st)[t1], f1.ys(st)[t1], f2.xs(st)[t2],
                f2.ys(st)[t2]);
  }
}

void place(Stage& st, const Link& link) {
  Label& label = link.label(st);
  label.left = wrap16(link.xs(st)[link.index] - link.halfWidth(st));
  label.top = link.ys(st)[link.index];
}

void measure(Stage& st, bool question, size_t index, size_t entry) {
  const Link link{question, index};
  const Label& label = link.label(st);
  link.xs(st)[entry] = floor16(st.width(label) / 2.0);
  link.ys(st)[entry] = floor16(st.height(label) * 0.75);
}

void setUp(Stage& st) {
  measure(st, true, 0, kGroupA);
  measure(st, false, 0, kGroupA);
  for (size_t i = 3; i <= 5; ++i) {
    st.lblQ[i].size = 30;
    st.lblF[i].size = 30;
  }
  measure(st, true, 3, kGroupB);
  measure(st, false, 3, kGroupB);
  st.QX[kLongStep] = floor16(st.SH / 7.5);
  st.QX[kShortStep] = floor16(st.QY[kGroupA] / 2.0);
  const int16_t o = st.QX[kShortStep];

  const int16_t left = floor16(st.SW / 8.0 * 3);
  const int16_t right = floor16(st.SW / 8.0 * 5);
  const int16_t upper = floor16(st.SH / 4.0);
  const int16_t lower = floor16(st.SH / 5.0 * 3);
  st.QX[0] = left;
  st.QY[0] = upper;
  st.FX[0] = right;
  st.FY[0] = wrap16(upper + st.QY[kGroupA]);
  st.FX[3] = wrap16(left - o);
  st.FY[3] = lower;
  st.QX[3] = wrap16(right + o);
  st.QY[3] = wrap16(lower + st.FY[kGroupB]);

  // Each chain starts as a slanting line: one short step sideways and one
  // long step down per label.
  const int16_t r = st.QX[kLongStep];
  for (const Chain& chain : kChains) {
    const Link* previous = &chain.anchor;
    for (const Link* follower : {&chain.follower1, &chain.follower2}) {
      follower->xs(st)[follower->index] = wrap16(previous->xs(st)[previous->index] + chain.sigma * o);
      follower->ys(st)[follower->index] = wrap16(previous->ys(st)[previous->index] + r);
      previous = follower;
    }
  }

  for (size_t i = 0; i <= 5; ++i) {
    for (bool question : {true, false}) {
      const Link link{question, i};
      place(st, link);
      link.label(st).visible = true;
    }
  }
  drawTargets(st);
  st.STEP = 1;
}

// Step s of four from the current point towards the target; the partial
// distance is rounded down, so leftwards and upwards moves lead.
void moveStep(Stage& st) {
  const int s = st.STEP;
  for (size_t i : {size_t(1), size_t(2), size_t(4), size_t(5)}) {
    for (bool question : {false, true}) {
      const Link link{question, i};
      const auto& xs = link.xs(st);
      const auto& ys = link.ys(st);
      const size_t t = link.targetEntry();
      const int16_t dx = wrap16(xs[t] - xs[i]);
      const int16_t dy = wrap16(ys[t] - ys[i]);
      Label& label = link.label(st);
      label.left = floorInt(dx / 4.0 * s) + xs[i] - link.halfWidth(st);
      label.top = floorInt(dy / 4.0 * s) + ys[i];
    }
  }
  st.advanceStep();
}

void reform(Stage& st) {
  for (size_t i : {size_t(1), size_t(2), size_t(4), size_t(5)}) {
    const Link question{true, i}, answer{false, i};
    for (const Link& link : {question, answer}) {
      link.xs(st)[i] = link.xs(st)[link.targetEntry()];
      link.ys(st)[i] = link.ys(st)[link.targetEntry()];
    }
  }
  drawTargets(st);
  st.STEP = 1;
}

}  // namespace

// Phases: 0 set-up; then eight rounds of seven ticks starting at 7m + 1:
// four move ticks, a re-forming tick (rounds 1 to 7 only) and two holds;
// the last move ends at 53, the picture holds until 60 ends the run.
void tickDancing(Stage& stage) {
  const int p = stage.PH;
  if (p == 60) {
    stage.endPattern(TimerId::tmSdc);
    return;  // the phase counter stays at 60
  }
  if (p == 0) {
    setUp(stage);
  } else if (p >= 1 && p <= 53) {
    const int round = (p - 1) / 7;
    const int tick = (p - 1) % 7;
    if (tick < 4)
      moveStep(stage);
    else if (tick == 4 && round <= 6)
      reform(stage);
  }
  stage.advancePhase();
}

}  // namespace Patterns
