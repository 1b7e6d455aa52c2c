#pragma once

#include <QImage>
#include <QPointer>
#include <QWidget>
#include <functional>

#include "display/background.h"
#include "display/frame_surface.h"
#include "display/label_painter.h"
#include "display/save_under.h"

// Frames painted by Qt's raster engine, on any platform: into a window's
// buffer (drawn from the window's paint event) or into an image of its own.
// Where the buffer keeps its pixels between frames, a frame repaints only
// what changed and puts back the background under the last frame's labels
// from saved pixels, so no second copy of the screen is kept.
class RasterFrameSurface final : public FrameSurface {
 public:
  // Paints on `window`.
  explicit RasterFrameSurface(QWidget& window);
  // Paints into an image of its own, of the size given to `resize` in
  // device pixels, and hands each drawn area (device pixels) to `present`
  // (a window it is copied to) when given.
  // A larger text-picture budget keeps pictures longer (see LabelPainter).
  using Present = std::function<void(const QImage& image, const QRegion& area)>;
  explicit RasterFrameSurface(QImage::Format format, Present present = {},
                              qint64 pictureBudgetFloor = LabelPainter::kMinPictureBudget);

  // The image painted into, for a surface of its own.
  const QImage& image() const { return image_; }

  void setBackground(const TiledPicture& picture) override;
  void resize(QSize size, qreal ratio) override;

 protected:
  void drawFrame(const QRegion& area, const DisplayFrame& frame) override;
  void releaseStale() override { labels_.releaseStale(); }

 private:
  void paint(QPainter& painter, const QRegion& area, const DisplayFrame& frame);

  QPointer<QWidget> window_;
  QImage::Format format_ = QImage::Format_RGB32;
  Present present_;
  QImage image_;
  qreal ratio_ = 1;
  QSize size_;
  TiledPicture background_;
  SaveUnder saveUnder_;
  LabelPainter labels_;
};
