#pragma once

#include <QImage>
#include <QList>
#include <QRect>
#include <QSize>
#include <memory>

struct xcb_connection_t;

// Drawing done by the X server on one window, so that the program keeps no
// copy of the window's pixels. The window's own background tiles a picture
// held by the server, which repaints exposures by itself; pictures with
// transparency (the words) are handed over once and blended by the server
// wherever they go. A frame is a few small requests. Coordinates are device
// pixels of the window.
class X11Canvas {
 public:
  // Who repaints what the window shows again after it was covered: the
  // server from the window's background, or the owner of the canvas (a
  // window lent by another program, whose background is not ours to change).
  enum class Exposures { ByServer, ByOwner };

  // A window that Qt made, on Qt's own X connection. Nothing when Qt does not
  // run on X or the server cannot draw this way (see `create`).
  static std::unique_ptr<X11Canvas> onQtWindow(quint32 window);
  // Nothing when the server lacks the RENDER extension or the window's pixels
  // are not 32-bit true colour in the byte order of this machine.
  static std::unique_ptr<X11Canvas> create(xcb_connection_t* connection, quint32 window,
                                           Exposures exposures = Exposures::ByServer);
  ~X11Canvas();
  X11Canvas(const X11Canvas&) = delete;
  X11Canvas& operator=(const X11Canvas&) = delete;

  // The picture under everything, of `size`, filled in parts and tiled from
  // the window's top-left corner. With exposures by the server it becomes the
  // window's background and shows at once; else it shows where `draw` goes.
  // An empty size makes it black.
  void startBackground(QSize size);
  void putBackground(const QImage& part, QPoint at);
  void showBackground();

  // A picture with transparency (premultiplied ARGB) kept by the server; 0 for
  // an empty image.
  using PictureId = quint32;
  PictureId upload(const QImage& picture);
  void release(PictureId picture);

  struct Placed {
    PictureId picture = 0;
    QRect rect;  // where the whole picture goes
    QRect clip;  // what of it may show; the whole picture when empty
    qreal scale = 1;  // the picture shown this many times larger, filling `rect`
    // Where the picture shows.
    QRect shown() const { return clip.isEmpty() ? rect : rect & clip; }
  };
  // Repaints `area`, rectangles that may overlap: the background, then the
  // pictures in order over it, each part of the area appearing at once,
  // without flicker.
  void draw(const QList<QRect>& area, const QList<Placed>& pictures);

  // Sends what is queued and reads back nothing.
  void flush();

  // Whether the server repaints uncovered parts from the background by itself.
  bool repaintsExposures() const { return exposures_ == Exposures::ByServer; }

 private:
  struct Formats {
    quint32 window = 0;  // the render format of the window's visual
    quint32 argb = 0;    // 32-bit premultiplied ARGB
  };
  X11Canvas(xcb_connection_t* connection, quint32 window, int depth, Formats formats, Exposures exposures);
  void putImage(quint32 drawable, int depth, const QImage& image, QPoint at);
  void ensureScratch(QSize size);
  void drawRect(const QRect& rect, const QList<Placed>& pictures);
  void compositeScaled(const Placed& placed, const QRect& part, const QRect& rect);

  xcb_connection_t* connection_;
  quint32 window_;
  int depth_;
  Formats formats_;
  Exposures exposures_;
  quint32 gc_ = 0;
  quint32 background_ = 0;  // pixmap tiled under everything; 0 for black
  quint32 nextBackground_ = 0;
  quint32 scratch_ = 0;     // pixmap a part of a frame is put together in
  quint32 scratchPicture_ = 0;
  QSize scratchSize_;
  quint32 argbGc_ = 0;
};
