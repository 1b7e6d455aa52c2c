#include "backends/x11/xcb_util.h"

#include <algorithm>

namespace Xcb {

void putImage(xcb_connection_t* connection, xcb_drawable_t drawable, xcb_gcontext_t gc, int depth,
              const QImage& image, QPoint at) {
  const qsizetype line = image.bytesPerLine();
  const qsizetype room = qsizetype(xcb_get_maximum_request_length(connection)) * 4 - 32;
  const int rowsPerRequest = int(std::max<qsizetype>(1, room / line));
  for (int y = 0; y < image.height(); y += rowsPerRequest) {
    const int rows = std::min(rowsPerRequest, image.height() - y);
    xcb_put_image(connection, XCB_IMAGE_FORMAT_Z_PIXMAP, drawable, gc, uint16_t(image.width()), uint16_t(rows),
                  int16_t(at.x()), int16_t(at.y() + y), 0, uint8_t(depth), uint32_t(line * rows),
                  image.constScanLine(y));
  }
}

}  // namespace Xcb
