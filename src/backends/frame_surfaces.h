#pragma once

#include <QString>
#include <memory>

class FrameSurface;
class HostWindow;
class QWidget;

// Chooses how frames are drawn, the one place that knows the choices: by the
// X server where the program runs on X11 and the server can (RENDER, 32-bit
// true colour), else by Qt's raster painter; and how a host's window is
// reached (over X11, or as Windows' preview window).
namespace FrameSurfaces {

// For a window of ours (the display, a screen cover) whose native window exists.
std::unique_ptr<FrameSurface> forWindow(QWidget& window);

// Opens the window a screen-saver host lends by its native id (0: the whole
// screen). Nothing and a one-line `error` when it cannot be drawn into, or
// when this build has no way to reach such windows.
std::unique_ptr<HostWindow> openHostWindow(quint64 id, QString* error);

}  // namespace FrameSurfaces
