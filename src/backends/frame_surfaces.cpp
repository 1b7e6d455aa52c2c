#include "backends/frame_surfaces.h"

#include <QWidget>

#include "display/host_window.h"
#include "display/raster_frame_surface.h"
#ifdef Q_OS_WIN
#include "backends/win/preview_host_window.h"
#endif
#ifdef DRIFTGLYPH_X11
#include "backends/x11/server_frame_surface.h"
#include "backends/x11/x11_canvas.h"
#include "backends/x11/x11_host_window.h"
#endif

namespace FrameSurfaces {

std::unique_ptr<FrameSurface> forWindow(QWidget& window) {
#ifdef DRIFTGLYPH_X11
  if (auto canvas = X11Canvas::onQtWindow(quint32(window.winId()))) {
    // The server draws on the native window; Qt keeps no copy of it.
    window.setAttribute(Qt::WA_PaintOnScreen);
    return std::make_unique<ServerFrameSurface>(std::move(canvas));
  }
#endif
  return std::make_unique<RasterFrameSurface>(window);
}

std::unique_ptr<HostWindow> openHostWindow(quint64 id, QString* error) {
#if defined(Q_OS_WIN)
  return PreviewHostWindow::open(id, error);
#elif defined(DRIFTGLYPH_X11)
  if (id > 0xFFFFFFFFu) {
    if (error) *error = QStringLiteral("there is no X window %1").arg(id);
    return nullptr;
  }
  return X11HostWindow::open(quint32(id), error);
#else
  Q_UNUSED(id);
  if (error) *error = QStringLiteral("drawing into a screen saver host's window needs X11, which this build leaves out");
  return nullptr;
#endif
}

}  // namespace FrameSurfaces
