// Sardines: sixteen questions and sixteen answers in a small type swim as a
// school in a band at the bottom of the screen; every tick half of them
// twitch ten pixels. Four times one fish grows and leaps in a high arc to the
// mirror of its take-off place, then rejoins the school.
//
// QX, QY / FX, FY: left and top of every question / answer fish. STEP: the
// number of the fish that is leaping, 16 while none is. The limits and the
// take-off point live in stage.locals.sardines.

#include "patterns/pattern.h"

namespace Patterns {
namespace {

using Arith::floor16;
using Arith::floorInt;
using Arith::nearest16;
using Arith::wrap16;

constexpr int kSchoolSize = 16;   // font size of the school
constexpr int16_t kNoLeaper = 16;
constexpr int kTwitch = 10;       // pixels per twitch
constexpr int kLastTwitch = 56;
constexpr int kEndPhase = 60;

// One leap: which fish, how large it grows, and its arc. The fish's left edge
// runs in n equal steps (phases a + 1 to a + n) from the take-off place to its
// mirror in the allowed range; its top follows a parabola through the
// take-off height at both ends and `peak` at phase m.
struct Leap {
  int startPhase;
  bool question;
  int fish;
  int fontSize;
  int firstStep, lastStep;
  int a, n;
  double m, d;
  int peak;
};

constexpr Leap kLeaps[] = {
    {5, true, 0, 22, 6, 13, 5, 8, 9, 4, 100},
    {19, false, 1, 28, 20, 32, 19, 13, 25.5, 6.5, 45},
    {34, true, 2, 25, 36, 41, 35, 6, 38, 3, 120},
    {43, false, 3, 33, 45, 56, 44, 12, 50, 6, 35},
};

// Top of the band the school keeps to.
int16_t bandTop(const Stage& stage) { return floor16(stage.CY * 1.3); }

int sgn(double x) { return x > 0 ? 1 : (x < 0 ? -1 : 0); }

void formSchool(Stage& stage) {
  SardinesLocals& limits = stage.locals.sardines;
  stage.lblQ[0].size = kSchoolSize;
  stage.lblF[0].size = kSchoolSize;
  limits.QXMax = nearest16(stage.SW - stage.width(stage.lblQ[0]));
  limits.QYMax = nearest16(stage.SH - stage.height(stage.lblQ[0]));
  limits.FXMax = nearest16(stage.SW - stage.width(stage.lblF[0]));
  limits.FYMax = nearest16(stage.SH - stage.height(stage.lblF[0]));

  const double y0 = stage.CY * 1.3;
  for (size_t i = 0; i < kSchoolSize; ++i) {
    stage.QX[i] = floor16(stage.rnd() * limits.QXMax);
    stage.QY[i] = floor16(stage.rnd() * (limits.QYMax - y0) + y0);
    stage.FX[i] = floor16(stage.rnd() * limits.FXMax);
    stage.FY[i] = floor16(stage.rnd() * (limits.FYMax - y0) + y0);
    Label& question = stage.lblQ[i];
    question.size = kSchoolSize;
    question.left = stage.QX[i];
    question.top = stage.QY[i];
    question.visible = true;
    Label& answer = stage.lblF[i];
    answer.size = kSchoolSize;
    answer.left = stage.FX[i];
    answer.top = stage.FY[i];
    answer.visible = true;
  }
  stage.STEP = kNoLeaper;
}

void startLeap(Stage& stage, const Leap& leap) {
  SardinesLocals& locals = stage.locals.sardines;
  const size_t k = size_t(leap.fish);
  Label& label = leap.question ? stage.lblQ[k] : stage.lblF[k];
  locals.LeapX = leap.question ? stage.QX[k] : stage.FX[k];
  locals.LeapY = leap.question ? stage.QY[k] : stage.FY[k];
  label.size = leap.fontSize;
  stage.STEP = int16_t(leap.fish);
}

void leapStep(Stage& stage, const Leap& leap, int p) {
  const SardinesLocals& locals = stage.locals.sardines;
  const size_t k = size_t(leap.fish);
  const int max = leap.question ? locals.QXMax : locals.FXMax;
  // The product is widened: in 16 bits it would wrap on displays wider than
  // about 2500 pixels and fling the fish across the screen.
  const long long span = wrap16(max - 2 * locals.LeapX);
  const double left = double(span * (p - leap.a)) / leap.n + locals.LeapX;
  const double u = (p - leap.m) / leap.d;
  const double top = locals.LeapY - (1 - u * u) * (locals.LeapY - leap.peak);

  int16_t& x = leap.question ? stage.QX[k] : stage.FX[k];
  int16_t& y = leap.question ? stage.QY[k] : stage.FY[k];
  x = floor16(left);
  y = nearest16(top);
  Label& label = leap.question ? stage.lblQ[k] : stage.lblF[k];
  label.left = x;
  label.top = y;
}

void leapWork(Stage& stage, int p) {
  if (p == 15) stage.STEP = kNoLeaper;  // the first leaper has landed
  for (const Leap& leap : kLeaps) {
    if (p == leap.startPhase) startLeap(stage, leap);
    if (p >= leap.firstStep && p <= leap.lastStep) leapStep(stage, leap, p);
  }
}

// Moves one coordinate ten pixels either way (or not at all on exactly 0.5)
// and holds it within [low, high]: low is checked first.
int16_t nudge(Stage& stage, int16_t value, int16_t low, int16_t high) {
  int16_t moved = wrap16(value + kTwitch * sgn(stage.rnd() - 0.5));
  if (low > moved) moved = low;
  if (moved > high) moved = high;
  return moved;
}

// Half the school twitches: the even fish on even ticks, the odd on odd
// ticks. Question and answer of one index move along the same axis.
void twitch(Stage& stage, int p) {
  const SardinesLocals& limits = stage.locals.sardines;
  const int16_t y0 = bandTop(stage);
  const int first = p % 2;
  for (int i = first; i <= first + 14; i += 2) {
    if (i == stage.STEP) continue;
    const size_t k = size_t(i);
    if (stage.rnd() > 0.5) {
      stage.QX[k] = nudge(stage, stage.QX[k], 0, limits.QXMax);
      stage.FX[k] = nudge(stage, stage.FX[k], 0, limits.FXMax);
    } else {
      stage.QY[k] = nudge(stage, stage.QY[k], y0, limits.QYMax);
      stage.FY[k] = nudge(stage, stage.FY[k], y0, limits.FYMax);
    }
    stage.lblQ[k].left = stage.QX[k];
    stage.lblQ[k].top = stage.QY[k];
    stage.lblF[k].left = stage.FX[k];
    stage.lblF[k].top = stage.FY[k];
  }
}

}  // namespace

void tickSardines(Stage& stage) {
  const int p = stage.PH;
  if (p == 0) {
    formSchool(stage);
  } else if (p >= 1 && p <= kLastTwitch) {
    leapWork(stage, p);
    twitch(stage, p);
  } else if (p == kEndPhase) {
    stage.endPattern(TimerId::tmSsd);
  }
  stage.advancePhase();
}

}  // namespace Patterns
