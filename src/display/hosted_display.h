#pragma once

#include <QImage>
#include <QObject>
#include <QPointer>
#include <QRegion>
#include <memory>

#include "display/pattern_catalog.h"

class QuorlSaver;
class X11HostWindow;
class frmMainDGL;

// The display drawn into a screen-saver host's window: the same display as
// on a screen, drawn by the X server where it can (see ServerDrawnFrame),
// else rendered into a frame of the window's size whose changed parts are
// copied into the window. It follows the window's size, repaints
// what the host exposes, and ends the program quietly when the window goes.
class HostedDisplay : public QObject {
  Q_OBJECT

 public:
  HostedDisplay(QuorlSaver& saver, const PatternCatalog& patterns, std::unique_ptr<X11HostWindow> host);
  ~HostedDisplay() override;

  void start();
  const frmMainDGL* display() const { return display_; }

 signals:
  // The host's window is no more.
  void hostGone();

 private:
  void resize(QSize size);
  void repaint(const QRegion& area);
  void flush();

  std::unique_ptr<X11HostWindow> host_;
  QPointer<frmMainDGL> display_;
  QImage frame_;  // only when the server cannot draw the frames
  QRegion pending_;
  bool flushQueued_ = false;
};
