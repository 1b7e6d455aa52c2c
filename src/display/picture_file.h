#pragma once

#include <QFile>
#include <QImageReader>
#include <QString>

// A picture file opened for decoding. The file is opened through the
// regular-file check, which a reader given a path would skip: a FIFO or
// device in a picture's place is no picture, never a wait. Whatever is not a
// picture fails on its first bytes, and a picture that declares more pixels
// than QImageReader's allocation limit fails rather than allocates.
class PictureFile {
 public:
  explicit PictureFile(const QString& path);
  PictureFile(const PictureFile&) = delete;
  PictureFile& operator=(const PictureFile&) = delete;

  // Reads nothing when the file could not be opened.
  QImageReader& reader() { return reader_; }

 private:
  QFile file_;
  QImageReader reader_;
};
