#include "editor/file_import.h"

#include "anki/anki_package.h"

namespace FileImport {

WordImport::ImportedWords fromAnki(const AnkiPairs& pairs) {
  WordImport::ImportedWords words;
  words.questions = pairs.questions;
  words.answers = pairs.answers;
  words.leftOut.pairs = pairs.beyond;
  words.skipped = pairs.skipped;
  return words;
}

Outcome importFile(const QString& path, AnkiChoices& choices) {
  if (AnkiPackage::isPackageName(path)) {
    const std::variant<AnkiPairs, AnkiError> read = AnkiPackage::read(path, choices);
    if (const AnkiError* error = std::get_if<AnkiError>(&read)) return {std::nullopt, *error, {}};
    const AnkiPairs& pairs = std::get<AnkiPairs>(read);
    if (pairs.count() == 0) return {std::nullopt, AnkiError::NoPairs, pairs.skipped};
    return {fromAnki(pairs), std::nullopt, {}};
  }
  if (path.endsWith(QStringLiteral(".vcb"), Qt::CaseInsensitive))
    return {WordImport::importVcbFile(path).words, std::nullopt, {}};
  return {WordImport::importTextFile(path), std::nullopt, {}};
}

}  // namespace FileImport
