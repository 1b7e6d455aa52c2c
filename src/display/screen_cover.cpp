#include "display/screen_cover.h"

ScreenCover::ScreenCover(QScreen* screen, const TiledPicture& picture, WindowSurfaceFactory makeSurface)
    : CoveringWindow(makeSurface, Qt::WindowDoesNotAcceptFocus), screen_(screen) {
  setObjectName(QStringLiteral("screenCover"));
  surface().setBackground(picture);
}

void ScreenCover::fitScreen() {
  if (screen_) cover(screen_);
}

void ScreenCover::showDisplay(std::unique_ptr<DisplayEngine> engine, bool smooth) {
  engine_ = std::move(engine);
  connect(engine_.get(), &DisplayEngine::pictureChanged, this, [this] { surface().setBackground(engine_->picture()); });
  connect(engine_.get(), &DisplayEngine::frameChanged, this, &CoveringWindow::showFrame);
  engine_->load();
  engine_->setSmooth(smooth, screen_ ? screen_->refreshRate() : 60);
  engine_->setSize(size());
  engine_->start();
}

void ScreenCover::resizeEvent(QResizeEvent* event) {
  CoveringWindow::resizeEvent(event);
  if (!engine_ || engine_->size() == size()) return;
  engine_->setSize(size());
  engine_->restart();
}
