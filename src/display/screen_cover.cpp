#include "display/screen_cover.h"

ScreenCover::ScreenCover(QScreen* screen, const TiledPicture& picture, WindowSurfaceFactory makeSurface)
    : CoveringWindow(makeSurface, Qt::WindowDoesNotAcceptFocus), screen_(screen) {
  setObjectName(QStringLiteral("screenCover"));
  surface().setBackground(picture);
}

void ScreenCover::fitScreen() {
  if (screen_) cover(screen_);
}
