#pragma once

#include <QString>

class QFile;

// Files are read only when they are regular files (after symbolic links): a
// FIFO would block the open or the read until some writer comes, a device
// such as /dev/zero never ends, a folder holds no data. Such a path reads as
// a file that cannot be read, never as a wait. The program's built-in files
// (Qt resources, ":/...") read like regular files.
namespace RegularFile {

// Opens `path` read-only into `file` when it is a regular file; the check and
// the open see the same file, so it cannot be swapped in between.
bool openForReading(QFile& file, const QString& path);

// Whether `path` names a regular file, following symbolic links.
bool exists(const QString& path);

}  // namespace RegularFile
