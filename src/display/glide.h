#pragma once

#include <QRect>
#include <QSize>
#include <cstdint>

#include "display/label.h"

// One label as a frame shows it.
struct ShownLabel {
  Label label;      // as drawn: the text that fits, the tick's size, this frame's place
  qreal scale = 1;  // the picture of label.size shown this many times larger
  QSize box;        // the label's measured size at label.size
  QRect rect;       // nothing of it is drawn outside (layout pixels)

  bool operator==(const ShownLabel&) const = default;
};

// Which moves of a pattern's labels glide between two ticks and which stay
// hops, instantaneous at the tick (see the pattern table). Appearing,
// disappearing, a change of text or style, and a move further than a
// quarter of the display always happen at the tick.
struct MotionRule {
  uint16_t hopLabels = 0;  // label indices (bit i: lblQ(i) and lblF(i)) that only ever hop
  int hopWithin = 0;       // a move of at most this many pixels on each axis, size unchanged, is a hop

  bool hops(int index, const Label& from, const Label& to) const;
};

// The way of a label from its place at one tick to its place at the next.
namespace Glide {

// Where a label's drawing may reach, for a label of `box` pixels at its place.
QRect rectOf(const Label& drawn, QSize box, qreal scale = 1);

// Whether the label moves smoothly from `from` to `to` on a display of `screen`.
bool glides(const ShownLabel& from, const ShownLabel& to, QSize screen, bool hop);

// The label `alpha` (0..1) of the way from `from` to `to`. A label that
// glides moves linearly and, between two sizes, shows the picture of the
// nearer tick size scaled; any other shows `from` until alpha reaches 1.
ShownLabel between(const ShownLabel& from, const ShownLabel& to, double alpha, QSize screen, bool hop);

// Milliseconds between two frames for a screen refreshing `hertz` times a
// second; a rate outside 24..240 Hz counts as 60.
int frameInterval(qreal hertz);

}  // namespace Glide
