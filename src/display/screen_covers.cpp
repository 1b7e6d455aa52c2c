#include "display/screen_covers.h"

#include <QGuiApplication>
#include <QScreen>

ScreenCovers::ScreenCovers(QScreen* displayScreen, WindowSurfaceFactory makeSurface,
                           std::function<TiledPicture()> openPicture, QObject* parent)
    : QObject(parent), displayScreen_(displayScreen), makeSurface_(makeSurface), openPicture_(std::move(openPicture)) {
  connect(qGuiApp, &QGuiApplication::screenAdded, this, [this] { sync(); });
  connect(qGuiApp, &QGuiApplication::screenRemoved, this, [this](QScreen* screen) { sync(screen); });
  connect(qGuiApp, &QGuiApplication::primaryScreenChanged, this, &ScreenCovers::onPrimaryChanged);
  followDisplayScreen();
  sync();
}

void ScreenCovers::followDisplayScreen() {
  disconnect(geometryWatch_);
  if (displayScreen_)
    geometryWatch_ = connect(displayScreen_, &QScreen::geometryChanged, this,
                             [this] { emit displayScreenChanged(displayScreen_); });
}

ScreenCovers::~ScreenCovers() { closeAll(); }

QList<ScreenCover*> ScreenCovers::covers() const {
  QList<ScreenCover*> live;
  for (const QPointer<ScreenCover>& cover : covers_)
    if (cover) live.append(cover);
  return live;
}

void ScreenCovers::closeAll() {
  closed_ = true;
  for (const QPointer<ScreenCover>& cover : std::as_const(covers_))
    if (cover) cover->close();
  covers_.clear();
}

void ScreenCovers::onPrimaryChanged(QScreen* screen) {
  if (closed_ || !screen || screen == displayScreen_) return;
  displayScreen_ = screen;
  followDisplayScreen();
  sync();
  emit displayScreenChanged(screen);
}

void ScreenCovers::sync(QScreen* leaving) {
  if (closed_) return;
  QList<QScreen*> wanted = QGuiApplication::screens();
  wanted.removeAll(leaving);
  wanted.removeAll(displayScreen_.data());

  for (qsizetype i = covers_.size() - 1; i >= 0; --i) {
    ScreenCover* cover = covers_.at(i);
    if (!cover || !wanted.contains(cover->coveredScreen())) {
      if (cover) cover->close();
      covers_.removeAt(i);
    } else {
      wanted.removeAll(cover->coveredScreen());
    }
  }
  for (QScreen* screen : wanted) {
    if (!picture_) picture_ = openPicture_();
    auto* cover = new ScreenCover(screen, *picture_, makeSurface_);
    connect(cover, &ScreenCover::inputSeen, this, &ScreenCovers::inputSeen);
    connect(screen, &QScreen::geometryChanged, cover, &ScreenCover::fitScreen);
    cover->fitScreen();
    if (makeDisplay_) makeDisplay_(*cover, ++displaysMade_);
    covers_.append(cover);
  }
}

void ScreenCovers::showDisplays(MakeDisplay make) {
  makeDisplay_ = std::move(make);
  if (!makeDisplay_) return;
  for (const QPointer<ScreenCover>& cover : std::as_const(covers_))
    if (cover && !cover->engine()) makeDisplay_(*cover, ++displaysMade_);
}
