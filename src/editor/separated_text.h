#pragma once

#include <QString>
#include <optional>

#include "anki/anki_choices.h"
#include "editor/word_import.h"
#include "startup/bounded_text.h"

// Lists with one note a line and its fields split by one separator: the
// plain-text exports of flashcard programs (with their "#key:value" header
// lines) and the usual "term<TAB>definition" lists of flashcard sites.
//
// Header lines at the top are read and never become pairs:
//   #separator:  tab, comma, semicolon, space, pipe, colon, or the character itself
//   #html:       true strips the fields' HTML (see HtmlText)
//   #columns:    the column names: the fields a given choice picks from
//   #notetype column:, #deck column:, #tags column:, #guid column:
//                1-based columns that hold no words and are skipped
// any other line of the header (#notetype:, #deck:, #tags:, …) is skipped too.
// A field in double quotes may hold separators and line ends, "" is one
// quote, and text after the closing quote stays part of the field. Of the
// columns that are left, the first two are question and answer; a note with
// one, or with an empty question or answer, is counted in `skipped`.
namespace SeparatedText {

// Whether the text is such a list: it starts with a header line, or (for a
// file not named as csv) its first non-blank line holds a tab, or (for one
// named csv) its first lines hold tabs and no comma.
bool recognises(const QString& text, bool csvName);

// nullopt when no pair is kept. `linesAfter`: non-blank lines of a file too
// long to read whole, counted as pairs left out. `choices`: asked for the
// question and answer among the #columns: names (a note type without name).
std::optional<WordImport::ImportedWords> parse(const QString& text,
                                               std::optional<BoundedText::Lines> linesAfter = std::nullopt,
                                               AnkiChoices* choices = nullptr);

}  // namespace SeparatedText
