#pragma once

#include <QByteArray>
#include <QString>
#include <memory>
#include <optional>
#include <variant>

#include "anki/anki_error.h"

class QIODevice;
struct zip;

// A flashcard package as the zip it is: its members read with a bound on
// what each decompresses to, so a zip bomb (or a zstd bomb inside a member)
// stops at the bound instead of filling memory or disk.
class PackageArchive {
 public:
  ~PackageArchive();
  PackageArchive(const PackageArchive&) = delete;
  PackageArchive& operator=(const PackageArchive&) = delete;

  // False in a build without the zip and zstd libraries.
  static bool available();

  // NotPackage for anything but a whole, readable zip.
  static std::variant<std::unique_ptr<PackageArchive>, AnkiError> open(const QString& path);

  bool has(const QString& member) const;
  // A small member whole; TooLarge beyond `maxBytes`.
  std::variant<QByteArray, AnkiError> read(const QString& member, qint64 maxBytes);
  // Streams a member into `out`, decompressing zstd when `zstd`; TooLarge
  // beyond `maxBytes` of output.
  std::optional<AnkiError> extract(const QString& member, QIODevice& out, qint64 maxBytes, bool zstd);

 private:
  explicit PackageArchive(zip* archive) : archive_(archive) {}
  zip* archive_;
};
