#pragma once

#include <QImage>
#include <QList>
#include <QPoint>
#include <QRect>

class QPainter;

// The background under what one frame draws over it. The window's own buffer
// keeps the picture between frames, except under the last frame's labels; a
// frame erases those wherever it repaints by putting these pixels back, so no
// second screen-sized copy is kept and the picture file is not read again.
class SaveUnder {
 public:
  // Keeps the background under `rects` (layout pixels of a widget whose
  // corner lies at `offset` in `buffer`, device pixels) for the next frame.
  // `buffer` shows the background everywhere except under what was kept
  // last time, where labels a frame did not repaint may still stand: those
  // pixels come from what was kept.
  void save(const QImage& buffer, const QList<QRect>& rects, qreal ratio, QPoint offset);
  // Draws the kept pixels back into the widget where they came from.
  void restore(QPainter& painter) const;
  void clear() {
    patches_.clear();
    spare_.clear();
  }
  bool isEmpty() const { return patches_.isEmpty(); }

 private:
  struct Patch {
    QRect place;  // in the buffer
    QImage pixels;
  };
  QImage spareImage(QSize size, QImage::Format format);

  QList<Patch> patches_;
  // Pixels the last save let go: labels mostly keep their size as they move,
  // so the next save reuses their memory.
  QList<QImage> spare_;
  QPoint offset_;
};
