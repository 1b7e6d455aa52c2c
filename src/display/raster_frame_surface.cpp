#include "display/raster_frame_surface.h"

#include <QGuiApplication>
#include <QPaintEngine>
#include <QPainter>
#include <QWindow>

#include "display/rect_union.h"

namespace {

// Whether the buffer of `window`, which has an alpha channel, keeps its
// pixels between paints. Wayland's buffers are cleared to transparent
// wherever a paint is to land. Windows clears only those of see-through
// windows: an opaque window's buffer holds premultiplied pixels because Qt
// paints those faster, and keeps them.
bool alphaBufferKeepsPixels(const QWidget& window) {
  static const bool windows = QGuiApplication::platformName() == QLatin1String("windows");
  return windows && window.windowHandle() && !window.windowHandle()->format().hasAlpha();
}

}  // namespace

RasterFrameSurface::RasterFrameSurface(QWidget& window) : window_(&window) {}

RasterFrameSurface::RasterFrameSurface(QImage::Format format, Present present, qint64 pictureBudgetFloor)
    : format_(format), present_(std::move(present)), labels_(pictureBudgetFloor) {}

void RasterFrameSurface::setBackground(const TiledPicture& picture) {
  background_ = picture;
  saveUnder_.clear();
}

void RasterFrameSurface::resize(QSize size, qreal ratio) {
  size_ = size;
  saveUnder_.clear();
  if (window_) return;
  // The painter scales, not the image: Qt takes no pixel ratio below 1.
  image_ = QImage(Background::deviceRect(QRect(QPoint(0, 0), size), ratio).size(), format_);
  ratio_ = ratio;
  image_.fill(Qt::black);
}

void RasterFrameSurface::drawFrame(const QRegion& area, const DisplayFrame& frame) {
  if (window_) {
    QPainter painter(window_);  // clipped to the paint event's region
    return paint(painter, area, frame);
  }
  if (image_.isNull()) return;
  {
    QPainter painter(&image_);
    painter.scale(ratio_, ratio_);
    painter.setClipRegion(area);
    paint(painter, area, frame);
  }
  if (present_) present_(image_, Background::deviceRegion(area, ratio_));
}

void RasterFrameSurface::paint(QPainter& painter, const QRegion& area, const DisplayFrame& frame) {
  // The image this paint lands in (a window's buffer, or our own) keeps the
  // background between frames, unless the platform clears it.
  QPaintDevice* target = painter.paintEngine() ? painter.paintEngine()->paintDevice() : nullptr;
  QImage* buffer = target && target->devType() == QInternal::Image ? static_cast<QImage*>(target) : nullptr;
  if (window_ && buffer && buffer->hasAlphaChannel() && !alphaBufferKeepsPixels(*window_)) buffer = nullptr;
  const QTransform toDevice = painter.deviceTransform();
  background_.setKeepDecoded(buffer == nullptr);
  if (!frame.words) return background_.paint(painter, area.boundingRect());

  // Labels draw only where the background under them is kept.
  QList<QRect> rects = frame.labelRects;
  rects.append(LabelPainter::patternNameRect());
  const QRegion kept = unitedRects(rects);
  const QRect bounds(QPoint(0, 0), size_);
  const bool whole = (QRegion(bounds) - area).isEmpty();
  // The buffer shows the picture except under the last frame's labels, whose
  // background the save-under holds: putting that back erases them wherever
  // this paint reaches, without reading the picture again.
  const bool restore = buffer && !whole && !saveUnder_.isEmpty();
  if (restore) {
    saveUnder_.restore(painter);
  } else {
    background_.paint(painter, area.boundingRect());
  }
  // With nothing saved, the buffer is known only where this paint reached.
  if (buffer && (whole || restore || ((kept & bounds) - area).isEmpty()))
    saveUnder_.save(*buffer, rects, toDevice.m11(), toDevice.map(QPointF(0, 0)).toPoint());
  if (buffer) painter.setClipRegion(kept, Qt::IntersectClip);
  labels_.paint(painter, frame.labels);
  labels_.paintPatternName(painter, frame.patternName);
}
