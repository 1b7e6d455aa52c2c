#pragma once

#include <QPointer>
#include <QScreen>
#include <QWidget>
#include <memory>

#include "display/background.h"
#include "display/mouse_jump.h"
#include "platform/x11_canvas.h"

// A plain window over one further screen while the display runs: the
// background picture tiled from its top-left corner (black without one),
// frameless, on top, no cursor. Any key, click or mouse jump on it ends the
// display just as on the display itself.
class ScreenCover : public QWidget {
  Q_OBJECT

 public:
  ScreenCover(QScreen* screen, const TiledPicture& picture);

  QScreen* coveredScreen() const { return screen_; }
  // Covers the screen again at its present geometry.
  void fitScreen();

 signals:
  void inputSeen();

 protected:
  // None while the X server keeps the picture as the window's background.
  QPaintEngine* paintEngine() const override;
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;

 private:
  QPointer<QScreen> screen_;
  TiledPicture picture_;
  MouseJump mouse_;
  std::unique_ptr<X11Canvas> canvas_;  // on X; else Qt paints the picture
};
