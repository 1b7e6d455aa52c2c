#pragma once

#include <QList>
#include <QRect>
#include <QRegion>
#include <QSize>
#include <QString>
#include <memory>

#include "display/glide.h"

class QWidget;
class Stage;
class TiledPicture;

// What one frame shows over the picture: the word labels and the pattern name.
struct DisplayFrame {
  bool words = false;  // false: the picture alone, as on a screen cover
  // The visible labels as drawn, in drawing order.
  QList<ShownLabel> labels;
  QString patternName;
  // Where the visible labels are, with room for overhangs (layout pixels).
  QList<QRect> labelRects;
  // Counts the patterns and words shown: when it changes, the text kept for
  // the last one is stale.
  quint64 generation = 0;

  // The labels of a stage where it placed them.
  static DisplayFrame of(const Stage& stage, const QString& patternName, quint64 generation = 0);
};

// Where frames are drawn: by Qt's raster painter on any platform, or by a
// window system that keeps the pictures itself. The platform's surface
// factory decides which, once per window; nothing else asks. Coordinates are
// layout pixels; each surface draws at its own device pixel ratio.
class FrameSurface {
 public:
  virtual ~FrameSurface() = default;

  // The picture tiled from the top-left corner under everything; black
  // without one.
  virtual void setBackground(const TiledPicture& picture) = 0;
  // The surface now measures `size` layout pixels of `ratio` device pixels.
  virtual void resize(QSize size, qreal ratio) = 0;

  // Draws `area` of `frame`: the picture there, the labels and the pattern
  // name over it. A window's surface is drawn from the window's paint event.
  void draw(const QRegion& area, const DisplayFrame& frame) {
    if (frame.generation != generation_) {
      generation_ = frame.generation;
      releaseStale();
    }
    drawFrame(area, frame);
  }

 protected:
  virtual void drawFrame(const QRegion& area, const DisplayFrame& frame) = 0;
  // Forgets the text of the last pattern or word.
  virtual void releaseStale() = 0;

 private:
  quint64 generation_ = 0;
};

// Makes the surface for a window of ours; the window's native window exists.
using WindowSurfaceFactory = std::unique_ptr<FrameSurface> (*)(QWidget& window);
