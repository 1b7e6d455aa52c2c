#pragma once

#include <QImage>
#include <QList>
#include <QPoint>
#include <QRect>

class QPainter;

// The background under what one frame draws over it. The window's own buffer
// keeps the picture between frames; a frame erases the last frame's labels by
// putting these pixels back, so no second screen-sized copy is needed.
class SaveUnder {
 public:
  // Copies the pixels of `buffer` under `rects` (device pixels of the
  // buffer, clipped to it), replacing what was kept.
  void save(const QImage& buffer, const QList<QRect>& rects);
  // Draws the kept pixels back where they came from, shifted by `-offset`
  // (the painter draws in device pixels).
  void restore(QPainter& painter, QPoint offset) const;
  void clear() { patches_.clear(); }
  bool isEmpty() const { return patches_.isEmpty(); }

 private:
  struct Patch {
    QPoint at;
    QImage pixels;
  };
  QList<Patch> patches_;
};
