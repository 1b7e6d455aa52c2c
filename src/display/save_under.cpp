#include "display/save_under.h"

#include <QPainter>
#include <cstring>

#include "display/background.h"
#include "display/rect_union.h"

void SaveUnder::save(const QImage& buffer, const QList<QRect>& rects, qreal ratio, QPoint offset) {
  offset_ = offset;
  area_ = unitedRects(rects);
  // Labels mostly keep their size from frame to frame: reuse the patches' memory.
  qsizetype used = 0;
  for (const QRect& rect : rects) {
    const QRect inside = Background::deviceRect(rect, ratio).translated(offset) & buffer.rect();
    if (inside.isEmpty()) continue;
    if (used == patches_.size()) patches_.append(Patch{});
    Patch& patch = patches_[used++];
    if (patch.pixels.size() != inside.size() || patch.pixels.format() != buffer.format())
      patch.pixels = QImage(inside.size(), buffer.format());
    patch.at = inside.topLeft();
    const qsizetype lineBytes = qsizetype(inside.width()) * buffer.depth() / 8;
    const qsizetype xBytes = qsizetype(inside.x()) * buffer.depth() / 8;
    for (int y = 0; y < inside.height(); ++y)
      std::memcpy(patch.pixels.scanLine(y), buffer.constScanLine(inside.y() + y) + xBytes, size_t(lineBytes));
  }
  patches_.resize(used);
}

void SaveUnder::restore(QPainter& painter) const {
  const qreal ratio = painter.deviceTransform().m11();
  painter.save();
  painter.setWorldTransform(QTransform::fromScale(1 / ratio, 1 / ratio), true);
  // Overlapping patches all hold background, so the order does not matter.
  for (const Patch& patch : patches_) painter.drawImage(patch.at - offset_, patch.pixels);
  painter.restore();
}
