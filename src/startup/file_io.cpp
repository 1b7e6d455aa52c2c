#include "startup/file_io.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include "platform/file_sync.h"

namespace FileIo {

std::optional<QByteArray> readAll(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return std::nullopt;
  return file.readAll();
}

bool writeAtomically(const QString& path, const QByteArray& bytes, QString* error) {
  // Unbuffered, so that a full disk or a file-size limit fails the write
  // itself rather than the flush inside commit(), which would still rename the
  // short temporary file over the target. The data reaches the disk before
  // the rename, so that a crash right after it cannot leave an empty file.
  QSaveFile file(path);
  QString why;
  if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered) || file.write(bytes) != bytes.size() ||
      !file.flush() || file.error() != QFileDevice::NoError) {
    why = file.errorString();
  } else if (FileSync::toDisk(file, &why) && file.commit()) {
    return true;
  } else if (why.isEmpty()) {
    why = file.errorString();
  }
  if (error) *error = why;
  // Not committed: the temporary file is removed and the target never touched.
  file.cancelWriting();
  return false;
}

bool isFile(const QString& path) {
  if (path.isEmpty()) return false;
  const QFileInfo info(path);
  return info.exists() && info.isFile();
}

}  // namespace FileIo
