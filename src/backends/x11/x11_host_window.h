#pragma once

#include <QImage>
#include <QRegion>
#include <QSize>
#include <QString>
#include <memory>

#include "display/frame_surface.h"
#include "display/host_window.h"

class QSocketNotifier;
struct xcb_connection_t;

// A window that a screen-saver host hands over, reached through an X
// connection of our own. Nothing is mapped, grabbed or changed on it: the X
// server draws the frames where it can, else they are copied in; the host's
// exposures, resizes and the window's end are reported. X errors never stop
// the program.
class X11HostWindow final : public HostWindow {
  Q_OBJECT

 public:
  // Connects to the display in DISPLAY and looks the window up; 0 is the root
  // window. Nothing and a one-line `error` when either fails.
  static std::unique_ptr<X11HostWindow> open(quint32 window, QString* error);
  ~X11HostWindow() override;

  QSize size() const override { return size_; }
  // The root window of the window's screen: all monitors together.
  QSize screenSize() const override { return screen_; }
  FrameSurface& surface() override;
  void watch() override;
  // Over the connection this window opened: Qt needs no window system at all.
  bool reachedDirectly() const override { return true; }

  // The pixel format that copies straight into the window.
  QImage::Format format() const { return format_; }
  // Copies `region` of `frame` into the window; the frame's origin is the
  // window's top-left corner.
  void put(const QImage& frame, const QRegion& region);

 private:
  X11HostWindow(xcb_connection_t* connection, quint32 window, QSize size, QSize screen, int depth,
                QImage::Format format);
  void readEvents();
  void end();

  xcb_connection_t* connection_;
  quint32 window_;
  quint32 gc_ = 0;
  QSize size_;
  QSize screen_;
  int depth_;
  QImage::Format format_;
  std::unique_ptr<QSocketNotifier> notifier_;
  std::unique_ptr<FrameSurface> surface_;
  bool gone_ = false;
};
