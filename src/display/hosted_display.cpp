#include "display/hosted_display.h"

#include <QPainter>
#include <QTimer>

#include "display/frm_main_dgl.h"
#include "platform/x11_canvas.h"
#include "platform/x11_host_window.h"

HostedDisplay::HostedDisplay(QuorlSaver& saver, const PatternCatalog& patterns,
                             std::unique_ptr<X11HostWindow> host)
    : host_(std::move(host)),
      display_(new frmMainDGL(saver, patterns, nullptr, frmMainDGL::Surface::HostWindow)) {
  connect(display_, &frmMainDGL::areaChanged, this, &HostedDisplay::repaint);
  connect(host_.get(), &X11HostWindow::exposed, this, &HostedDisplay::repaint);
  connect(host_.get(), &X11HostWindow::resized, this, &HostedDisplay::resize);
  connect(host_.get(), &X11HostWindow::gone, this, &HostedDisplay::hostGone);
}

HostedDisplay::~HostedDisplay() { delete display_; }

void HostedDisplay::start() {
  // The server draws the frames when it can; else they are rendered here
  // and copied in.
  auto canvas = X11Canvas::create(host_->connection(), host_->windowId(), X11Canvas::Exposures::ByOwner);
  if (!canvas) frame_ = QImage(host_->size(), host_->format());
  display_->showInHost(host_->size(), std::move(canvas));
  host_->watch();
  repaint(QRect(QPoint(0, 0), host_->size()));
}

void HostedDisplay::resize(QSize size) {
  if (!display_->drawsWithServer()) frame_ = QImage(size, host_->format());
  display_->hostResized(size);
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
  if (area.isEmpty() || !display_) return;
  if (display_->drawsWithServer()) return display_->drawInHost(area);
  {
    QPainter painter(&frame_);
    display_->render(&painter, area.boundingRect().topLeft(), area, {});
  }
  host_->put(frame_, area);
}
