#pragma once

#include <QFile>
#include <QImageReader>
#include <QString>

// A picture file opened for decoding. The file is opened through the
// regular-file check, which a reader given a path would skip: a FIFO or
// device in a picture's place is no picture, never a wait. Whatever is not a
// picture fails on its first bytes, and a picture whose header declares more
// pixels than kMaxPixels (kMaxProgressivePixels for a progressive JPEG, which
// the decoder holds whole however little of it is asked for) reads nothing
// rather than allocates.
class PictureFile {
 public:
  static constexpr qint64 kMaxPixels = 64 << 20;             // 256 MB of 32-bit pixels
  static constexpr qint64 kMaxProgressivePixels = 40 << 20;  // its coefficients: at most 240 MB

  explicit PictureFile(const QString& path);
  PictureFile(const PictureFile&) = delete;
  PictureFile& operator=(const PictureFile&) = delete;

  // Reads nothing when the file could not be opened or is too large.
  QImageReader& reader() { return reader_; }

 private:
  QFile file_;
  QImageReader reader_;
};
