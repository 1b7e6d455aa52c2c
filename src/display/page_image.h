#pragma once

#include <QImage>

// Images whose pixels live in memory of their own when they are large (see
// PageMemory): pictures of words and the background kept under them, which
// change size from frame to frame. Small ones come from the heap as usual.
namespace PageImage {

// A new image, its pixels undefined; null when memory ran out, as QImage's.
QImage make(QSize size, QImage::Format format);

}  // namespace PageImage
