#pragma once

#include <QString>
#include <optional>

#include "anki/anki_choices.h"
#include "anki/anki_notes.h"
#include "anki/anki_error.h"
#include "editor/word_import.h"

// Any file the program imports, told apart by its name: flashcard packages
// (.apkg, .colpkg), the companion's .vcb files, and text (csv, line by line,
// separated lists and flashcard exports; see WordImport::importTextFile).
namespace FileImport {

struct Outcome {
  std::optional<WordImport::ImportedWords> words;
  // Set when a package gave no words: why. Other files fail as one
  // (EditorTexts::kCannotOpen, "cannot be read").
  std::optional<AnkiError> ankiError;
  // A package whose notes all gave no pair (NoPairs): why each did not.
  SkippedNotes skipped;
};

Outcome importFile(const QString& path, AnkiChoices& choices);

// A package's pairs as an import's.
WordImport::ImportedWords fromAnki(const AnkiPairs& pairs);

}  // namespace FileImport
