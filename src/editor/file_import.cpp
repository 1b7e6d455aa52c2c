#include "editor/file_import.h"

#include "anki/anki_package.h"
#include "anki/collection_file.h"
#include "startup/file_io.h"
#include "startup/text_sniff.h"

namespace FileImport {

WordImport::ImportedWords fromAnki(const AnkiPairs& pairs) {
  WordImport::ImportedWords words;
  words.questions = pairs.questions;
  words.answers = pairs.answers;
  words.leftOut.pairs = pairs.beyond;
  words.skipped = pairs.skipped;
  return words;
}

bool isAnkiName(const QString& path) {
  return AnkiPackage::isPackageName(path) || CollectionFile::isCollectionName(path);
}

Outcome importFile(const QString& path, AnkiChoices& choices) {
  if (isAnkiName(path)) {
    const std::variant<AnkiPairs, AnkiError> read =
        AnkiPackage::isPackageName(path) ? AnkiPackage::read(path, choices) : CollectionFile::read(path, choices);
    if (const AnkiError* error = std::get_if<AnkiError>(&read)) return {std::nullopt, *error, {}};
    const AnkiPairs& pairs = std::get<AnkiPairs>(read);
    if (pairs.count() == 0) return {std::nullopt, AnkiError::NoPairs, pairs.skipped};
    return {fromAnki(pairs), std::nullopt, {}};
  }
  if (!isText(path)) return {std::nullopt, std::nullopt, {}, true};
  if (path.endsWith(QStringLiteral(".vcb"), Qt::CaseInsensitive))
    return {WordImport::importVcbFile(path).words, std::nullopt, {}};
  return {WordImport::importTextFile(path, &choices), std::nullopt, {}};
}

bool isText(const QString& path) {
  const std::optional<FileIo::Start> start = FileIo::readStart(path, TextSniff::kSniffBytes);
  return !start || TextSniff::of(start->bytes) != TextSniff::Kind::NotText;
}

}  // namespace FileImport
