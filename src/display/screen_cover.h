#pragma once

#include <QPointer>
#include <QScreen>
#include <memory>

#include "display/background.h"
#include "display/covering_window.h"
#include "display/display_engine.h"

// A window over one further screen while the display runs: the background
// picture tiled from its top-left corner (black without one), or a display
// of its own laid out for its screen. It takes no focus; input on it ends
// the display as on the display itself.
class ScreenCover : public CoveringWindow {
  Q_OBJECT

 public:
  ScreenCover(QScreen* screen, const TiledPicture& picture, WindowSurfaceFactory makeSurface);

  QScreen* coveredScreen() const { return screen_; }
  // Covers the screen again at its present geometry.
  void fitScreen();

  // Runs `engine` here: its words over its picture, at this screen's size.
  void showDisplay(std::unique_ptr<DisplayEngine> engine, bool smooth);
  const DisplayEngine* engine() const { return engine_.get(); }

 protected:
  DisplayFrame frame() const override { return engine_ ? engine_->frame() : DisplayFrame{}; }
  void resizeEvent(QResizeEvent* event) override;

 private:
  QPointer<QScreen> screen_;
  std::unique_ptr<DisplayEngine> engine_;
};
