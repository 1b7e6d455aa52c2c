#pragma once

#include <QImage>
#include <QList>
#include <QPoint>
#include <QRect>
#include <QRegion>

class QPainter;

// The background under what one frame draws over it. The window's own buffer
// keeps the picture between frames; a frame erases the last frame's labels by
// putting these pixels back, so no second screen-sized copy is needed.
class SaveUnder {
 public:
  // Copies the pixels of `buffer` (a window's buffer in device pixels) under
  // `rects` (layout pixels of a widget whose corner lies at `offset` in it,
  // device pixels), replacing what was kept.
  void save(const QImage& buffer, const QList<QRect>& rects, qreal ratio, QPoint offset);
  // Draws the kept pixels back into the widget where they came from.
  void restore(QPainter& painter) const;
  void clear() {
    patches_.clear();
    area_ = QRegion();
  }
  // The layout pixels the kept pixels cover.
  const QRegion& area() const { return area_; }
  bool isEmpty() const { return patches_.isEmpty(); }

 private:
  struct Patch {
    QPoint at;
    QImage pixels;
  };
  QList<Patch> patches_;
  QPoint offset_;
  QRegion area_;
};
