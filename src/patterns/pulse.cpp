// Pulse: a large question (left of centre, upper third) and a large answer
// (right of centre, lower third) beat like a heart: over fifteen ticks the
// question swells while the answer shrinks, over five more the answer swells
// back. Two small copies slide along the screen edges in step with the beat.
// In the third beat the two large words drift together through the centre.
//
// QX(i), QY(i) / FX(i), FY(i): left and top of question / answer label i
// (0 = beating word, 1 = edge slider). QX(2), FX(2): sizes of the beating
// question and answer. STEP: position within the current half of the beat.

#include "patterns/pattern.h"

namespace Patterns {
namespace {

using Arith::floorInt;
using Arith::nearest16;
using Arith::wrap16;

constexpr int kBeatTicks = 20;     // one heartbeat
constexpr int kQuestionSwell = 15; // first part of a beat: the question grows
constexpr int kAnswerSwell = 5;    // second part: the answer grows
constexpr int kMargin = 35;        // top margin of the beating area and the sliders
constexpr int kConvergeFrom = 40;  // after this phase the two words drift together
constexpr int kEndPhase = 60;

// The beating question sits 30 left of the middle line, centred on the first
// third of the height below the top margin; the answer 30 right of it, on the
// second third. Both follow the label's current size.
void questionBase(const Stage& stage, int16_t& x, int16_t& y) {
  const Label& label = stage.lblQ[0];
  const int w = stage.width(label), h = stage.height(label);
  x = wrap16(stage.CX - floorInt(w / 2.0) - 30);
  y = wrap16(floorInt((stage.SH - kMargin) / 3.0 - h / 2.0) + kMargin);
}

void answerBase(const Stage& stage, int16_t& x, int16_t& y) {
  const Label& label = stage.lblF[0];
  const int w = stage.width(label), h = stage.height(label);
  x = wrap16(stage.CX - floorInt(w / 2.0) + 30);
  y = wrap16(floorInt((stage.SH - kMargin) / 3.0 * 2 - h / 2.0) + kMargin);
}

void place(Label& label, int16_t x, int16_t y) {
  label.left = x;
  label.top = y;
}

// A slider's top edge at `part` of `whole` of its travel down from the margin.
int16_t sliderTop(const Stage& stage, const Label& slider, int part, int whole) {
  const int travel = stage.SH - stage.height(slider) - kMargin;
  return wrap16(floorInt(double(travel) * part / whole) + kMargin);
}

void setUp(Stage& stage) {
  stage.lblQ[0].size = 40;
  stage.lblF[0].size = 80;
  stage.lblQ[1].size = 30;
  stage.lblF[1].size = 30;
  stage.QX[2] = 40;
  stage.FX[2] = 80;

  questionBase(stage, stage.QX[0], stage.QY[0]);
  answerBase(stage, stage.FX[0], stage.FY[0]);

  // The answer slider starts bottom left, the question slider top right.
  stage.FX[1] = 0;
  stage.FY[1] = nearest16(stage.SH - stage.height(stage.lblF[1]));
  stage.QX[1] = nearest16(stage.SW - stage.width(stage.lblQ[1]));
  stage.QY[1] = kMargin;

  for (size_t i = 0; i <= 1; ++i) {
    place(stage.lblQ[i], stage.QX[i], stage.QY[i]);
    stage.lblQ[i].visible = true;
    place(stage.lblF[i], stage.FX[i], stage.FY[i]);
    stage.lblF[i].visible = true;
  }
}

// Moves (x, y) towards the position that centres `label` on the screen,
// f / 4 of the way across and f / 6 of the way down; f > 4 (or 6) overshoots.
void converge(const Stage& stage, const Label& label, int f, int16_t& x, int16_t& y) {
  const int w = stage.width(label), h = stage.height(label);
  const int centredX = floorInt(stage.CX - w / 2.0);
  const int centredY = floorInt(stage.CY - h / 2.0);
  x = nearest16(double(centredX - x) * f / 4 + x);
  y = nearest16(double(centredY - y) * f / 6 + y);
}

// One tick of a beat. Every position is worked out from the sizes the labels
// still have; the new sizes are applied last, so centring lags one tick.
void beat(Stage& stage) {
  const int c = (stage.PH - 1) % kBeatTicks;
  Label& questionSlider = stage.lblQ[1];
  Label& answerSlider = stage.lblF[1];

  if (c < kQuestionSwell) {
    stage.STEP = int16_t(c);
    const int k = c + 1;
    stage.QX[2] = nearest16(40 + k * 70 / 15.0);
    questionBase(stage, stage.QX[0], stage.QY[0]);
    stage.FX[2] = nearest16(110 - k * 70 / 15.0);
    answerBase(stage, stage.FX[0], stage.FY[0]);
    stage.QY[1] = sliderTop(stage, questionSlider, k, kQuestionSwell);
    stage.FY[1] = sliderTop(stage, answerSlider, kQuestionSwell - c, kQuestionSwell);
  } else {
    const int s = c - kQuestionSwell;
    stage.STEP = int16_t(s);
    const int k = s + 1;
    stage.FX[2] = int16_t(40 + 14 * k);
    answerBase(stage, stage.FX[0], stage.FY[0]);
    stage.QX[2] = int16_t(110 - 14 * k);
    questionBase(stage, stage.QX[0], stage.QY[0]);
    stage.FY[1] = sliderTop(stage, answerSlider, k, kAnswerSwell);
    stage.QY[1] = sliderTop(stage, questionSlider, kAnswerSwell - s, kAnswerSwell);
  }
  place(questionSlider, stage.QX[1], stage.QY[1]);
  place(answerSlider, stage.FX[1], stage.FY[1]);

  if (stage.PH > kConvergeFrom) {
    const int f = stage.PH - kConvergeFrom;
    converge(stage, stage.lblQ[0], f, stage.QX[0], stage.QY[0]);
    converge(stage, stage.lblF[0], f, stage.FX[0], stage.FY[0]);
  }

  stage.lblQ[0].size = stage.QX[2];
  place(stage.lblQ[0], stage.QX[0], stage.QY[0]);
  stage.lblF[0].size = stage.FX[2];
  place(stage.lblF[0], stage.FX[0], stage.FY[0]);
}

}  // namespace

void tickPulse(Stage& stage) {
  const int p = stage.PH;
  if (p == 0) {
    setUp(stage);
  } else if (p >= 1 && p <= 57) {
    beat(stage);
  } else if (p == kEndPhase) {
    stage.endPattern(TimerId::tmSpl);
    return;
  }
  stage.advancePhase();
}

}  // namespace Patterns
