#pragma once

#include <QPointer>
#include <QScreen>

#include "display/background.h"
#include "display/covering_window.h"

// A window over one further screen while the display runs: the background
// picture tiled from its top-left corner (black without one). It takes no
// focus; input on it ends the display as on the display itself.
class ScreenCover : public CoveringWindow {
  Q_OBJECT

 public:
  ScreenCover(QScreen* screen, const TiledPicture& picture, WindowSurfaceFactory makeSurface);

  QScreen* coveredScreen() const { return screen_; }
  // Covers the screen again at its present geometry.
  void fitScreen();

 private:
  QPointer<QScreen> screen_;
};
