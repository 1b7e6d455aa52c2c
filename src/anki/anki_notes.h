#pragma once

#include <QDateTime>
#include <QStringList>
#include <variant>

#include "anki/anki_choices.h"
#include "anki/anki_error.h"
#include "anki/collection.h"
#include "startup/skipped_notes.h"

// The question/answer pairs of a collection's notes.
struct AnkiPairs {
  // A word list holds at most this many pairs (its index is 16-bit).
  static constexpr int kMaxPairs = 32767;

  QStringList questions;
  QStringList answers;
  int beyond = 0;  // notes after the kMaxPairs-th pair, not read
  bool nothingDue = false;  // read as all cards because none was due today
  SkippedNotes skipped;

  int count() const { return int(questions.size()); }
};

namespace AnkiNotes {

// The decks worth offering: those that hold cards, with their parents, by name.
std::variant<QStringList, AnkiError> decksOffered(Collection& collection);

// Asks `choices` for the deck (of decksOffered) and for the fields of each note
// type of more than two fields, then reads the pairs: each field made
// plain text (HtmlText); a note with one field, an empty or an overlong
// question or answer is counted in `skipped`. With none left the pairs are
// empty: the caller says why (NoPairs, with `skipped`).
// Cloze note types give one pair per card (see Cloze), image occlusions
// none (counted). DueToday takes the cards due by the collection's own
// clock (SchedulerClock) at `now`.
std::variant<AnkiPairs, AnkiError> read(Collection& collection, AnkiChoices& choices,
                                        Collection::Cards cards = Collection::Cards::All,
                                        const QDateTime& now = QDateTime::currentDateTime());

}  // namespace AnkiNotes
