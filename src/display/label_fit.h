#pragma once

#include <QHash>
#include <QSize>
#include <QString>
#include <climits>
#include <optional>
#include <vector>

#include "display/line_breaking.h"
#include "display/text_metrics.h"

// Every word visible and readable. A label that fits the display on one
// line at the size its pattern gives is left as it is. One that is wider is
// broken into lines at that size, as few as fit the width, centred line by
// line; only a block taller than the display is shrunk, to the largest size
// at which its lines fit, and never below a floor (kFloorPixels of line
// height on kFloorScreenLines of display, in proportion on others): there
// the text is cut at a line's end with an ellipsis. The result is worked out
// once per text, face, style, display size and point size, never per tick
// or frame.
class LabelFit {
 public:
  // Above this the fit is not checked: no pattern sets a size near it.
  static constexpr int kUnchecked = 256;
  static constexpr int kFloorPixels = 16;
  static constexpr int kFloorScreenLines = 720;
  // Between the lines of a wrapped text as drawn.
  static constexpr QChar kLineBreak = QChar::LineSeparator;

  struct Fit {
    int size = 0;         // the point size drawn
    QString caption;      // the text as drawn, its lines separated by kLineBreak
    QSize block;          // the size of a text of several lines or a shrunk one; empty: measure as any label
    bool changed = false; // the fit broke, shrank or cut the text
  };

  // The fit of `caption` at `pointSize` in `face` and `italic` on a display of width x height.
  Fit of(const TextMetrics& metrics, const QString& caption, const QString& face, bool italic, int pointSize,
         int width, int height) const;

 private:
  // What is known of one text on one display.
  struct Slot {
    QString caption, face;
    bool italic;
    int width, height;
    int oneLine = 0;     // the largest point size at which the text fits on one line; 0: none
    int floorSize = -1;  // the smallest point size at or above the floor; -1: not yet known
    std::optional<LineBreaking> breaking;
    QHash<int, bool> holdsAt;  // whether the whole text fits in lines at a point size
    QHash<int, Fit> fits;      // by the point size asked for
  };
  static int oneLineMax(const TextMetrics& metrics, const Slot& slot);
  static Fit wrapped(const TextMetrics& metrics, Slot& slot, int pointSize);

  mutable std::vector<Slot> slots_;
};
