#include "display/picture_file.h"

#include "platform/regular_file.h"

PictureFile::PictureFile(const QString& path) {
  if (RegularFile::openForReading(file_, path)) reader_.setDevice(&file_);
}
