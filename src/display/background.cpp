#include "display/background.h"

#include <QImageReader>
#include <QPainter>

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
  QImageReader reader(path);
  reader.setAutoTransform(false);
  return reader.read();
}

}  // namespace Background
