#pragma once

#include <QString>

class QFileDevice;

namespace FileSync {

// Flushes what was written to `file` through to the disk, so that a crash
// right after cannot leave it empty; false with `error` when the system
// refuses.
bool toDisk(QFileDevice& file, QString* error);

}  // namespace FileSync
