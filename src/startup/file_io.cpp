#include "startup/file_io.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace FileIo {

std::optional<QByteArray> readAll(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return std::nullopt;
  return file.readAll();
}

bool writeAtomically(const QString& path, const QByteArray& bytes, QString* error) {
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
    if (error) *error = file.errorString();
    file.cancelWriting();
    return false;
  }
  return true;
}

bool isFile(const QString& path) {
  if (path.isEmpty()) return false;
  const QFileInfo info(path);
  return info.exists() && info.isFile();
}

}  // namespace FileIo
