#include "display/hosted_display.h"

#include <QTimer>

HostedDisplay::HostedDisplay(QuorlSaver& saver, const PatternCatalog& patterns, std::unique_ptr<HostWindow> host)
    : host_(std::move(host)), engine_(saver, patterns, DisplayRun::Show) {
  connect(&engine_, &DisplayEngine::pictureChanged, this, [this] { host_->surface().setBackground(engine_.picture()); });
  connect(&engine_, &DisplayEngine::frameChanged, this, &HostedDisplay::repaint);
  connect(host_.get(), &HostWindow::exposed, this, &HostedDisplay::repaint);
  connect(host_.get(), &HostWindow::resized, this, &HostedDisplay::resize);
  connect(host_.get(), &HostWindow::gone, this, &HostedDisplay::hostGone);
}

HostedDisplay::~HostedDisplay() { engine_.stop(); }

void HostedDisplay::start() {
  engine_.load();
  host_->surface().resize(host_->size(), 1);
  engine_.setSize(host_->size());
  engine_.start();
  host_->watch();
  repaint(QRect(QPoint(0, 0), host_->size()));
}

void HostedDisplay::resize(QSize size) {
  host_->surface().resize(size, 1);
  engine_.setSize(size);
  engine_.restart();
  repaint(QRect(QPoint(0, 0), size));
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
  const QRegion area = pending_ & QRect(QPoint(0, 0), host_->size());
  pending_ = QRegion();
  if (!area.isEmpty()) host_->surface().draw(area, engine_.frame());
}
