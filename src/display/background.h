#pragma once

#include <QImage>
#include <QList>
#include <QPoint>
#include <QRegion>
#include <QSize>
#include <QString>
#include <functional>

class QPainter;

// The background picture, tiled once from the top-left corner at its natural
// size; the words move over it without redrawing it.
namespace Background {

// Where the copies of a picture go: i = 0..floor(screen w / pw), j = 0..floor(screen h / ph).
// Tiles on the right and bottom edges may reach past the screen.
QList<QPoint> tileOrigins(QSize picture, QSize screen);

// The screen-sized back buffer: black, with `picture` tiled over it when it
// loaded. A null picture leaves it black.
QImage compose(const QImage& picture, QSize screen);

// Loads a bmp, jpg, jpeg or gif picture; a null image when it cannot be read.
QImage load(const QString& path);

// The device pixels that a rectangle of layout pixels touches at `ratio`.
QRect deviceRect(const QRect& rect, qreal ratio);
// The same for each rectangle of a region.
QRegion deviceRegion(const QRegion& region, qreal ratio);

}  // namespace Background

// The tiled background drawn straight from the picture file into any part of
// a device, so it needs no screen-sized copy: a JPEG is decoded a band of
// rows at a time and nothing decoded is kept. The picture covers the same
// layout pixels at every pixel ratio: one picture pixel on one layout pixel,
// scaled smoothly to the device's pixels.
class TiledPicture {
 public:
  TiledPicture() = default;
  explicit TiledPicture(const QString& path);

  // Paints `area` (layout pixels) of the painter's device at the device's
  // full resolution: tiles of deviceTile(ratio) device pixels from the
  // origin, so tiles meet without seams at any pixel ratio; black where
  // there is no picture.
  void paint(QPainter& painter, const QRect& area) const;

  // One tile in device pixels at `ratio`: the picture's size scaled and
  // rounded to whole pixels (at least one).
  QSize deviceTile(qreal ratio) const;

  // Keeps the decoded picture between paints, for targets that are not kept
  // between frames.
  void setKeepDecoded(bool keep);

  QSize size() const { return size_; }

  // Decodes `part` of the picture a band of rows at a time where the format
  // allows, else all of it at once, handing each with its place in the
  // picture to `take`; false when the file no longer reads.
  bool readInBands(const QRect& part, const std::function<void(const QImage&, QPoint)>& take) const;
  // The same for the picture scaled to `tile` (device pixels): `part` and
  // the places handed over are in the scaled picture. The pieces are opaque.
  bool readScaledInBands(QSize tile, const QRect& part,
                         const std::function<void(const QImage&, QPoint)>& take) const;

 private:
  // The part of a tile that the tiles over `area` show.
  static QRect neededPart(const QRect& area, QSize tile);
  void paintDevicePixels(QPainter& painter, const QRect& area, QSize tile) const;
  static void drawPart(QPainter& painter, const QRect& area, const QImage& part, QPoint partOrigin, QSize tile);
  // Whole picture decoded at `tile` size, for tiles smaller than the picture.
  QImage decodeScaled(QSize tile) const;
  // `rows` of the picture, decoded; from the kept picture when there is one.
  QImage decodeRows(const QRect& rows) const;

  QString path_;
  QSize size_;
  bool bandwise_ = false;       // the reader can decode a band of rows alone
  bool keepDecoded_ = false;
  mutable QImage decoded_;
};
