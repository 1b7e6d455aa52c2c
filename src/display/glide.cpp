#include "display/glide.h"

#include <cmath>
#include <cstdlib>

bool MotionRule::hops(int index, const Label& from, const Label& to) const {
  if (index >= 0 && index < 16 && (hopLabels >> index) & 1u) return true;
  return hopWithin > 0 && from.size == to.size && std::abs(to.left - from.left) <= hopWithin &&
         std::abs(to.top - from.top) <= hopWithin;
}

namespace Glide {

QRect rectOf(const Label& drawn, QSize box, qreal scale) {
  // Slack for italic overhang, emboldening and antialiasing, growing with the size.
  const int slack = int(std::ceil((4 + drawn.size / 8) * scale));
  return QRect(int(std::floor(drawn.left)) - slack, int(std::floor(drawn.top)) - slack,
               int(std::ceil(box.width() * scale)) + 2 * slack, int(std::ceil(box.height() * scale)) + 2 * slack);
}

bool glides(const ShownLabel& from, const ShownLabel& to, QSize screen, bool hop) {
  const Label& a = from.label;
  const Label& b = to.label;
  if (hop || !a.visible || !b.visible) return false;
  if (a.caption != b.caption || a.face != b.face || a.italic != b.italic || a.color != b.color) return false;
  if (a.left == b.left && a.top == b.top && a.size == b.size) return false;
  // Further than a quarter of the display: a jump.
  return std::abs(b.left - a.left) <= screen.width() / 4.0 && std::abs(b.top - a.top) <= screen.height() / 4.0;
}

ShownLabel between(const ShownLabel& from, const ShownLabel& to, double alpha, QSize screen, bool hop) {
  if (alpha >= 1) return to;
  if (!glides(from, to, screen, hop)) return from;
  alpha = std::max(0.0, alpha);
  const ShownLabel& base = alpha < 0.5 || from.label.size == to.label.size ? from : to;
  ShownLabel shown = base;
  // Labels are drawn on whole pixels, and scaled in steps of 1/64: a frame
  // that would look the same as the last one is no frame.
  shown.label.left = std::round(from.label.left + (to.label.left - from.label.left) * alpha);
  shown.label.top = std::round(from.label.top + (to.label.top - from.label.top) * alpha);
  const double size = from.label.size + (to.label.size - from.label.size) * alpha;
  shown.scale = base.label.size > 0 ? std::round(64 * size / base.label.size) / 64 : 1;
  shown.rect = rectOf(shown.label, shown.box, shown.scale);
  return shown;
}

int frameInterval(qreal hertz) {
  if (!(hertz >= 24 && hertz <= 240)) hertz = 60;
  return std::max(1, int(std::floor(1000 / hertz)));
}

}  // namespace Glide
