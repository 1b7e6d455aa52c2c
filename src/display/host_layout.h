#pragma once

#include <QSize>
#include <algorithm>

// How the display fills a window a screen-saver host lends it. A window of
// at least half the screen each way is drawn at its own size. A smaller one
// (a settings program's preview) stands for the whole screen: the display is
// laid out as on that screen and drawn scaled down, so the preview shows the
// screen's composition in small rather than full-size words on a small
// picture. The layout keeps the window's shape; one of its sides is the
// screen's.
struct HostLayout {
  QSize layout;      // layout pixels the display is laid out in
  qreal ratio = 1;   // window pixels per layout pixel

  static HostLayout of(QSize window, QSize screen) {
    if (window.isEmpty() || screen.isEmpty() || (2 * window.width() >= screen.width() &&
                                                 2 * window.height() >= screen.height()))
      return {window, 1};
    const qreal ratio = std::min(qreal(window.width()) / screen.width(), qreal(window.height()) / screen.height());
    return {QSize(qRound(window.width() / ratio), qRound(window.height() / ratio)), ratio};
  }
};
