#include "startup/file_io.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include "os/file_sync.h"
#include "os/regular_file.h"
#include "startup/startup_texts.h"

namespace FileIo {

namespace {

constexpr qint64 kPiece = 64 * 1024;

}  // namespace

std::optional<QByteArray> readUpTo(QIODevice& device, qint64 maxBytes) {
  QByteArray bytes;
  // The reported size is only a hint: a file may grow while it is read, and
  // files under /proc report none.
  bytes.reserve(qBound<qint64>(0, device.size() - device.pos(), maxBytes));
  while (bytes.size() < maxBytes) {
    const qsizetype had = bytes.size();
    bytes.resize(had + std::min(kPiece, maxBytes - had));
    const qint64 got = device.read(bytes.data() + had, bytes.size() - had);
    bytes.resize(had + std::max<qint64>(got, 0));
    if (got < 0) return std::nullopt;
    if (got == 0) break;
  }
  return bytes;
}

std::optional<Start> readStart(const QString& path, qint64 maxBytes) {
  QFile file;
  if (!RegularFile::openForReading(file, path)) return std::nullopt;
  std::optional<QByteArray> bytes = readUpTo(file, maxBytes);
  if (!bytes) return std::nullopt;
  char next;
  const bool whole = bytes->size() < maxBytes || file.read(&next, 1) == 0;
  return Start{std::move(*bytes), whole};
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

bool isFile(const QString& path) { return RegularFile::exists(path); }

bool leadsAway(const QString& folder, const QString& path) {
  const QFileInfo link(path);
  if (!link.isSymLink()) return false;
  const QFileInfo target(link.canonicalFilePath());  // empty when the link leads nowhere
  const QString root = QFileInfo(folder).canonicalFilePath();
  return !target.exists() || root.isEmpty() || !target.absoluteFilePath().startsWith(root + QLatin1Char('/')) ||
         target.ownerId() != QFileInfo(root).ownerId();
}

bool mayWriteInFolder(const QString& folder, const QString& path, QString* error) {
  if (!leadsAway(folder, path)) return true;
  if (error) *error = StartupTexts::linkLeadsOutside(path);
  return false;
}

bool writeInFolder(const QString& folder, const QString& path, const QByteArray& bytes, QString* error) {
  return mayWriteInFolder(folder, path, error) && writeAtomically(path, bytes, error);
}

}  // namespace FileIo
