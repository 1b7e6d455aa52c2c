#include "anki/anki_package.h"

#include <QFile>
#include "anki/private_folder.h"

#include "anki/package_archive.h"
#include "anki/package_meta.h"

namespace AnkiPackage {

namespace {

// A `meta` member is a few bytes; anything large is not one.
constexpr qint64 kMaxMetaBytes = 64 * 1024;

std::variant<PackageMeta::CollectionMember, AnkiError> collectionMember(PackageArchive& archive) {
  if (!archive.has(QStringLiteral("meta")))
    return PackageMeta::memberWithoutMeta(archive.has(QStringLiteral("collection.anki21")));
  const std::variant<QByteArray, AnkiError> meta = archive.read(QStringLiteral("meta"), kMaxMetaBytes);
  if (const AnkiError* error = std::get_if<AnkiError>(&meta)) return *error == AnkiError::TooLarge ? AnkiError::BadMeta : *error;
  const std::variant<int, AnkiError> version = PackageMeta::version(std::get<QByteArray>(meta));
  if (const AnkiError* error = std::get_if<AnkiError>(&version)) return *error;
  return PackageMeta::memberOf(std::get<int>(version));
}

}  // namespace

bool available() { return PackageArchive::available(); }

std::variant<AnkiPairs, AnkiError> read(const QString& path, AnkiChoices& choices, qint64 maxMemberBytes) {
  std::variant<std::unique_ptr<PackageArchive>, AnkiError> opened = PackageArchive::open(path);
  if (const AnkiError* error = std::get_if<AnkiError>(&opened)) return *error;
  PackageArchive& archive = *std::get<std::unique_ptr<PackageArchive>>(opened);

  const std::variant<PackageMeta::CollectionMember, AnkiError> member = collectionMember(archive);
  if (const AnkiError* error = std::get_if<AnkiError>(&member)) return *error;
  const auto& [name, zstd] = std::get<PackageMeta::CollectionMember>(member);
  if (!archive.has(name)) return AnkiError::NoCollection;

  const PrivateFolder folder;
  if (!folder.isValid()) return AnkiError::WriteFailed;
  const QString copy = folder.filePath(QStringLiteral("collection"));
  {
    QFile out(copy);
    if (!out.open(QIODevice::WriteOnly)) return AnkiError::WriteFailed;
    if (const std::optional<AnkiError> error = archive.extract(name, out, maxMemberBytes, zstd))
      return *error;
    if (!out.flush()) return AnkiError::WriteFailed;
  }
  std::variant<std::unique_ptr<Collection>, AnkiError> collection = Collection::open(copy, Collection::Access::OwnCopy);
  if (const AnkiError* error = std::get_if<AnkiError>(&collection)) return *error;
  return AnkiNotes::read(*std::get<std::unique_ptr<Collection>>(collection), choices);
}

}  // namespace AnkiPackage
