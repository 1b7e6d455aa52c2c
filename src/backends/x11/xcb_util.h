#pragma once

#include <QImage>
#include <QPoint>
#include <cstdlib>
#include <memory>
#include <xcb/xcb.h>

namespace Xcb {

// A server reply, freed on scope exit.
template <typename T>
using Reply = std::unique_ptr<T, decltype(&std::free)>;

template <typename T>
Reply<T> reply(T* raw) {
  return Reply<T>(raw, &std::free);
}

// Puts `image` (its bytes as the server takes them for `depth`) into
// `drawable` at `at`, in bands of rows: a request may not exceed the
// server's maximum length.
void putImage(xcb_connection_t* connection, xcb_drawable_t drawable, xcb_gcontext_t gc, int depth,
              const QImage& image, QPoint at);

}  // namespace Xcb
