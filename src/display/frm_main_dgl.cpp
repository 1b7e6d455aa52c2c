#include "display/frm_main_dgl.h"

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>

#include "display/background.h"
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
  const QString path = saver_.pictureOrDefault(saver_.settings.backgroundPath);
  backBuffer_ = Background::compose(Background::load(path), size());
  update();
}

void frmMainDGL::paintEvent(QPaintEvent* event) {
  QPainter painter(this);
  if (backBuffer_.isNull()) {
    painter.fillRect(event->rect(), Qt::black);
  } else {
    painter.drawImage(event->rect(), backBuffer_, event->rect());
  }
  painter_.paint(painter, stage_);
  LabelPainter::paintPatternName(painter, cycle_.patternCaption());
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
