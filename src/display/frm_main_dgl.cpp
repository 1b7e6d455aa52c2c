#include "display/frm_main_dgl.h"

#include <QApplication>
#include <QPaintEngine>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QWindow>

#include "display/qt_timer_driver.h"
#include "display/screen_covers.h"
#include "platform/input_grab.h"
#include "startup/quorl_saver.h"

frmMainDGL::frmMainDGL(QuorlSaver& saver, const PatternCatalog& patterns, QWidget* parent, Surface surface)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      saver_(saver),
      stage_(metrics_, saver.random),
      cycle_(saver, stage_, patterns),
      lock_(saver.homeFolder()),
      surface_(surface) {
  setObjectName(QStringLiteral("frmMainDGL"));
  setWindowTitle(QStringLiteral("frmMainDGL"));
  setAttribute(Qt::WA_DeleteOnClose);
  setAttribute(Qt::WA_OpaquePaintEvent);
  setAttribute(Qt::WA_NoSystemBackground);
  setMouseTracking(true);
  setFocusPolicy(Qt::StrongFocus);
  QPalette black = palette();
  black.setColor(QPalette::Window, Qt::black);
  setPalette(black);

  driver_ = std::make_unique<QtTimerDriver>(stage_.timers, [this](TimerId id) { onTick(id); }, this);
  cycle_.drawBackground = [this] { bgrPicLoad(); };
  if (surface_ == Surface::HostWindow) {
    // Rendered into the host's window; Qt shows nothing of its own.
    setAttribute(Qt::WA_DontShowOnScreen);
    return;
  }
  lock_.acquire();
}

frmMainDGL::~frmMainDGL() {
  driver_.reset();
  lock_.release();
}

void frmMainDGL::showSaver() {
  cycle_.load();
  setCursor(Qt::BlankCursor);
  moveTo(QGuiApplication::primaryScreen());
  activateWindow();
  setFocus();
  grab_ = new InputGrab(this);
  grab_->start();
  coverScreens();
  cycle_.start();
}

void frmMainDGL::moveTo(QScreen* screen) {
  winId();
  useServerCanvas();
  if (screen) windowHandle()->setScreen(screen);
  setGeometry(screen ? screen->geometry() : QRect(0, 0, 1024, 768));
  showFullScreen();
  raise();
}

void frmMainDGL::useServerCanvas() {
  if (server_ || surface_ != Surface::OwnWindow) return;
  if (auto canvas = X11Canvas::onQtWindow(quint32(winId()))) {
    server_ = std::make_unique<ServerDrawnFrame>(std::move(canvas));
    setAttribute(Qt::WA_PaintOnScreen);
  }
}

QPaintEngine* frmMainDGL::paintEngine() const { return server_ ? nullptr : QWidget::paintEngine(); }

qreal frmMainDGL::frameRatio() const { return surface_ == Surface::HostWindow ? 1.0 : devicePixelRatioF(); }

QSize frmMainDGL::deviceSize() const { return Background::deviceRect(rect(), frameRatio()).size(); }

void frmMainDGL::coverScreens() {
  covers_ = new ScreenCovers(
      QGuiApplication::primaryScreen(),
      [this] { return TiledPicture(saver_.pictureOrDefault(saver_.settings.backgroundPath)); },
      this);
  connect(covers_, &ScreenCovers::inputSeen, this, &frmMainDGL::EndQuoSaver);
  // The primary screen changed (or the old one went away, or its size
  // changed): the display covers it and starts its cycle anew at its size.
  connect(covers_, &ScreenCovers::displayScreenChanged, this, [this](QScreen* screen) {
    moveTo(screen);
    cycle_.restart();
  });
}

void frmMainDGL::showInHost(QSize size, std::unique_ptr<X11Canvas> canvas) {
  if (canvas) server_ = std::make_unique<ServerDrawnFrame>(std::move(canvas));
  cycle_.load();
  resize(size);
  show();
  cycle_.start();
}

void frmMainDGL::hostResized(QSize size) {
  if (size == this->size()) return;
  resize(size);
  cycle_.restart();
}

void frmMainDGL::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  cycle_.setFormSize(width(), height());
  // The server keeps only as much of the picture as the window shows.
  if (server_) server_->setBackground(background_, deviceSize());
}

void frmMainDGL::onTick(TimerId id) {
  const bool measuring = cycle_.cycleState() == 0;
  cycle_.fire(id);
  // Repaint only where labels were and are now, plus the pattern name; all
  // of it when this tick drew the background.
  const QList<QRect> rects = LabelPainter::visibleRects(stage_);
  QRegion dirty(LabelPainter::patternNameRect());
  for (const QRect& r : lastRects_) dirty += r;
  for (const QRect& r : rects) dirty += r;
  lastRects_ = rects;
  if (measuring) dirty = rect();
  // A host draws when told by `areaChanged`; nothing of ours is on screen.
  if (surface_ == Surface::OwnWindow) update(dirty);
  emit areaChanged(dirty);
}

void frmMainDGL::bgrPicLoad() {
  background_ = TiledPicture(saver_.pictureOrDefault(saver_.settings.backgroundPath));
  if (server_) server_->setBackground(background_, deviceSize());
  saveUnder_.clear();
  update();
}

bool frmMainDGL::startsNewPatternOrWord() {
  const std::pair<int, int> shown(cycle_.patternNumber(), cycle_.wordIndex());
  if (shown == shownCycle_) return false;
  shownCycle_ = shown;
  return true;
}

void frmMainDGL::drawInHost(const QRegion& area) {
  if (server_) paintWithServer(area);
}

void frmMainDGL::paintWithServer(const QRegion& area) {
  if (startsNewPatternOrWord()) server_->releaseStale();
  server_->paint(area, stage_, cycle_.patternCaption(), frameRatio());
}

void frmMainDGL::paintEvent(QPaintEvent* event) {
  if (server_) return paintWithServer(event->region());
  QPainter painter(this);
  // The image this paint lands in (the window's buffer, or a host's frame)
  // keeps the background between frames.
  QPaintDevice* target = painter.paintEngine() ? painter.paintEngine()->paintDevice() : nullptr;
  QImage* buffer = target && target->devType() == QInternal::Image ? static_cast<QImage*>(target) : nullptr;
  const QTransform toDevice = painter.deviceTransform();
  background_.setKeepDecoded(buffer == nullptr);

  // Labels draw only where the background under them is kept; the last tick
  // measured where they are.
  QList<QRect> rects = lastRects_;
  rects.append(LabelPainter::patternNameRect());
  QRegion kept;
  for (const QRect& r : rects) kept += r;
  const QRegion region = event->region();
  const bool whole = (QRegion(rect()) - region).isEmpty();
  // Saved pixels can be swapped only when this paint reaches all old and new label places.
  const bool reachesLabels = (((kept + saveUnder_.area()) & rect()) - region).isEmpty();

  // Background at full device resolution: the last frame's labels erased, or
  // the picture itself where the buffer holds nothing of ours yet.
  if (buffer && !whole && reachesLabels && !saveUnder_.isEmpty()) {
    saveUnder_.restore(painter);
  } else {
    background_.paint(painter, region.boundingRect());
  }
  if (buffer && (whole || reachesLabels))
    saveUnder_.save(*buffer, rects, toDevice.m11(), toDevice.map(QPointF(0, 0)).toPoint());
  if (buffer) painter.setClipRegion(kept, Qt::IntersectClip);

  if (startsNewPatternOrWord()) painter_.releaseStale();
  painter_.paint(painter, stage_);
  painter_.paintPatternName(painter, cycle_.patternCaption());
}

// The host owns input in hack mode.
void frmMainDGL::keyPressEvent(QKeyEvent*) {
  if (surface_ == Surface::OwnWindow) EndQuoSaver();
}

void frmMainDGL::mousePressEvent(QMouseEvent*) {
  if (surface_ == Surface::OwnWindow) EndQuoSaver();
}

void frmMainDGL::mouseMoveEvent(QMouseEvent* event) {
  if (surface_ == Surface::OwnWindow && mouse_.moved(event->position())) EndQuoSaver();
}

void frmMainDGL::finish() {
  if (finished_) return;
  finished_ = true;
  driver_->stopAll();
  if (grab_) grab_->release();
  if (covers_) covers_->closeAll();
  unsetCursor();
  lock_.release();
  emit ended();
}

void frmMainDGL::EndQuoSaver() {
  const bool trial = saver_.configMode;
  finish();
  close();
  if (!trial) QApplication::quit();
}

void frmMainDGL::closeEvent(QCloseEvent* event) {
  finish();
  event->accept();
}
