#include "display/save_under.h"

#include <QPainter>

void SaveUnder::save(const QImage& buffer, const QList<QRect>& rects) {
  patches_.clear();
  for (const QRect& rect : rects) {
    const QRect inside = rect & buffer.rect();
    if (inside.isEmpty()) continue;
    QImage pixels = buffer.copy(inside);
    pixels.setDevicePixelRatio(1);
    patches_.append({inside.topLeft(), std::move(pixels)});
  }
}

void SaveUnder::restore(QPainter& painter, QPoint offset) const {
  // Overlapping patches all hold background, so the order does not matter.
  for (const Patch& patch : patches_) painter.drawImage(patch.at - offset, patch.pixels);
}
