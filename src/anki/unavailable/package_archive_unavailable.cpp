// Built without the zip and zstd libraries: every package is refused as
// unreadable in this build, in so many words.
#include "anki/package_archive.h"

PackageArchive::~PackageArchive() = default;

bool PackageArchive::available() { return false; }

std::variant<std::unique_ptr<PackageArchive>, AnkiError> PackageArchive::open(const QString&) {
  return AnkiError::Unavailable;
}
bool PackageArchive::has(const QString&) const { return false; }
std::variant<QByteArray, AnkiError> PackageArchive::read(const QString&, qint64) { return AnkiError::Unavailable; }
std::optional<AnkiError> PackageArchive::extract(const QString&, QIODevice&, qint64, bool) {
  return AnkiError::Unavailable;
}
