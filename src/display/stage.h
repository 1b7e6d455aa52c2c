#pragma once

#include <algorithm>
#include <array>
#include <cstdint>

#include "display/label.h"
#include "display/label_fit.h"
#include "display/pattern_locals.h"
#include "display/text_metrics.h"
#include "display/timer_bank.h"
#include "startup/random_source.h"

// Everything a pattern may touch: the 32 word labels, the shared display
// state, the scratch tables, the single-pattern values and the timers.
// Patterns never see widgets; the display window paints from this.
class Stage {
 public:
  static constexpr int kLabels = 16;

  Stage(const TextMetrics& metrics, RandomSource& random) : metrics_(&metrics), random_(&random) {}

  std::array<Label, kLabels> lblQ;
  std::array<Label, kLabels> lblF;

  int16_t SW = 0, SH = 0, CX = 0, CY = 0;
  int16_t DELAY = 5;
  int16_t PH = 0, STEP = 0;
  std::array<int16_t, kLabels> QX{}, QY{}, FX{}, FY{};
  PatternLocals locals;
  TimerBank timers;
  // Labels fit 1/fitShare of the display's width (see LabelFit); set per pattern.
  int fitShare = 1;
  // Whether a label the fit changed is moved wholly onto the display where
  // the pattern puts it partly outside; set per pattern.
  bool fitMovesInside = false;

  // A label's size follows its text, face, font size and style; a text too
  // large for the display is measured as the fit draws it (see LabelFit).
  QSize size(const Label& label) const {
    const LabelFit::Fit f = fit(label);
    return f.block.isEmpty() ? metrics_->measure(f.caption, label.face, f.size, label.italic) : f.block;
  }
  // The label as it is drawn: the text as it fits, the size it fits at, and
  // where it is drawn.
  Label drawn(const Label& label) const {
    const LabelFit::Fit f = fit(label);
    Label shown = label;
    shown.caption = f.caption;
    shown.size = f.size;
    if (f.changed && fitMovesInside) moveInside(shown, f.block);
    return shown;
  }
  int width(const Label& label) const { return size(label).width(); }
  int height(const Label& label) const { return size(label).height(); }

  // A fresh random number, 0 <= rnd < 1, from the shared generator.
  double rnd() { return random_->next(); }
  RandomSource& random() { return *random_; }
  const TextMetrics& metrics() const { return *metrics_; }

  // A pattern's last working phase: its own timer stops, the main cycle resumes.
  void endPattern(TimerId own) {
    timers.disable(own);
    timers.enable(TimerId::tmQuo);
  }

  // PH + 1 with 16-bit wrap, the end of every pattern tick.
  void advancePhase() { PH = int16_t(uint16_t(PH) + 1u); }
  // STEP + 1 with 16-bit wrap.
  void advanceStep() { STEP = int16_t(uint16_t(STEP) + 1u); }

 private:
  LabelFit::Fit fit(const Label& label) const {
    return fit_.of(*metrics_, label.caption, label.face, label.italic, label.size, SW / std::max(1, fitShare), SH);
  }
  // A label partly on the display that would fit on it is moved onto it.
  void moveInside(Label& label, QSize box) const {
    const auto into = [](double& at, int extent, int room) {
      if (extent <= room && at < room && at + extent > 0) at = std::clamp(at, 0.0, double(room - extent));
    };
    into(label.left, box.width(), SW);
    into(label.top, box.height(), SH);
  }

  LabelFit fit_;
  const TextMetrics* metrics_;
  RandomSource* random_;
};
