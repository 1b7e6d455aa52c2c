#pragma once

#include <QString>
#include <variant>

#include "anki/anki_choices.h"
#include "anki/anki_error.h"
#include "anki/anki_notes.h"

// Deck and collection packages (.apkg, .colpkg) of the flashcard program:
// the collection member is extracted (zstd-decompressed for the current
// format) into a temporary folder of our own, bounded by
// AnkiErrors::kMaxMemberBytes, and read from there; the package is never
// changed.
namespace AnkiPackage {

// The import chooser's own file type.
inline const QString kFilter = QStringLiteral(
    "Ankiのﾃﾞｯｷ(*.apkg;*.colpkg;*.anki2;*.anki21;*.anki21b)|*.apkg;*.colpkg;*.anki2;*.anki21;*.anki21b");

// Whether a file is named as a package (.apkg or .colpkg, in any case).
inline bool isPackageName(const QString& path) {
  return path.endsWith(QStringLiteral(".apkg"), Qt::CaseInsensitive) ||
         path.endsWith(QStringLiteral(".colpkg"), Qt::CaseInsensitive);
}

// Whether this build reads packages at all.
bool available();

std::variant<AnkiPairs, AnkiError> read(const QString& path, AnkiChoices& choices,
                                        qint64 maxMemberBytes = AnkiErrors::kMaxMemberBytes);

}  // namespace AnkiPackage
