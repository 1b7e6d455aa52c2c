#pragma once

#include <QImage>
#include <QRect>
#include <cstdlib>
#include <xcb/xcb.h>

// Plain windows on a test's own X connection, and their pixels read back.
namespace XWindows {

// A mapped black window that no window manager touches. Its pixels can be
// read back only where no other window covers it.
inline xcb_window_t create(xcb_connection_t* x, const xcb_screen_t* screen, QRect where) {
  const xcb_window_t window = xcb_generate_id(x);
  const uint32_t values[] = {screen->black_pixel, 1};  // black, no window manager
  xcb_create_window(x, XCB_COPY_FROM_PARENT, window, screen->root, int16_t(where.x()), int16_t(where.y()),
                    uint16_t(where.width()), uint16_t(where.height()), 0, XCB_WINDOW_CLASS_INPUT_OUTPUT,
                    screen->root_visual, XCB_CW_BACK_PIXEL | XCB_CW_OVERRIDE_REDIRECT, values);
  xcb_map_window(x, window);
  xcb_flush(x);
  return window;
}

// The window's pixels after everything sent before on the same connection;
// a null image when the server refuses.
inline QImage pixels(xcb_connection_t* x, xcb_window_t window, QSize size) {
  xcb_get_image_reply_t* reply = xcb_get_image_reply(
      x, xcb_get_image(x, XCB_IMAGE_FORMAT_Z_PIXMAP, window, 0, 0, uint16_t(size.width()), uint16_t(size.height()), ~0u),
      nullptr);
  if (!reply) return {};
  QImage image = QImage(xcb_get_image_data(reply), size.width(), size.height(), QImage::Format_RGB32).copy();
  std::free(reply);
  return image;
}

}  // namespace XWindows
