#pragma once

#include <QString>
#include <QStringList>
#include <optional>

#include "anki/anki_choices.h"
#include "startup/skipped_notes.h"
#include "startup/word_list.h"

// Builds a new working list from the three foreign formats the editor
// imports. Everything here is file-and-text work: the editor asks for the
// file, shows EditorTexts::kCannotOpen for any failure and, on success, makes
// the pairs the working list (named "NEW", marked changed, cell on item 1).
//
// Files are decoded as UTF-8 when they are valid UTF-8, else as Shift JIS,
// and read field by field with the program's one field reader: a comma or a
// line end separates fields, spaces before a field are skipped, a quoted
// field may hold commas. Reads take the next field whatever line it is on.
//
// Files are read through BoundedText. Of a file too long to read whole, the
// pairs after its start are counted by non-blank lines: one pair a line in
// csv, one field a line in text read line by line, one entry a line in .vcb
// (counted as one pair, so as at least that many).
namespace WordImport {

// The most pairs an import yields (the editor's item numbers are 16-bit).
inline constexpr int kMaxImportedPairs = 32767;

struct ImportedWords {
  QStringList questions;
  QStringList answers;
  // Pairs the file held beyond kMaxImportedPairs; they were left out.
  LeftOut leftOut;
  // Notes that gave no pair (flashcard packages and exports), by why.
  SkippedNotes skipped;

  int count() const { return int(questions.size()); }
};

enum class TextFormat { Csv, LineByLine };

// Csv when the name's last three characters are exactly "csv" (lower case:
// "words.CSV" is read line by line).
TextFormat textFormatOf(const QString& fileName);

// Two fields at a time, regardless of lines; both trimmed of spaces; a pair
// is kept when either is non-empty. A third column or text above the data
// shifts the pairing. nullopt when no pair is kept or the last question has
// no answer field at all.
std::optional<ImportedWords> parseCsv(const QString& text);

// One field a line, trimmed; blank fields are skipped and the rest alternate
// question, answer. A last question without an answer is left out and
// counted as empty. nullopt when no pair is left.
std::optional<ImportedWords> parseLineByLine(const QString& text);

// Reads the file as csv or line by line according to its name, or as a
// separated list where SeparatedText recognises one (flashcard exports with
// their header lines in any file; tab-separated lists in files not named csv).
// nullopt when the file is missing or unreadable or parsing gives nothing.
// `choices` (when given) picks question and answer among an export's named columns.
std::optional<ImportedWords> importTextFile(const QString& path, AnkiChoices* choices = nullptr);

// The companion's question files (.vcb): a header record (entry count N,
// question font, answer font, one unused field), then N entries of a number,
// the word and five meanings. Every meaning that is not blank after trimming
// spaces gives one pair (word, meaning), meanings in order, entries in file
// order; word and meaning are kept exactly as read. A file that ends before
// its N entries is a read error.
struct VcbImport {
  // The header's font names. Present as soon as the header was read, also
  // when the entries then fail: the window sets its font lists from them
  // (the name if it is listed, else the fallback font) before the entries
  // are looked at, and keeps them on failure.
  std::optional<QString> questionFont;
  std::optional<QString> answerFont;
  // nullopt: show EditorTexts::kCannotOpen and keep the working list. A file whose
  // entries have no usable meaning is refused this way.
  std::optional<ImportedWords> words;
};

VcbImport parseVcb(const QString& text);
VcbImport importVcbFile(const QString& path);

}  // namespace WordImport
