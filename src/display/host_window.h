#pragma once

#include <QObject>
#include <QRegion>
#include <QSize>

class FrameSurface;

// A window that a screen-saver host lends the display: the display draws
// into it at its size and takes nothing else from it. Sizes are device
// pixels, so frames are drawn one layout pixel on one device pixel. The
// window going away (destroyed, or the connection to it lost) is reported
// once as `gone`.
class HostWindow : public QObject {
  Q_OBJECT

 public:
  virtual QSize size() const = 0;
  // The screen the window stands for (its whole screen, for a preview), in
  // the layout pixels a display shown on that screen would use.
  virtual QSize screenSize() const = 0;
  // The surface that draws into the window, the best way the window allows.
  virtual FrameSurface& surface() = 0;
  // Starts reporting the host's events (needs the event loop).
  virtual void watch() = 0;
  // Whether frames reach the window over a connection of the display's own,
  // so that Qt needs no window system; else the window is one of Qt's.
  virtual bool reachedDirectly() const = 0;

 signals:
  void exposed(const QRegion& region);
  void resized(QSize size);
  void gone();
};
