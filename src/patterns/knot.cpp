// Knot: the question starts bottom left and the answer top right; they travel
// to the middle on wavy paths, wiggle and loop around each other like a knot
// being tied, meet in the centre and draw apart to opposite corners. While
// they loop and separate a small question and a small answer take turns
// blinking in the centre, growing as the travellers separate.
//
// QX(0), QY(0) / FX(0), FY(0): where the question / answer traveller stood
// when the current movement began. STEP: the step of the movement, from 1.
// The travellers keep their 18-point size for the whole run, so their widths
// and heights are measured afresh when needed.

#include <cmath>

#include "patterns/pattern.h"

namespace Patterns {
namespace {

using Arith::floorInt;
using Arith::nearest16;
using Arith::wrap16;

constexpr int kTravellerSize = 18;
constexpr int kBlinkerSize = 8;
constexpr int kEndPhase = 60;

// The constant is single precision; the arithmetic around it is not.
constexpr double kPi = double(Arith::kPi);

struct Size {
  int w, h;
};

Size measure(const Stage& stage, const Label& label) { return {stage.width(label), stage.height(label)}; }

void centre(const Stage& stage, Label& label) {
  label.left = stage.CX - floorInt(stage.width(label) / 2.0);
  label.top = stage.CY - floorInt(stage.height(label) / 2.0);
}

void moveTo(Label& label, double left, double top) {
  label.left = floorInt(left);
  label.top = floorInt(top);
}

void setUp(Stage& stage) {
  Label& question = stage.lblQ[0];
  question.size = kTravellerSize;
  question.left = 0;
  question.top = stage.SH - stage.height(question);
  question.visible = true;

  Label& answer = stage.lblF[0];
  answer.size = kTravellerSize;
  answer.left = stage.SW - stage.width(answer);
  answer.top = 10;
  answer.visible = true;

  for (Label* blinker : {&stage.lblQ[1], &stage.lblF[1]}) {
    blinker->size = kBlinkerSize;
    centre(stage, *blinker);
  }
  stage.STEP = 1;
}

// A movement starts from wherever the travellers stand now.
void recordQuestion(Stage& stage) {
  stage.QX[0] = nearest16(stage.lblQ[0].left);
  stage.QY[0] = nearest16(stage.lblQ[0].top);
  stage.STEP = 1;
}

void recordAnswer(Stage& stage) {
  stage.FX[0] = nearest16(stage.lblF[0].left);
  stage.FY[0] = nearest16(stage.lblF[0].top);
  stage.STEP = 1;
}

// Straight towards the centre with one full sine wave laid across the way.
void approach(Stage& stage) {
  const int s = stage.STEP;
  const Size q = measure(stage, stage.lblQ[0]);
  const Size f = measure(stage, stage.lblF[0]);
  const double wave = 150 * std::sin(s / 5.0 * kPi);
  moveTo(stage.lblQ[0], s / 10.0 * stage.CX, (stage.SH - q.h) - s / 10.0 * stage.CY - wave);
  moveTo(stage.lblF[0], (stage.SW - f.w) - s / 10.0 * stage.CX, s / 10.0 * stage.CY + 10 + wave);
  stage.advanceStep();
}

void questionWiggle(Stage& stage) {
  const int s = stage.STEP;
  const Size q = measure(stage, stage.lblQ[0]);
  moveTo(stage.lblQ[0], stage.QX[0] - s / 8.0 * q.w, stage.QY[0] + 100 * std::sin(s / 4.0 * kPi));
  stage.advanceStep();
}

// Once round an ellipse swinging out to the left, drifting right by the
// answer's own width.
void answerLoop(Stage& stage) {
  const int s = stage.STEP;
  const Size f = measure(stage, stage.lblF[0]);
  const double angle = s / 4.0 * kPi;
  moveTo(stage.lblF[0], stage.FX[0] + s / 8.0 * f.w + 150 * (std::cos(angle) - 1),
         stage.FY[0] + 50 * std::sin(angle));
  stage.advanceStep();
}

// Even steps show the small question, odd steps the small answer.
void blink(Stage& stage) {
  const bool even = stage.STEP % 2 == 0;
  stage.lblQ[1].visible = even;
  stage.lblF[1].visible = !even;
}

void doubleLoop(Stage& stage) {
  const int s = stage.STEP;
  const Size q = measure(stage, stage.lblQ[0]);
  const Size f = measure(stage, stage.lblF[0]);
  const double angle = s / 4.0 * kPi;
  const double c = 1 - std::cos(angle), sn = std::sin(angle);
  moveTo(stage.lblQ[0], stage.QX[0] + s / 8.0 * q.w / 2 + 50 * c,
         stage.QY[0] + s / 8.0 * q.h / 2 + 40 * sn);
  moveTo(stage.lblF[0], stage.FX[0] - s / 8.0 * f.w / 2 - 60 * c,
         stage.FY[0] - s / 8.0 * f.h / 2 - 30 * sn);
  blink(stage);
  stage.advanceStep();
}

// The travellers draw apart to opposite corners while the blinker grows.
void separation(Stage& stage) {
  const int s = stage.STEP;
  const Size q = measure(stage, stage.lblQ[0]);
  const Size f = measure(stage, stage.lblF[0]);
  const double e = std::sin(s / 20.0 * kPi);
  moveTo(stage.lblQ[0], stage.QX[0] - (stage.CX - q.w / 2.0 - 40) * e,
         stage.QY[0] - (stage.CY - q.h / 2.0 - 40) * e);
  moveTo(stage.lblF[0], (stage.CX - f.w / 2.0 - 40) * e + stage.FX[0],
         (stage.CY - f.h / 2.0 - 40) * e + stage.FY[0]);

  const bool even = s % 2 == 0;
  Label& shown = even ? stage.lblQ[1] : stage.lblF[1];
  Label& hidden = even ? stage.lblF[1] : stage.lblQ[1];
  shown.size = 3 * s + 8;
  centre(stage, shown);
  shown.visible = true;
  hidden.visible = false;
  stage.advanceStep();
}

}  // namespace

void tickKnot(Stage& stage) {
  const int p = stage.PH;
  if (p == 0) {
    setUp(stage);
  } else if (p >= 6 && p <= 15) {
    approach(stage);
  } else if (p == 16 || p == 17 || p == 35 || p == 44) {
    recordQuestion(stage);
    recordAnswer(stage);
  } else if (p >= 18 && p <= 25) {
    questionWiggle(stage);
  } else if (p == 26) {
    recordQuestion(stage);
  } else if (p >= 27 && p <= 34) {
    answerLoop(stage);
  } else if (p >= 36 && p <= 43) {
    doubleLoop(stage);
  } else if (p >= 45 && p <= 54) {
    separation(stage);
  } else if (p >= 55 && p <= 59) {
    blink(stage);
    stage.advanceStep();
  } else if (p == kEndPhase) {
    stage.endPattern(TimerId::tmSkn);
    return;
  }
  stage.advancePhase();
}

}  // namespace Patterns
