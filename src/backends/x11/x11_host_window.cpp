#include "backends/x11/x11_host_window.h"

#include <QSocketNotifier>
#include <optional>

#include "display/raster_frame_surface.h"
#include "backends/x11/server_frame_surface.h"
#include "backends/x11/x11_canvas.h"
#include "backends/x11/xcb_util.h"

namespace {

// The image format whose bytes the server takes as they are, for this depth.
std::optional<QImage::Format> formatForDepth(const xcb_setup_t* setup, int depth) {
  if (setup->image_byte_order != XCB_IMAGE_ORDER_LSB_FIRST) return std::nullopt;
  int bitsPerPixel = 0;
  for (auto it = xcb_setup_pixmap_formats_iterator(setup); it.rem; xcb_format_next(&it))
    if (it.data->depth == depth) bitsPerPixel = it.data->bits_per_pixel;
  if ((depth == 24 || depth == 32) && bitsPerPixel == 32) return QImage::Format_RGB32;
  if (depth == 16 && bitsPerPixel == 16) return QImage::Format_RGB16;
  return std::nullopt;
}

}  // namespace

std::unique_ptr<X11HostWindow> X11HostWindow::open(quint32 window, QString* error) {
  if (qEnvironmentVariableIsEmpty("DISPLAY")) {
    if (error) *error = QStringLiteral("no X display: DISPLAY is not set");
    return nullptr;
  }
  int screenNumber = 0;
  xcb_connection_t* c = xcb_connect(nullptr, &screenNumber);
  if (xcb_connection_has_error(c)) {
    xcb_disconnect(c);
    if (error) *error = QStringLiteral("cannot open the X display \"%1\"").arg(qEnvironmentVariable("DISPLAY"));
    return nullptr;
  }
  const xcb_setup_t* setup = xcb_get_setup(c);
  if (window == 0) {
    auto it = xcb_setup_roots_iterator(setup);
    for (int i = 0; i < screenNumber && it.rem; ++i) xcb_screen_next(&it);
    window = it.data->root;
  }
  auto geometry = Xcb::reply(xcb_get_geometry_reply(c, xcb_get_geometry(c, window), nullptr));
  if (!geometry) {
    xcb_disconnect(c);
    if (error) *error = QStringLiteral("there is no X window 0x%1").arg(window, 0, 16);
    return nullptr;
  }
  const std::optional<QImage::Format> format = formatForDepth(setup, geometry->depth);
  if (!format) {
    xcb_disconnect(c);
    if (error) *error = QStringLiteral("X window 0x%1 has a colour depth of %2 bits, which is not supported")
                 .arg(window, 0, 16)
                 .arg(geometry->depth);
    return nullptr;
  }
  QSize screen(geometry->width, geometry->height);
  if (auto root = Xcb::reply(xcb_get_geometry_reply(c, xcb_get_geometry(c, geometry->root), nullptr)))
    screen = QSize(root->width, root->height);
  return std::unique_ptr<X11HostWindow>(
      new X11HostWindow(c, window, QSize(geometry->width, geometry->height), screen, geometry->depth, *format));
}

X11HostWindow::X11HostWindow(xcb_connection_t* connection, quint32 window, QSize size, QSize screen, int depth,
                             QImage::Format format)
    : connection_(connection), window_(window), size_(size), screen_(screen), depth_(depth), format_(format) {
  // Exposure and structure events may be selected by any number of clients,
  // so listening takes nothing away from the host.
  const uint32_t events = XCB_EVENT_MASK_EXPOSURE | XCB_EVENT_MASK_STRUCTURE_NOTIFY;
  xcb_change_window_attributes(connection_, window_, XCB_CW_EVENT_MASK, &events);
  gc_ = xcb_generate_id(connection_);
  const uint32_t noExposures = 0;
  xcb_create_gc(connection_, gc_, window_, XCB_GC_GRAPHICS_EXPOSURES, &noExposures);
  xcb_flush(connection_);
}

X11HostWindow::~X11HostWindow() {
  surface_.reset();  // frees its server pictures while the connection lasts
  notifier_.reset();
  xcb_disconnect(connection_);
}

void X11HostWindow::watch() {
  notifier_ = std::make_unique<QSocketNotifier>(xcb_get_file_descriptor(connection_), QSocketNotifier::Read);
  connect(notifier_.get(), &QSocketNotifier::activated, this, &X11HostWindow::readEvents);
  readEvents();
}

void X11HostWindow::end() {
  if (gone_) return;
  gone_ = true;
  if (notifier_) notifier_->setEnabled(false);
  emit gone();
}

void X11HostWindow::readEvents() {
  while (!gone_) {
    if (xcb_connection_has_error(connection_)) return end();
    auto event = Xcb::reply(xcb_poll_for_event(connection_));
    if (!event) return;
    switch (event->response_type & 0x7f) {
      case 0: {
        // Any error about the window or its drawing means it is no more.
        const auto* e = reinterpret_cast<xcb_generic_error_t*>(event.get());
        if (e->error_code == XCB_WINDOW || e->error_code == XCB_DRAWABLE || e->error_code == XCB_G_CONTEXT)
          return end();
        break;
      }
      case XCB_EXPOSE: {
        const auto* e = reinterpret_cast<xcb_expose_event_t*>(event.get());
        emit exposed(QRegion(e->x, e->y, e->width, e->height));
        break;
      }
      case XCB_CONFIGURE_NOTIFY: {
        const auto* e = reinterpret_cast<xcb_configure_notify_event_t*>(event.get());
        const QSize size(e->width, e->height);
        if (e->window == window_ && size != size_) {
          size_ = size;
          emit resized(size);
        }
        break;
      }
      case XCB_DESTROY_NOTIFY:
        if (reinterpret_cast<xcb_destroy_notify_event_t*>(event.get())->window == window_) return end();
        break;
      default:
        break;
    }
  }
}

void X11HostWindow::put(const QImage& frame, const QRegion& region) {
  if (gone_) return;
  const QRegion inside = region & QRect(QPoint(0, 0), size_.boundedTo(frame.size()));
  for (const QRect& rect : inside)
    Xcb::putImage(connection_, window_, gc_, depth_, frame.copy(rect).convertToFormat(format_), rect.topLeft());
  xcb_flush(connection_);
  readEvents();
}

FrameSurface& X11HostWindow::surface() {
  if (!surface_) {
    // The server draws the frames when it can; else they are rendered here and copied in.
    if (auto canvas = X11Canvas::create(connection_, window_, X11Canvas::Exposures::ByOwner))
      surface_ = std::make_unique<ServerFrameSurface>(std::move(canvas));
    else
      surface_ = std::make_unique<RasterFrameSurface>(
          format_, [this](const QImage& image, const QRegion& area) { put(image, area); });
  }
  return *surface_;
}
