#pragma once

#include <QList>
#include <QObject>
#include <functional>
#include <optional>
#include <QPixmap>
#include <QPointer>

#include "display/screen_cover.h"

class QScreen;

// One cover for every screen but the one the display runs on, kept in step
// with the screens: a screen that comes gets a cover, one that goes loses it.
// When the primary screen changes, `primaryChanged` tells the display to
// move there; its cover goes and the screen the display left gets one.
class ScreenCovers : public QObject {
  Q_OBJECT

 public:
  // `loadTile` gives the background picture; it is read only once a second
  // screen needs a cover.
  ScreenCovers(QScreen* displayScreen, std::function<QPixmap()> loadTile, QObject* parent = nullptr);
  ~ScreenCovers() override;

  QList<ScreenCover*> covers() const;
  void closeAll();

 signals:
  void inputSeen();
  void primaryChanged(QScreen* screen);

 private:
  void sync(QScreen* leaving = nullptr);
  void onPrimaryChanged(QScreen* screen);

  QPointer<QScreen> displayScreen_;
  std::function<QPixmap()> loadTile_;
  std::optional<QPixmap> tile_;
  QList<QPointer<ScreenCover>> covers_;
  bool closed_ = false;
};
