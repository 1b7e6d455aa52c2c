#include "backends/win/preview_host_window.h"

#include <QGuiApplication>
#include <QPaintEvent>
#include <QScreen>
#include <QPainter>
#include <QWindow>
#include <windows.h>

#include "display/raster_frame_surface.h"

namespace {

HWND hwnd(quint64 handle) { return reinterpret_cast<HWND>(quintptr(handle)); }

// The host window's client area in device pixels; empty when it is gone.
QSize clientSize(quint64 handle) {
  RECT r{};
  if (!IsWindow(hwnd(handle)) || !GetClientRect(hwnd(handle), &r)) return {};
  return QSize(int(r.right - r.left), int(r.bottom - r.top));
}

// Shows the frames rendered into an image, one image pixel on one device pixel.
class PreviewChild final : public QWidget {
 public:
  PreviewChild() : QWidget(nullptr, Qt::FramelessWindowHint | Qt::WindowTransparentForInput | Qt::WindowDoesNotAcceptFocus) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_TransparentForMouseEvents);
  }
  QImage frame;

 protected:
  void paintEvent(QPaintEvent* event) override {
    QPainter painter(this);
    const qreal ratio = devicePixelRatioF();
    painter.scale(1 / ratio, 1 / ratio);
    const QRect device = QRectF(QRectF(event->rect()).topLeft() * ratio, QRectF(event->rect()).size() * ratio).toAlignedRect();
    painter.drawImage(device.topLeft(), frame, device);
  }
};

}  // namespace

std::unique_ptr<PreviewHostWindow> PreviewHostWindow::open(quint64 handle, QString* error) {
  if (!IsWindow(hwnd(handle))) {
    if (error) *error = QStringLiteral("/p: there is no window %1").arg(handle);
    return nullptr;
  }
  return std::unique_ptr<PreviewHostWindow>(new PreviewHostWindow(handle, clientSize(handle)));
}

PreviewHostWindow::PreviewHostWindow(quint64 handle, QSize size) : handle_(handle), size_(size) {
  poll_.setInterval(250);
  connect(&poll_, &QTimer::timeout, this, &PreviewHostWindow::poll);
}

PreviewHostWindow::~PreviewHostWindow() {
  surface_.reset();
  child_.reset();
}

QSize PreviewHostWindow::screenSize() const {
  const QScreen* screen = QGuiApplication::primaryScreen();
  return screen ? screen->geometry().size() : QSize();
}

FrameSurface& PreviewHostWindow::surface() {
  if (!surface_) {
    auto* child = new PreviewChild;
    child_.reset(child);
    child->winId();
    child->windowHandle()->setParent(QWindow::fromWinId(WId(hwnd(handle_))));
    child->setGeometry(QRect(QPoint(0, 0), size_ / child->devicePixelRatioF()));
    child->show();
    fitChild();
    surface_ = std::make_unique<RasterFrameSurface>(QImage::Format_RGB32, [child](const QImage& image, const QRegion& area) {
      child->frame = image;  // shares the pixels
      const qreal ratio = child->devicePixelRatioF();
      child->update(QRectF(QRectF(area.boundingRect()).topLeft() / ratio, QSizeF(area.boundingRect().size()) / ratio).toAlignedRect());
    });
  }
  return *surface_;
}

void PreviewHostWindow::watch() { poll_.start(); }

void PreviewHostWindow::poll() {
  if (gone_) return;
  const QSize size = clientSize(handle_);
  if (size.isEmpty()) {
    gone_ = true;
    poll_.stop();
    if (child_) child_->hide();
    emit gone();
    return;
  }
  if (size == size_) {
    fitChild();  // Qt may still place its window after showing it
    return;
  }
  size_ = size;
  fitChild();
  emit resized(size);
}

void PreviewHostWindow::fitChild() {
  // Placed by the system, in device pixels: the host's client area exactly.
  if (!child_) return;
  const HWND child = reinterpret_cast<HWND>(child_->winId());
  RECT r{};
  if (GetClientRect(child, &r) && r.left == 0 && r.top == 0 && r.right == size_.width() && r.bottom == size_.height())
    return;
  SetWindowPos(child, nullptr, 0, 0, size_.width(), size_.height(), SWP_NOZORDER | SWP_NOACTIVATE);
}
