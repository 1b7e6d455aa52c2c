#include "display/screen_cover.h"

#include <QMouseEvent>
#include <QPainter>
#include <QWindow>

ScreenCover::ScreenCover(QScreen* screen, const TiledPicture& picture)
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint | Qt::WindowDoesNotAcceptFocus),
      screen_(screen),
      picture_(picture) {
  setObjectName(QStringLiteral("screenCover"));
  setAttribute(Qt::WA_DeleteOnClose);
  setAttribute(Qt::WA_OpaquePaintEvent);
  setMouseTracking(true);
  setCursor(Qt::BlankCursor);
  winId();
  windowHandle()->setScreen(screen);
  canvas_ = X11Canvas::onQtWindow(quint32(winId()));
  if (canvas_) setAttribute(Qt::WA_PaintOnScreen);
}

QPaintEngine* ScreenCover::paintEngine() const { return canvas_ ? nullptr : QWidget::paintEngine(); }

void ScreenCover::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  if (canvas_) picture_.uploadTo(*canvas_, Background::deviceRect(rect(), devicePixelRatioF()).size());
}

void ScreenCover::fitScreen() {
  if (!screen_) return;
  windowHandle()->setScreen(screen_);
  setGeometry(screen_->geometry());
  showFullScreen();
  raise();
}

void ScreenCover::paintEvent(QPaintEvent* event) {
  if (canvas_) return;  // the server repaints its window background by itself
  // The same tiling as the display's, in device pixels; black without a picture.
  QPainter painter(this);
  picture_.paint(painter, event->rect());
}

void ScreenCover::keyPressEvent(QKeyEvent*) { emit inputSeen(); }

void ScreenCover::mousePressEvent(QMouseEvent*) { emit inputSeen(); }

void ScreenCover::mouseMoveEvent(QMouseEvent* event) {
  if (mouse_.moved(event->position())) emit inputSeen();
}
