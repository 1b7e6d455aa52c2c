#include "display/page_image.h"

#include <QtNumeric>

#include "os/page_memory.h"

namespace PageImage {

namespace {

// Below a page the heap serves as well, and a page of its own would be mostly unused.
constexpr qsizetype kOwnMemoryFrom = 4096;

}  // namespace

QImage make(QSize size, QImage::Format format) {
  if (size.isEmpty()) return QImage(size, format);
  const qsizetype lineBytes = (qsizetype(size.width()) * QImage::toPixelFormat(format).bitsPerPixel() + 31) / 32 * 4;
  qsizetype bytes = 0;
  if (qMulOverflow(lineBytes, qsizetype(size.height()), &bytes)) return QImage();
  if (bytes < kOwnMemoryFrom) return QImage(size, format);
  void* memory = PageMemory::allocate(size_t(bytes));
  if (!memory) return QImage();
  return QImage(static_cast<uchar*>(memory), size.width(), size.height(), lineBytes, format, PageMemory::release,
                memory);
}

}  // namespace PageImage
