#include "display/picture_file.h"

#include "os/regular_file.h"

namespace {

// Whether the JPEG's frame header (SOF2, SOF6, SOF10 or SOF14) is progressive;
// the markers before it are skipped by their lengths.
bool isProgressiveJpeg(const QByteArray& head) {
  if (!head.startsWith("\xFF\xD8")) return false;
  qsizetype at = 2;
  while (at + 4 <= head.size()) {
    if (uchar(head[at]) != 0xFF) return false;
    const uchar marker = uchar(head[at + 1]);
    if (marker == 0xFF) {  // fill byte
      ++at;
      continue;
    }
    if (marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC)
      return marker == 0xC2 || marker == 0xC6 || marker == 0xCA || marker == 0xCE;
    at += 2 + (uchar(head[at + 2]) << 8 | uchar(head[at + 3]));
  }
  return false;
}

}  // namespace

PictureFile::PictureFile(const QString& path) {
  if (!RegularFile::openForReading(file_, path)) return;
  const bool progressive = isProgressiveJpeg(file_.peek(256 * 1024));
  reader_.setDevice(&file_);
  const QSize size = reader_.size();  // from the header alone
  const qint64 pixels = qint64(size.width()) * size.height();
  if (size.isValid() && pixels > (progressive ? kMaxProgressivePixels : kMaxPixels)) reader_.setDevice(nullptr);
}
