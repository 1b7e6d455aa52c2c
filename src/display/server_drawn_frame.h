#pragma once

#include <QHash>
#include <QRect>
#include <QRegion>
#include <QString>
#include <memory>

#include "display/label_painter.h"
#include "display/stage.h"
#include "platform/x11_canvas.h"

class TiledPicture;

// The display's frames drawn by the X server. The picture is the window's
// own background; each label's text and the pattern name are pictures the
// server keeps and blends over it. A tick costs a few requests, and the
// program holds no copy of the screen, however large it is.
class ServerDrawnFrame {
 public:
  // Server memory that pictures of text may take before those the last frame
  // did not use are dropped; patterns that change the size every tick come
  // back to the same sizes, and drawing large text is what costs.
  static constexpr qint64 kPictureBudget = 24 * 1024 * 1024;
  static constexpr int kMaxPictures = 512;

  explicit ServerDrawnFrame(std::unique_ptr<X11Canvas> canvas);
  ~ServerDrawnFrame();
  ServerDrawnFrame(const ServerDrawnFrame&) = delete;
  ServerDrawnFrame& operator=(const ServerDrawnFrame&) = delete;

  // Shows `picture` tiled over the whole window (`deviceSize` device pixels).
  void setBackground(const TiledPicture& picture, QSize deviceSize);
  // Draws `area` (layout pixels) of the frame: the background, the labels of
  // `stage` and the pattern name over it.
  void paint(const QRegion& area, const Stage& stage, const QString& patternName, qreal ratio);
  // Forgets the text of the last pattern or word.
  void releaseStale();

  qint64 pictureBytes() const { return bytes_; }

 private:
  struct Entry {
    X11Canvas::PictureId id = 0;
    QRect rect;  // from the label's place on whole device pixels
    qint64 bytes = 0;
    qint64 lastFrame = 0;
  };
  X11Canvas::Placed place(const Label& label, qreal ratio);
  void dropUnused();
  void releaseAll();

  std::unique_ptr<X11Canvas> canvas_;
  QHash<LabelPainter::Key, Entry> pictures_;
  qint64 bytes_ = 0;
  qint64 frameBytes_ = 0;
  qint64 frame_ = 0;
  QString name_;
  qreal nameRatio_ = 0;
  Entry nameEntry_;
};
