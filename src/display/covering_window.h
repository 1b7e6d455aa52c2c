#pragma once

#include <QWidget>
#include <memory>

#include "display/frame_surface.h"
#include "display/mouse_jump.h"

// A black, frameless window on top of everything that covers one screen
// without a cursor and draws through the frame surface the platform chose
// for it. Any key, click or mouse jump on it is reported as `inputSeen`: the
// display and the covers of the other screens end on the same input.
class CoveringWindow : public QWidget {
  Q_OBJECT

 public:
  CoveringWindow(WindowSurfaceFactory makeSurface, Qt::WindowFlags extraFlags = {});
  ~CoveringWindow() override;

  // Covers `screen` (a default size without one), full screen and raised.
  void cover(QScreen* screen);
  FrameSurface& surface() { return *surface_; }
  // Shows `area` of the frame anew: drawn at once where the surface draws on
  // screen itself, else through a paint event.
  void showFrame(const QRegion& area);

 signals:
  void inputSeen();

 protected:
  // What the window shows over its picture; a cover shows the picture alone.
  virtual DisplayFrame frame() const { return {}; }

  // None while the surface draws on screen itself: Qt then keeps no copy of the window.
  QPaintEngine* paintEngine() const override;
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void enterEvent(QEnterEvent* event) override;

 private:
  std::unique_ptr<FrameSurface> surface_;
  MouseJump mouse_;
};
