#include "backends/x11/server_frame_surface.h"

#include <QPainter>

#include "display/label_font.h"

ServerFrameSurface::ServerFrameSurface(std::unique_ptr<X11Canvas> canvas)
    : canvas_(std::move(canvas)),
      pictures_(kPictureBudget, kMaxPictures, [this](Entry& entry) { canvas_->release(entry.id); }) {}

ServerFrameSurface::~ServerFrameSurface() {
  pictures_.clear();
  releaseNames();
}

void ServerFrameSurface::releaseNames() {
  for (const Entry& entry : std::as_const(names_)) canvas_->release(entry.id);
  names_.clear();
}

const ServerFrameSurface::Entry& ServerFrameSurface::nameEntry(const QString& name) {
  if (ratio_ != namesRatio_ || names_.size() >= kMaxNames) releaseNames();
  namesRatio_ = ratio_;
  if (const auto it = names_.constFind(name); it != names_.constEnd()) return *it;
  const LabelPainter::Picture picture = LabelPainter::patternNamePicture(name, ratio_).trimmed();
  const QPoint corner = (QPointF(LabelPainter::patternNameRect().topLeft()) * ratio_).toPoint();
  return *names_.insert(name, Entry{canvas_->upload(picture.image), QRect(corner + picture.corner, picture.image.size())});
}

void ServerFrameSurface::setBackground(const TiledPicture& picture) {
  background_ = picture;
  uploadBackground();
}

void ServerFrameSurface::resize(QSize size, qreal ratio) {
  deviceSize_ = Background::deviceRect(QRect(QPoint(0, 0), size), ratio).size();
  ratio_ = ratio;
  inked_.reset();
  uploadBackground();
}

void ServerFrameSurface::uploadBackground() {
  // Only the part that can show is kept: the top-left corner of a picture
  // larger than the window.
  const QSize tile = background_.deviceTile(ratio_);
  const QSize shown = tile.boundedTo(deviceSize_);
  canvas_->startBackground(shown);
  if (!shown.isEmpty()) {
    const QRect part(QPoint(0, 0), shown);
    const bool read = background_.readScaledInBands(tile, part, [&](const QImage& decoded, QPoint at) {
      const QRect piece = QRect(at, decoded.size()) & part;
      QImage pixels = piece.size() == decoded.size() ? decoded : decoded.copy(piece.translated(-at));
      if (pixels.hasAlphaChannel()) {  // see-through pixels show black, as on screen
        QImage opaque(pixels.size(), QImage::Format_RGB32);
        opaque.fill(Qt::black);
        QPainter(&opaque).drawImage(0, 0, pixels);
        pixels = opaque;
      }
      canvas_->putBackground(pixels, piece.topLeft());
    });
    if (!read) canvas_->startBackground(QSize());
  }
  canvas_->showBackground();
}

namespace {

// Where a rectangle of `area` and one of `pieces` meet, each such part once.
QList<QRect> overlaps(const QList<QRect>& area, const QList<QRect>& pieces) {
  QList<QRect> parts;
  for (const QRect& rect : area)
    for (const QRect& piece : pieces)
      if (const QRect part = rect & piece; !part.isEmpty()) parts.append(part);
  return parts;
}

}  // namespace

X11Canvas::Placed ServerFrameSurface::place(const ShownLabel& shown) {
  const Label& label = shown.label;
  const Entry& entry = pictures_.use(LabelPainter::Key::of(label, ratio_), [&] {
    // Drawn once here, then kept by the server only.
    const LabelPainter::Picture picture = LabelPainter::picture(label, ratio_).trimmed();
    return PictureCache<LabelPainter::Key, Entry>::Made{
        Entry{canvas_->upload(picture.image), QRect(picture.corner, picture.image.size())},
        picture.image.sizeInBytes()};
  });
  // The picture stays inside its label's rectangle, which the next frame
  // repaints: text drawn small may measure a pixel more than its layout.
  const QRect clip = Background::deviceRect(shown.rect, ratio_);
  const QPoint at = LabelPainter::devicePlace(label, ratio_);
  if (shown.scale == 1) return {entry.id, entry.rect.translated(at), clip};
  // Between two sizes the server scales the picture about the label's corner.
  const QRectF scaled(QPointF(entry.rect.topLeft()) * shown.scale, QSizeF(entry.rect.size()) * shown.scale);
  return {entry.id, scaled.toAlignedRect().translated(at), clip, shown.scale};
}

void ServerFrameSurface::drawFrame(const QRegion& area, const DisplayFrame& frame) {
  QList<X11Canvas::Placed> placed;
  pictures_.beginFrame();
  for (const ShownLabel& shown : frame.labels)
    if (shown.label.visible && !shown.label.caption.isEmpty()) placed.append(place(shown));
  const Entry& name = nameEntry(frame.patternName);
  placed.append({name.id, name.rect, QRect()});

  // Rectangles scaled apart may overlap, which the canvas allows.
  QList<QRect> parts;
  parts.reserve(area.rectCount());
  for (const QRect& rect : area) parts.append(Background::deviceRect(rect, ratio_));
  if (canvas_->repaintsExposures()) {
    // Where no picture was nor is, the window shows the background already
    // (the server paints it there when uncovered): only the pictures' old and
    // new places are drawn again, and they are cut to their letters. Plain
    // rectangles, overlapping or not, cost far less here than exact regions,
    // and the canvas gathers them into a few larger ones anyway.
    QList<QRect> inked;
    inked.reserve(placed.size());
    for (const X11Canvas::Placed& p : std::as_const(placed))
      if (const QRect shown = p.shown(); !shown.isEmpty()) inked.append(shown);
    if (inked_) parts = overlaps(parts, inked + *inked_);
    inked_ = std::move(inked);
  }
  canvas_->draw(parts, placed);
  pictures_.endFrame();
}

void ServerFrameSurface::releaseStale() {
  pictures_.clear();
  canvas_->flush();
  LabelFont::releaseFreedMemory();
}
