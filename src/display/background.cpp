#include "display/background.h"

#include <QPainter>
#include <algorithm>
#include <climits>
#include <cmath>

#include "display/picture_file.h"
#include "display/rect_union.h"

namespace Background {

QList<QPoint> tileOrigins(QSize picture, QSize screen) {
  QList<QPoint> origins;
  if (picture.width() <= 0 || picture.height() <= 0) return origins;
  const int nx = screen.width() / picture.width();
  const int ny = screen.height() / picture.height();
  for (int i = 0; i <= nx; ++i)
    for (int j = 0; j <= ny; ++j) origins.append(QPoint(i * picture.width(), j * picture.height()));
  return origins;
}

QImage compose(const QImage& picture, QSize screen) {
  QImage buffer(screen, QImage::Format_RGB32);
  buffer.fill(Qt::black);
  if (picture.isNull()) return buffer;
  QPainter painter(&buffer);
  for (const QPoint& origin : tileOrigins(picture.size(), screen)) painter.drawImage(origin, picture);
  return buffer;
}

QImage load(const QString& path) {
  PictureFile picture(path);
  picture.reader().setAutoTransform(false);
  return picture.reader().read();
}

QRect deviceRect(const QRect& rect, qreal ratio) {
  if (ratio == 1) return rect;
  return QRectF(rect.x() * ratio, rect.y() * ratio, rect.width() * ratio, rect.height() * ratio).toAlignedRect();
}

QRegion deviceRegion(const QRegion& region, qreal ratio) {
  if (ratio == 1) return region;
  QList<QRect> device;
  device.reserve(region.rectCount());
  for (const QRect& rect : region) device.append(deviceRect(rect, ratio));
  return unitedRects(device);
}

}  // namespace Background

namespace {

// Rows decoded at once: about 2 MB of pixels.
constexpr qint64 kBandBytes = 2 * 1024 * 1024;

QImage readPart(const QString& path, const QRect& part) {
  PictureFile picture(path);
  picture.reader().setAutoTransform(false);
  picture.reader().setClipRect(part);
  return picture.reader().read();
}

// The picture coordinates one axis of `area` needs from tiles of length `tile`.
std::pair<int, int> neededSpan(int first, int last, int tile) {
  if (first / tile != last / tile) return {0, tile};
  return {first % tile, last % tile + 1};
}

}  // namespace

TiledPicture::TiledPicture(const QString& path) : path_(path) {
  PictureFile picture(path);
  QImageReader& reader = picture.reader();
  reader.setAutoTransform(false);
  if (!reader.canRead()) return;
  size_ = reader.size();
  bandwise_ = size_.isValid() && reader.supportsOption(QImageIOHandler::ClipRect) &&
              reader.format() == "jpeg";
  if (!size_.isValid()) size_ = Background::load(path).size();  // formats that tell it only by decoding
}

void TiledPicture::setKeepDecoded(bool keep) {
  keepDecoded_ = keep;
  if (!keep) decoded_ = QImage();
}

QSize TiledPicture::deviceTile(qreal ratio) const {
  if (size_.isEmpty() || ratio == 1) return size_;
  return QSize(std::max(1, int(std::lround(size_.width() * ratio))),
               std::max(1, int(std::lround(size_.height() * ratio))));
}

QRect TiledPicture::neededPart(const QRect& area, QSize tile) {
  const auto [x0, x1] = neededSpan(area.left(), area.right(), tile.width());
  const auto [y0, y1] = neededSpan(area.top(), area.bottom(), tile.height());
  return QRect(QPoint(x0, y0), QPoint(x1 - 1, y1 - 1));
}

void TiledPicture::drawPart(QPainter& painter, const QRect& area, const QImage& part, QPoint partOrigin, QSize tile) {
  const int pw = tile.width(), ph = tile.height();
  for (int ty = area.top() / ph * ph; ty <= area.bottom(); ty += ph)
    for (int tx = area.left() / pw * pw; tx <= area.right(); tx += pw) {
      const QRect placed(QPoint(tx, ty) + partOrigin, part.size());
      const QRect target = placed & area;
      if (target.isEmpty()) continue;
      if (part.hasAlphaChannel()) painter.fillRect(target, Qt::black);
      painter.drawImage(target.topLeft(), part, target.translated(-placed.topLeft()));
    }
}

void TiledPicture::paint(QPainter& painter, const QRect& area) const {
  const qreal ratio = painter.deviceTransform().m11();
  painter.save();
  painter.setWorldTransform(QTransform::fromScale(1 / ratio, 1 / ratio), true);
  paintDevicePixels(painter, Background::deviceRect(area, ratio), deviceTile(ratio));
  painter.restore();
}

void TiledPicture::paintDevicePixels(QPainter& painter, const QRect& area, QSize tile) const {
  const QRect clipped = area & QRect(0, 0, INT_MAX / 2, INT_MAX / 2);
  if (clipped.isEmpty()) return;
  if (size_.isEmpty()) {
    painter.fillRect(clipped, Qt::black);
    return;
  }
  const bool read = readScaledInBands(tile, neededPart(clipped, tile), [&](const QImage& part, QPoint at) {
    drawPart(painter, clipped, part, at, tile);
  });
  if (!read) painter.fillRect(clipped, Qt::black);  // the file changed or broke since it was measured
}

bool TiledPicture::readInBands(const QRect& part, const std::function<void(const QImage&, QPoint)>& take) const {
  if (!bandwise_ || keepDecoded_) {
    if (decoded_.isNull()) decoded_ = Background::load(path_);
    const bool read = decoded_.size() == size_;
    if (read) take(decoded_, QPoint(0, 0));
    if (!keepDecoded_) decoded_ = QImage();
    return read;
  }
  const int bandRows = int(std::max<qint64>(16, kBandBytes / (4 * qint64(part.width()))));
  for (int y = part.top(); y <= part.bottom(); y += bandRows) {
    const QRect band(part.left(), y, part.width(), std::min(bandRows, part.bottom() + 1 - y));
    const QImage decoded = readPart(path_, band);
    if (decoded.size() != band.size()) return false;
    take(decoded, band.topLeft());
  }
  return true;
}

QImage TiledPicture::decodeScaled(QSize tile) const {
  PictureFile picture(path_);
  picture.reader().setAutoTransform(false);
  picture.reader().setScaledSize(tile);
  picture.reader().setQuality(100);  // smooth scaling
  return picture.reader().read();
}

QImage TiledPicture::decodeRows(const QRect& rows) const {
  if (!bandwise_ || keepDecoded_) {
    if (decoded_.isNull()) decoded_ = Background::load(path_);
    return decoded_.size() == size_ ? decoded_.copy(rows) : QImage();
  }
  return readPart(path_, rows);
}

bool TiledPicture::readScaledInBands(QSize tile, const QRect& part,
                                     const std::function<void(const QImage&, QPoint)>& take) const {
  if (tile == size_) return readInBands(part, take);
  const auto opaque = [](QSize size) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::black);  // under see-through pixels, as on screen
    return image;
  };
  if (tile.width() <= size_.width() && tile.height() <= size_.height()) {
    // Smaller than the picture: decoded at that size in one go, which costs
    // less than the picture itself.
    const QImage scaled = decodeScaled(tile);
    if (scaled.size() != tile) return false;
    QImage piece = opaque(part.size());
    QPainter(&piece).drawImage(QPoint(0, 0), scaled, part);
    take(piece, part.topLeft());
    return true;
  }
  // Larger: each band of device rows drawn from the picture rows under it,
  // with a row more on either side, so that smooth scaling meets the next
  // band as if the picture were scaled whole.
  const qreal sx = qreal(tile.width()) / size_.width(), sy = qreal(tile.height()) / size_.height();
  const int bandRows = int(std::max<qint64>(16, kBandBytes / (4 * qint64(part.width()))));
  for (int y = part.top(); y <= part.bottom(); y += bandRows) {
    const QRect band(part.left(), y, part.width(), std::min(bandRows, part.bottom() + 1 - y));
    const QRect rows = QRectF(0, band.top() / sy - 1, size_.width(), band.height() / sy + 2).toAlignedRect() &
                       QRect(QPoint(0, 0), size_);
    const QImage source = decodeRows(rows);
    if (source.size() != rows.size()) return false;
    QImage piece = opaque(band.size());
    QPainter painter(&piece);
    // Whole ratios repeat each pixel, as sharp as the picture; others blend.
    painter.setRenderHint(QPainter::SmoothPixmapTransform, sx != std::floor(sx) || sy != std::floor(sy));
    painter.translate(-band.topLeft());
    painter.scale(sx, sy);
    painter.drawImage(rows.topLeft(), source);
    painter.end();
    take(piece, band.topLeft());
  }
  if (!keepDecoded_) decoded_ = QImage();
  return true;
}
