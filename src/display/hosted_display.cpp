#include "display/hosted_display.h"

#include <QGuiApplication>
#include <QScreen>
#include <QTimer>

#include "startup/quorl_saver.h"

HostedDisplay::HostedDisplay(QuorlSaver& saver, const PatternCatalog& patterns, std::unique_ptr<HostWindow> host)
    : saver_(saver), host_(std::move(host)), engine_(saver, patterns, DisplayRun::Show) {
  connect(&engine_, &DisplayEngine::pictureChanged, this, [this] { host_->surface().setBackground(engine_.picture()); });
  connect(&engine_, &DisplayEngine::frameChanged, this, &HostedDisplay::repaint);
  connect(host_.get(), &HostWindow::exposed, this, &HostedDisplay::repaintWindow);
  connect(host_.get(), &HostWindow::resized, this, &HostedDisplay::resize);
  connect(host_.get(), &HostWindow::gone, this, &HostedDisplay::hostGone);
}

HostedDisplay::~HostedDisplay() { engine_.stop(); }

void HostedDisplay::start() {
  engine_.load();
  const QScreen* screen = QGuiApplication::primaryScreen();
  engine_.setSmooth(saver_.extra.smooth, screen ? screen->refreshRate() : 60);
  layout_ = HostLayout::of(host_->size(), host_->screenSize());
  host_->surface().resize(layout_.layout, layout_.ratio);
  engine_.setSize(layout_.layout);
  engine_.start();
  host_->watch();
  repaint(QRect(QPoint(0, 0), layout_.layout));
}

void HostedDisplay::resize(QSize size) {
  layout_ = HostLayout::of(size, host_->screenSize());
  host_->surface().resize(layout_.layout, layout_.ratio);
  engine_.setSize(layout_.layout);
  engine_.restart();
  repaint(QRect(QPoint(0, 0), layout_.layout));
}

void HostedDisplay::repaintWindow(const QRegion& windowArea) {
  if (layout_.ratio == 1) return repaint(windowArea);
  QRegion area;
  for (const QRect& r : windowArea)
    area += QRectF(r.x() / layout_.ratio, r.y() / layout_.ratio, r.width() / layout_.ratio, r.height() / layout_.ratio)
                .toAlignedRect();
  repaint(area);
}

void HostedDisplay::repaint(const QRegion& area) {
  pending_ += area;
  if (flushQueued_) return;
  // Ticks and exposures that come together go out as one copy.
  flushQueued_ = true;
  QTimer::singleShot(0, this, &HostedDisplay::flush);
}

void HostedDisplay::flush() {
  flushQueued_ = false;
  const QRegion area = pending_ & QRect(QPoint(0, 0), layout_.layout);
  pending_ = QRegion();
  if (!area.isEmpty()) host_->surface().draw(area, engine_.frame());
}
