#pragma once

#include <QString>
#include <variant>

#include "anki/anki_choices.h"
#include "anki/anki_error.h"
#include "anki/anki_notes.h"

// A collection of the flashcard program given as a file of its own, as it
// lies in a profile folder ("collection.anki2", ".anki21") or as taken out
// of a package (the zstd-compressed "collection.anki21b"). An SQLite file is
// read with the live link's care (see AnkiProfile::openLiveFile): never
// written, nothing made beside it; a compressed one is decompressed into a
// private folder, bounded by AnkiErrors::kMaxMemberBytes.
namespace CollectionFile {

// Whether a file is named as a collection (.anki2, .anki21, .anki21b, in any case).
bool isCollectionName(const QString& path);

std::variant<AnkiPairs, AnkiError> read(const QString& path, AnkiChoices& choices,
                                        qint64 maxBytes = AnkiErrors::kMaxMemberBytes);

}  // namespace CollectionFile
