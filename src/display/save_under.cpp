#include "display/save_under.h"

#include <QPainter>
#include <cstring>

#include "display/background.h"
#include "display/page_image.h"

namespace {

// Copies `from`'s pixels at `part` into `to` with their corner at `at`; both images have one format.
void copyPixels(const QImage& from, const QRect& part, QImage& to, QPoint at) {
  const qsizetype lineBytes = qsizetype(part.width()) * from.depth() / 8;
  const qsizetype fromX = qsizetype(part.x()) * from.depth() / 8;
  const qsizetype toX = qsizetype(at.x()) * to.depth() / 8;
  for (int y = 0; y < part.height(); ++y)
    std::memcpy(to.scanLine(at.y() + y) + toX, from.constScanLine(part.y() + y) + fromX, size_t(lineBytes));
}

}  // namespace

QImage SaveUnder::spareImage(QSize size, QImage::Format format) {
  for (qsizetype i = 0; i < spare_.size(); ++i)
    if (spare_[i].size() == size && spare_[i].format() == format) return spare_.takeAt(i);
  return PageImage::make(size, format);
}

void SaveUnder::save(const QImage& buffer, const QList<QRect>& rects, qreal ratio, QPoint offset) {
  // Kept pixels belong to where the widget was in the buffer, in the buffer's format then.
  QList<Patch> last = std::exchange(patches_, {});
  if (offset != offset_ || (!last.isEmpty() && last.front().pixels.format() != buffer.format())) last.clear();
  QList<bool> kept(last.size(), false);
  for (const QRect& rect : rects) {
    const QRect place = Background::deviceRect(rect, ratio).translated(offset) & buffer.rect();
    if (place.isEmpty()) continue;
    // A label standing still keeps what lay under it.
    qsizetype same = 0;
    while (same < last.size() && (kept[same] || last[same].place != place)) ++same;
    if (same < last.size()) {
      kept[same] = true;
      patches_.append(last[same]);
      continue;
    }
    Patch patch{place, spareImage(place.size(), buffer.format())};
    copyPixels(buffer, place, patch.pixels, QPoint(0, 0));
    // Where the last frame's labels were, the buffer may still show them.
    for (const Patch& under : last)
      if (const QRect both = under.place & place; !both.isEmpty())
        copyPixels(under.pixels, both.translated(-under.place.topLeft()), patch.pixels, both.topLeft() - place.topLeft());
    patches_.append(std::move(patch));
  }
  spare_.clear();
  for (qsizetype i = 0; i < last.size(); ++i)
    if (!kept[i]) spare_.append(last[i].pixels);
  offset_ = offset;
}

void SaveUnder::restore(QPainter& painter) const {
  const qreal ratio = painter.deviceTransform().m11();
  painter.save();
  painter.setWorldTransform(QTransform::fromScale(1 / ratio, 1 / ratio), true);
  // Overlapping patches all hold background, so the order does not matter.
  for (const Patch& patch : patches_) painter.drawImage(patch.place.topLeft() - offset_, patch.pixels);
  painter.restore();
}
