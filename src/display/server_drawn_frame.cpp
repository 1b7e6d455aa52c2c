#include "display/server_drawn_frame.h"

#include <algorithm>

#include "display/background.h"

ServerDrawnFrame::ServerDrawnFrame(std::unique_ptr<X11Canvas> canvas) : canvas_(std::move(canvas)) {}

ServerDrawnFrame::~ServerDrawnFrame() {
  releaseAll();
  canvas_->release(nameEntry_.id);
}

void ServerDrawnFrame::setBackground(const TiledPicture& picture, QSize deviceSize) {
  picture.uploadTo(*canvas_, deviceSize);
}

X11Canvas::Placed ServerDrawnFrame::place(const Label& label, qreal ratio) {
  const LabelPainter::Key key = LabelPainter::Key::of(label, ratio);
  auto it = pictures_.find(key);
  if (it == pictures_.end()) {
    if (pictures_.size() >= kMaxPictures) releaseAll();
    // Drawn once here, then kept by the server only.
    const LabelPainter::Picture picture = LabelPainter::picture(label, ratio);
    Entry entry;
    entry.id = canvas_->upload(picture.image);
    entry.rect = QRect(picture.corner, picture.image.size());
    entry.bytes = picture.image.sizeInBytes();
    bytes_ += entry.bytes;
    it = pictures_.insert(key, entry);
  }
  if (it->lastFrame != frame_) {
    it->lastFrame = frame_;
    frameBytes_ += it->bytes;
  }
  return {it->id, it->rect.translated(LabelPainter::devicePlace(label, ratio))};
}

void ServerDrawnFrame::paint(const QRegion& area, const Stage& stage, const QString& patternName, qreal ratio) {
  ++frame_;
  frameBytes_ = 0;
  QList<X11Canvas::Placed> placed;
  auto add = [&](const Label& label) {
    if (label.visible && !label.caption.isEmpty()) placed.append(place(label, ratio));
  };
  for (const Label& label : stage.lblQ) add(label);
  for (const Label& label : stage.lblF) add(label);

  if (patternName != name_ || ratio != nameRatio_) {
    canvas_->release(nameEntry_.id);
    const LabelPainter::Picture picture = LabelPainter::patternNamePicture(patternName, ratio);
    const QPoint corner = (QPointF(LabelPainter::patternNameRect().topLeft()) * ratio).toPoint();
    nameEntry_ = Entry{canvas_->upload(picture.image), QRect(corner + picture.corner, picture.image.size())};
    name_ = patternName;
    nameRatio_ = ratio;
  }
  placed.append({nameEntry_.id, nameEntry_.rect});

  QRegion device;
  for (const QRect& rect : area) device += Background::deviceRect(rect, ratio);
  canvas_->draw(device, placed);
  dropUnused();
}

void ServerDrawnFrame::dropUnused() {
  if (bytes_ <= std::max(2 * frameBytes_, kPictureBudget)) return;
  for (auto it = pictures_.begin(); it != pictures_.end();) {
    if (it->lastFrame != frame_) {
      canvas_->release(it->id);
      bytes_ -= it->bytes;
      it = pictures_.erase(it);
    } else {
      ++it;
    }
  }
}

void ServerDrawnFrame::releaseAll() {
  for (const Entry& entry : pictures_) canvas_->release(entry.id);
  pictures_.clear();
  bytes_ = 0;
}

void ServerDrawnFrame::releaseStale() {
  releaseAll();
  canvas_->flush();
}
