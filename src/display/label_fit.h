#pragma once

#include <QString>
#include <climits>
#include <vector>

#include "display/text_metrics.h"

// Every word visible: a label wider or taller than the display at the size
// its pattern gives is drawn at the largest size that fits, and the layout
// measures it at that size, so the pattern places it as any other label. A
// word too long to fit even at kMinPoints is cut to what fits there, with an
// ellipsis. The fit is worked out once per text, face, style and display
// size, never per tick or frame: a word of 100 000 characters costs a few
// measurements of at most a screen's width of characters.
class LabelFit {
 public:
  // The smallest size a label is shrunk to.
  static constexpr int kMinPoints = 8;
  // Above this the fit is not checked: no pattern sets a size near it.
  static constexpr int kUnchecked = 256;

  struct Fit {
    int maxSize = INT_MAX;  // the largest point size at which the text fits
    QString caption;        // the text as drawn: the word, or its part that fits
  };

  // The fit of `caption` in `face` and `italic` on a display of width x height.
  const Fit& of(const TextMetrics& metrics, const QString& caption, const QString& face, bool italic, int width,
                int height) const;

  static Fit compute(const TextMetrics& metrics, const QString& caption, const QString& face, bool italic,
                     int width, int height);

 private:
  struct Slot {
    QString caption, face;
    bool italic;
    int width, height;
    Fit fit;
  };
  mutable std::vector<Slot> slots_;
};
