#include "display/covering_window.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QScreen>
#include <QWindow>

CoveringWindow::CoveringWindow(WindowSurfaceFactory makeSurface, Qt::WindowFlags extraFlags)
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint | extraFlags) {
  setAttribute(Qt::WA_DeleteOnClose);
  setAttribute(Qt::WA_OpaquePaintEvent);
  setAttribute(Qt::WA_NoSystemBackground);
  setMouseTracking(true);
  setCursor(Qt::BlankCursor);
  QPalette black = palette();
  black.setColor(QPalette::Window, Qt::black);
  setPalette(black);
  winId();  // the surface may draw on the native window
  surface_ = makeSurface(*this);
}

CoveringWindow::~CoveringWindow() = default;

void CoveringWindow::cover(QScreen* screen) {
  if (screen) windowHandle()->setScreen(screen);
  setGeometry(screen ? screen->geometry() : QRect(0, 0, 1024, 768));
  if (windowFlags().testFlag(Qt::WindowDoesNotAcceptFocus)) {
    // showFullScreen() would also ask for the focus, which such a window refuses with a warning.
    setWindowState(windowState() | Qt::WindowFullScreen);
    show();
  } else {
    showFullScreen();
  }
  raise();
}

QPaintEngine* CoveringWindow::paintEngine() const {
  return testAttribute(Qt::WA_PaintOnScreen) ? nullptr : QWidget::paintEngine();
}

void CoveringWindow::showFrame(const QRegion& area) {
  // A paint event would cost a trip through Qt's repaint machinery for each
  // of the display's frames (up to the screen's refresh rate).
  if (testAttribute(Qt::WA_PaintOnScreen) && isVisible())
    surface_->draw(area & rect(), frame());
  else
    update(area);
}

void CoveringWindow::paintEvent(QPaintEvent* event) { surface_->draw(event->region(), frame()); }

void CoveringWindow::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  surface_->resize(size(), devicePixelRatioF());
}

void CoveringWindow::keyPressEvent(QKeyEvent*) { emit inputSeen(); }

void CoveringWindow::mousePressEvent(QMouseEvent*) { emit inputSeen(); }

void CoveringWindow::mouseMoveEvent(QMouseEvent* event) {
  // Where the pointer is on the screen: a window manager moving or resizing
  // the window under a still pointer changes only the window's coordinates.
  if (mouse_.moved(event->globalPosition())) emit inputSeen();
}

void CoveringWindow::enterEvent(QEnterEvent* event) { mouse_.entered(event->globalPosition()); }
