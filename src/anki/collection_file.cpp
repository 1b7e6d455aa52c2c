#include "anki/collection_file.h"

#include <QFile>
#include "anki/private_folder.h"

#include "anki/anki_profile.h"
#include "anki/zstd_stream.h"
#include "startup/file_io.h"

namespace CollectionFile {

namespace {

std::variant<std::unique_ptr<Collection>, AnkiError> decompressed(const QString& path, const QTemporaryDir& folder,
                                                                  qint64 maxBytes) {
  QFile in(path);
  if (!in.open(QIODevice::ReadOnly)) return AnkiError::NoPermission;
  if (!folder.isValid()) return AnkiError::WriteFailed;
  const QString copy = folder.filePath(QStringLiteral("collection"));
  {
    QFile out(copy);
    if (!out.open(QIODevice::WriteOnly)) return AnkiError::WriteFailed;
    if (const std::optional<AnkiError> error = ZstdStream::decompress(
            [&in](char* into, qint64 size) { return in.read(into, size); }, out, maxBytes))
      return *error == AnkiError::NotPackage ? AnkiError::NotCollection : *error;
    if (!out.flush()) return AnkiError::WriteFailed;
  }
  return Collection::open(copy, Collection::Access::OwnCopy);
}

}  // namespace

bool isCollectionName(const QString& path) {
  for (const char* suffix : {".anki2", ".anki21", ".anki21b"})
    if (path.endsWith(QLatin1String(suffix), Qt::CaseInsensitive)) return true;
  return false;
}

std::variant<AnkiPairs, AnkiError> read(const QString& path, AnkiChoices& choices, qint64 maxBytes) {
  const std::optional<FileIo::Start> start = FileIo::readStart(path, 4);
  if (!start) return AnkiError::NoPermission;
  const PrivateFolder folder;
  std::variant<std::unique_ptr<Collection>, AnkiError> opened =
      ZstdStream::startsFrame(start->bytes) ? decompressed(path, folder, maxBytes)
                                            : AnkiProfile::openLiveFile(path, folder);
  if (const AnkiError* error = std::get_if<AnkiError>(&opened)) return *error;
  return AnkiNotes::read(*std::get<std::unique_ptr<Collection>>(opened), choices);
}

}  // namespace CollectionFile
