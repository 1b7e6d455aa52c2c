#pragma once

#include <QImage>
#include <QObject>
#include <QRegion>
#include <QSize>
#include <QString>
#include <memory>

class QSocketNotifier;
struct xcb_connection_t;

// A window that a screen-saver host hands over, reached through an X
// connection of our own. Nothing is mapped, grabbed or changed on it: frames
// are copied in, and the host's exposures, resizes and the window's end are
// reported. X errors never stop the program; the window going away (destroyed,
// or the connection lost) is reported once as `gone`.
class X11HostWindow : public QObject {
  Q_OBJECT

 public:
  // Connects to the display in DISPLAY and looks the window up; 0 is the root
  // window. Nothing and a one-line `error` when either fails.
  static std::unique_ptr<X11HostWindow> open(quint32 window, QString* error);
  ~X11HostWindow() override;

  quint32 windowId() const { return window_; }
  // For drawing into the window on the same connection, whose errors this
  // object reads and ignores.
  xcb_connection_t* connection() const { return connection_; }
  QSize size() const { return size_; }
  // The pixel format that copies straight into the window.
  QImage::Format format() const { return format_; }

  // Starts reading the host's events (needs the event loop).
  void watch();

  // Copies `region` of `frame` into the window; the frame's origin is the
  // window's top-left corner.
  void put(const QImage& frame, const QRegion& region);

 signals:
  void exposed(const QRegion& region);
  void resized(QSize size);
  void gone();

 private:
  X11HostWindow(xcb_connection_t* connection, quint32 window, QSize size, int depth, QImage::Format format);
  void readEvents();
  void putRect(const QImage& frame, const QRect& rect);
  void end();

  xcb_connection_t* connection_;
  quint32 window_;
  quint32 gc_ = 0;
  QSize size_;
  int depth_;
  QImage::Format format_;
  std::unique_ptr<QSocketNotifier> notifier_;
  bool gone_ = false;
};
