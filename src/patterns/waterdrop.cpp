// Waterdrop: the question falls as a drop, swelling as it starts, lands two
// thirds across the screen and splashes into seven answers; then the answer
// falls two fifths across and splashes into six questions.
//
// QX(0), QY(0): landing point of the question drop. FX(7), FY(7): landing
// point of the answer drop. FY(0..6): half heights of the answer splash.

#include <cmath>
#include <cstdlib>

#include "patterns/pattern.h"

namespace Patterns {
namespace {

using Arith::floor16;
using Arith::floorInt;
using Arith::nearest16;
using Arith::wrap16;

// Centres a label horizontally on x, rounding the left edge down.
void centreOn(Stage& stage, Label& label, int16_t x) {
  label.left = floorInt(x - stage.width(label) / 2.0);
}

void fallQuestion(Stage& stage, int p) {
  Label& drop = stage.lblQ[0];
  const double t = p / 20.0;
  drop.top = floorInt(t * t * (stage.SH - 150) + 35);
  // The drop swells and shrinks back to its rest size in its first ten ticks.
  if (p <= 10) {
    const double d = (p - 5) / 5.0;
    drop.size = floorInt((1 - d * d) * 18 + 24);
    centreOn(stage, drop, stage.QX[0]);
  }
}

void landQuestion(Stage& stage) {
  Label& drop = stage.lblQ[0];
  drop.size = 18;
  centreOn(stage, drop, stage.QX[0]);
  stage.QY[0] = nearest16(stage.height(drop) / 2.0 + drop.top);
  for (int i = 0; i <= 6; ++i) {
    Label& splash = stage.lblF[size_t(i)];
    splash.size = 14;
    centreOn(stage, splash, stage.QX[0]);
    const int h = stage.height(splash);
    splash.top = floorInt(stage.QY[0] - h / 2.0);
    splash.visible = true;
    stage.FY[size_t(i)] = floor16(h / 2.0);
  }
  stage.STEP = 0;
}

// Seven answers spread along arcs from the landing point; the lift raises
// them to 80 pixels at s = 5 and brings them back down by s = 10.
void splashAnswers(Stage& stage) {
  const int s = stage.STEP;
  const double d = (s - 5) / 5.0;
  const double lift = (1 - d * d) * 80;
  for (int i = 0; i <= 6; ++i) {
    const float theta = Arith::kPi / 3.5f * float(i) + 0.2f;  // single precision at every step
    Label& splash = stage.lblF[size_t(i)];
    splash.size = floorInt(s / 2.0) + 14;
    const int w = stage.width(splash);
    splash.left = floorInt(s * std::cos(double(theta)) / 10 * 180 + stage.QX[0] - w / 2.0);
    splash.top = floorInt(s * std::sin(double(theta)) / 10 * 80 + stage.QY[0] - lift - stage.FY[size_t(i)]);
  }
  stage.advanceStep();
}

void startAnswerDrop(Stage& stage) {
  stage.FX[7] = floor16(stage.SW / 5.0 * 2);
  Label& drop = stage.lblF[7];
  drop.size = 28;
  drop.top = 30;
  centreOn(stage, drop, stage.FX[7]);
  drop.visible = true;
  stage.STEP = 0;
}

void fallAnswer(Stage& stage) {
  stage.advanceStep();
  const int s = stage.STEP;
  Label& drop = stage.lblF[7];
  const double t = s / 10.0;
  drop.top = floorInt(t * t * (stage.SH - 270) + 50);
  drop.size = 53 - std::abs(5 * (s - 5));
  centreOn(stage, drop, stage.FX[7]);
}

void landAnswer(Stage& stage) {
  Label& drop = stage.lblF[7];
  drop.size = 22;
  centreOn(stage, drop, stage.FX[7]);
  stage.FY[7] = nearest16(stage.height(drop) / 2.0 + drop.top);
  for (int i = 1; i <= 6; ++i) {
    Label& splash = stage.lblQ[size_t(i)];
    splash.size = 20;
    centreOn(stage, splash, stage.FX[7]);
    splash.top = floorInt(stage.FY[7] - stage.height(splash) / 2.0);
    splash.visible = true;
  }
  stage.STEP = 0;
}

// Six questions thrown high: the lift peaks at s = 3.8, so they are still
// in the air when the splash stops at s = 6.
void splashQuestions(Stage& stage) {
  const int s = stage.STEP;
  const double d = (s - 3.8) / 3.8;
  const double lift = (1 - d * d) * 180;
  for (int i = 1; i <= 6; ++i) {
    const float theta = Arith::kPi / 3.0f * float(i) + 0.35f;
    Label& splash = stage.lblQ[size_t(i)];
    splash.size = s + 20;
    const int w = stage.width(splash);
    const int h = stage.height(splash);
    splash.left = floorInt(s * std::cos(double(theta)) / 6 * 190 + stage.FX[7] - w / 2.0);
    splash.top = floorInt(s * std::sin(double(theta)) / 6 * 80 + stage.FY[7] - lift - h / 2.0);
  }
  stage.advanceStep();
}

}  // namespace

void tickWaterdrop(Stage& stage) {
  const int p = stage.PH;
  if (p == 0) {
    stage.QX[0] = floor16(stage.CX / 3.0 * 4);
    Label& drop = stage.lblQ[0];
    drop.top = 15;
    drop.left = stage.QX[0] - stage.width(drop) / 2.0;  // kept with its half pixel
    drop.visible = true;
  } else if (p >= 1 && p <= 20) {
    fallQuestion(stage, p);
  } else if (p == 21) {
    landQuestion(stage);
  } else if (p >= 22 && p <= 32) {
    splashAnswers(stage);
  } else if (p == 33) {
    startAnswerDrop(stage);
  } else if (p >= 34 && p <= 43) {
    fallAnswer(stage);
  } else if (p == 44) {
    landAnswer(stage);
  } else if (p >= 45 && p <= 51) {
    splashQuestions(stage);
  } else if (p == 60) {
    stage.endPattern(TimerId::tmSwf);
  }
  // Phases 52 to 59 hold the last picture.
  stage.advancePhase();
}

}  // namespace Patterns
