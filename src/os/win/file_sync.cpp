#include "os/file_sync.h"

#include <QFileDevice>
#include <io.h>
#include <windows.h>

namespace FileSync {

bool toDisk(QFileDevice& file, QString* error) {
  const auto handle = reinterpret_cast<HANDLE>(_get_osfhandle(file.handle()));
  if (handle != INVALID_HANDLE_VALUE && FlushFileBuffers(handle)) return true;
  if (error) *error = QStringLiteral("the data could not be written to the disk (error %1)").arg(GetLastError());
  return false;
}

}  // namespace FileSync
