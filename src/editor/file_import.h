#pragma once

#include <QString>
#include <optional>

#include "anki/anki_choices.h"
#include "anki/anki_notes.h"
#include "anki/anki_error.h"
#include "editor/word_import.h"

// Any file the program imports, told apart by its name: flashcard packages
// and collections (.apkg, .colpkg, .anki2, .anki21, .anki21b), the companion's .vcb files, and text (csv, line by line,
// separated lists and flashcard exports; see WordImport::importTextFile).
namespace FileImport {

struct Outcome {
  std::optional<WordImport::ImportedWords> words;
  // Set when a package gave no words: why. Other files fail as one
  // (EditorTexts::kCannotOpen, "cannot be read").
  std::optional<AnkiError> ankiError;
  // A package whose notes all gave no pair (NoPairs): why each did not.
  SkippedNotes skipped;
  // Neither text nor a flashcard file (a picture, a program, …): not read.
  bool notText = false;
};

// False for a file whose start shows it is no text (see TextSniff); a file
// that cannot be read is left to the reader to refuse.
bool isText(const QString& path);

// Whether the file is named as a flashcard package or collection.
bool isAnkiName(const QString& path);

Outcome importFile(const QString& path, AnkiChoices& choices);

// A package's pairs as an import's.
WordImport::ImportedWords fromAnki(const AnkiPairs& pairs);

}  // namespace FileImport
