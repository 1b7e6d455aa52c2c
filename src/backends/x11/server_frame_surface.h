#pragma once

#include <QHash>
#include <QRect>
#include <QRegion>
#include <QString>
#include <memory>
#include <optional>

#include "display/background.h"
#include "display/frame_surface.h"
#include "display/label_painter.h"
#include "display/picture_cache.h"
#include "backends/x11/x11_canvas.h"

// Frames drawn by the X server. The picture lies in the server; each
// label's text and the pattern name are pictures the server keeps and
// blends over it. A tick costs a few requests, and the program holds no
// copy of the screen, however large it is.
class ServerFrameSurface final : public FrameSurface {
 public:
  // Server memory that pictures of text may take before those the last frame
  // did not use are dropped.
  static constexpr qint64 kPictureBudget = 24 * 1024 * 1024;
  static constexpr int kMaxPictures = 512;
  // Pattern names kept (more than the sixteen patterns' only where captions vary).
  static constexpr qsizetype kMaxNames = 32;

  explicit ServerFrameSurface(std::unique_ptr<X11Canvas> canvas);
  ~ServerFrameSurface() override;

  void setBackground(const TiledPicture& picture) override;
  void resize(QSize size, qreal ratio) override;

  qint64 pictureBytes() const { return pictures_.bytes(); }

 protected:
  void drawFrame(const QRegion& area, const DisplayFrame& frame) override;
  void releaseStale() override;

 private:
  struct Entry {
    X11Canvas::PictureId id = 0;
    QRect rect;  // from the label's place on whole device pixels
  };
  X11Canvas::Placed place(const ShownLabel& shown);
  const Entry& nameEntry(const QString& name);
  void releaseNames();
  // Hands the picture to the server, cut to the window's device size.
  void uploadBackground();

  std::unique_ptr<X11Canvas> canvas_;
  TiledPicture background_;
  QSize deviceSize_;
  qreal ratio_ = 1;
  PictureCache<LabelPainter::Key, Entry> pictures_;
  // The pattern names drawn at ratio_, kept for the whole display: there are
  // only sixteen, and drawing one loads a font that the next word releases.
  QHash<QString, Entry> names_;
  qreal namesRatio_ = 0;
  // Where the window shows pictures of text (device pixels), for windows
  // whose server repaints the rest; unknown before the first frame at this size.
  std::optional<QList<QRect>> inked_;
};
