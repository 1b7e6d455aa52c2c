#pragma once

#include <QList>
#include <QObject>
#include <functional>
#include <optional>
#include <QPointer>

#include "display/screen_cover.h"

class QScreen;

// One cover for every screen but the one the display runs on, kept in step
// with the screens: a screen that comes gets a cover, one that goes loses it.
// When the primary screen changes, or its size, `displayScreenChanged` tells
// the display to cover it anew; a screen the display left gets a cover.
class ScreenCovers : public QObject {
  Q_OBJECT

 public:
  // `openPicture` gives the background picture; it is read only once a second
  // screen needs a cover.
  ScreenCovers(QScreen* displayScreen, WindowSurfaceFactory makeSurface, std::function<TiledPicture()> openPicture,
               QObject* parent = nullptr);
  // Every cover made from now on runs a display of its own, made by `make`
  // for its screen (none: the picture alone); covers there already get one too.
  using MakeDisplay = std::function<void(ScreenCover& cover, int index)>;
  void showDisplays(MakeDisplay make);
  ~ScreenCovers() override;

  QList<ScreenCover*> covers() const;
  void closeAll();

 signals:
  void inputSeen();
  void displayScreenChanged(QScreen* screen);

 private:
  void sync(QScreen* leaving = nullptr);
  void onPrimaryChanged(QScreen* screen);
  void followDisplayScreen();

  QPointer<QScreen> displayScreen_;
  QMetaObject::Connection geometryWatch_;
  WindowSurfaceFactory makeSurface_;
  std::function<TiledPicture()> openPicture_;
  std::optional<TiledPicture> picture_;
  MakeDisplay makeDisplay_;
  int displaysMade_ = 0;
  QList<QPointer<ScreenCover>> covers_;
  bool closed_ = false;
};
