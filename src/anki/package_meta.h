#pragma once

#include <QByteArray>
#include <QString>
#include <optional>
#include <variant>

#include "anki/anki_error.h"

// Which member of a flashcard package holds its collection. The package's
// `meta` member is a protocol-buffer message whose field 1 (a varint) is the
// package version: 1 the oldest collection "collection.anki2", 2
// "collection.anki21", 3 the current zstd-compressed "collection.anki21b".
// Packages of version 3 also carry a small "collection.anki2" that only asks
// old programs to update: it is never read when a newer member is named.
namespace PackageMeta {

struct CollectionMember {
  QString name;
  bool zstd = false;
};

inline constexpr int kNewestVersion = 3;

// The version in a `meta` member; BadMeta when the bytes are not a message
// with a version, TooNew for a version above kNewestVersion.
std::variant<int, AnkiError> version(const QByteArray& meta);

CollectionMember memberOf(int version);

// Without `meta`: "collection.anki21" when the package has it, else "collection.anki2".
CollectionMember memberWithoutMeta(bool hasAnki21);

}  // namespace PackageMeta
