#include "display/frm_main_dgl.h"

#include <QApplication>
#include <QBackingStore>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>

#include "display/qt_timer_driver.h"
#include "startup/quorl_saver.h"

frmMainDGL::frmMainDGL(QuorlSaver& saver, const PatternCatalog& patterns, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      saver_(saver),
      stage_(metrics_, saver.random),
      cycle_(saver, stage_, patterns),
      lock_(saver.homeFolder()) {
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
  lock_.acquire();
}

frmMainDGL::~frmMainDGL() {
  driver_.reset();
  lock_.release();
}

void frmMainDGL::showSaver() {
  cycle_.load();
  const QRect screen = QGuiApplication::primaryScreen() ? QGuiApplication::primaryScreen()->geometry()
                                                        : QRect(0, 0, 1024, 768);
  setGeometry(screen);
  setCursor(Qt::BlankCursor);
  showFullScreen();
  raise();
  activateWindow();
  setFocus();
  cycle_.start();
}

void frmMainDGL::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  cycle_.setFormSize(width(), height());
}

void frmMainDGL::onTick(TimerId id) {
  cycle_.fire(id);
  // Repaint only where labels were and are now, plus the pattern name.
  const QList<QRect> rects = LabelPainter::visibleRects(stage_);
  QRegion dirty(LabelPainter::patternNameRect());
  for (const QRect& r : lastRects_) dirty += r;
  for (const QRect& r : rects) dirty += r;
  lastRects_ = rects;
  update(dirty);
}

void frmMainDGL::bgrPicLoad() {
  background_ = TiledPicture(saver_.pictureOrDefault(saver_.settings.backgroundPath));
  saveUnder_.clear();
  update();
}

// The window's buffer as an image, when it is one; the display keeps the
// background there between frames.
QImage* frmMainDGL::bufferImage() {
  QBackingStore* store = backingStore();
  QPaintDevice* device = store ? store->paintDevice() : nullptr;
  return device && device->devType() == QInternal::Image ? static_cast<QImage*>(device) : nullptr;
}

void frmMainDGL::paintEvent(QPaintEvent* event) {
  QPainter painter(this);
  const qreal ratio = devicePixelRatio();
  QImage* buffer = bufferImage();
  const bool whole = (QRegion(rect()) - event->region()).isEmpty();
  background_.setKeepDecoded(buffer == nullptr);

  // Background at full device resolution: the last frame's labels erased, or
  // the picture itself where the buffer holds nothing of ours yet.
  if (buffer && !whole && !saveUnder_.isEmpty()) {
    saveUnder_.restore(painter);
  } else {
    background_.paint(painter, event->region().boundingRect());
  }

  // Labels draw only where the background under them is kept; the last tick
  // measured where they are.
  QList<QRect> rects = lastRects_;
  rects.append(LabelPainter::patternNameRect());
  if (buffer) {
    // Where this widget's pixels lie in the window's buffer.
    const QPoint offset = Background::deviceRect(QRect(mapTo(window(), QPoint(0, 0)), QSize(1, 1)), ratio).topLeft();
    saveUnder_.save(*buffer, rects, ratio, offset);
    QRegion kept;
    for (const QRect& r : rects) kept += r;
    painter.setClipRegion(kept, Qt::IntersectClip);
  }
  painter_.paint(painter, stage_);
  painter_.paintPatternName(painter, cycle_.patternCaption());
}

void frmMainDGL::keyPressEvent(QKeyEvent*) { EndQuoSaver(); }

void frmMainDGL::mousePressEvent(QMouseEvent*) { EndQuoSaver(); }

void frmMainDGL::mouseMoveEvent(QMouseEvent* event) {
  if (mouse_.moved(event->position())) EndQuoSaver();
}

void frmMainDGL::finish() {
  if (finished_) return;
  finished_ = true;
  driver_->stopAll();
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
