#pragma once

#include <QRect>
#include <QRegion>
#include <span>

// The region many rectangles cover. Uniting them in halves keeps each step's
// regions small; adding them one by one grows a single region through every
// step, which for a frame's labels costs about twice as much.
inline QRegion unitedRects(std::span<const QRect> rects) {
  if (rects.empty()) return {};
  if (rects.size() == 1) return QRegion(rects.front());
  const std::size_t half = rects.size() / 2;
  return unitedRects(rects.first(half)).united(unitedRects(rects.subspan(half)));
}
