#include "display/picture_file.h"

#include "os/regular_file.h"

namespace {

// Whether the JPEG's frame header (SOF2, SOF6, SOF10 or SOF14) is progressive.
// The markers before it are skipped by their lengths, reading only their
// heads: the file is opened for every band of the picture drawn, and reading
// ahead in one block would take a quarter megabyte each time.
bool isProgressiveJpeg(QIODevice& file) {
  constexpr qint64 kSearched = 256 * 1024;  // a frame header further in is not looked for
  const auto bytesAt = [&file](qint64 at, qint64 count) { return file.seek(at) ? file.read(count) : QByteArray(); };
  bool progressive = false;
  if (bytesAt(0, 2) == QByteArrayView("\xFF\xD8", 2)) {
    qint64 at = 2;
    while (at + 4 <= kSearched) {
      const QByteArray head = bytesAt(at, 4);
      if (head.size() < 4 || uchar(head[0]) != 0xFF) break;
      const uchar marker = uchar(head[1]);
      if (marker == 0xFF) {  // fill byte
        ++at;
        continue;
      }
      if (marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC) {
        progressive = marker == 0xC2 || marker == 0xC6 || marker == 0xCA || marker == 0xCE;
        break;
      }
      at += 2 + (uchar(head[2]) << 8 | uchar(head[3]));
    }
  }
  file.seek(0);
  return progressive;
}

}  // namespace

PictureFile::PictureFile(const QString& path) {
  if (!RegularFile::openForReading(file_, path)) return;
  const bool progressive = isProgressiveJpeg(file_);
  reader_.setDevice(&file_);
  const QSize size = reader_.size();  // from the header alone
  const qint64 pixels = qint64(size.width()) * size.height();
  if (size.isValid() && pixels > (progressive ? kMaxProgressivePixels : kMaxPixels)) reader_.setDevice(nullptr);
}
