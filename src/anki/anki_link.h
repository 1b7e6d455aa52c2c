#pragma once

#include <QDateTime>
#include <QString>
#include <functional>
#include <optional>
#include <variant>

#include "anki/anki_error.h"
#include "anki/collection.h"
#include "startup/extra_settings.h"
#include "startup/quorl_saver.h"
#include "startup/skipped_notes.h"
#include "startup/word_list.h"

// The display's live link to a profile of the flashcard program: the notes
// of the chosen deck (or all) whose cards are being learnt or due today, or
// all of them, as word pairs. Each good read is kept in the home folder as
// a snapshot (AnkiSnapshot.dgl with AnkiSnapshot.ini saying for which
// choice and when); while the collection cannot be read (the program has it
// open) the snapshot of the same choice stands in.
namespace AnkiLink {

struct Result {
  // The words to show; nullopt when there are none, not even a snapshot.
  std::optional<WordList> words;
  // Why the profile itself gave no words, if it did not.
  std::optional<AnkiError> error;
  // Set when `words` are the snapshot: when it was taken.
  std::optional<QDateTime> snapshotTaken;
  SkippedNotes skipped;
  int beyond = 0;
  // No card was due today: `words` are all the deck's cards.
  bool nothingDue = false;
  // The program ended without tidying up: what it last saved was read from its log.
  bool leftUntidy = false;
  // With NoSuchField: each note type with its fields, "Basic (Front, Back)".
  QStringList fieldsOffered;
};

// `keep`: a good read becomes the snapshot (false for a look that is not yet a choice).
Result load(const QString& home, const ExtraSettings& settings, const QDateTime& now, bool keep = true);

// What a profile's collection offers the settings: the decks that hold
// cards, and the note types of two fields or more that are no cloze (whose
// question and answer may be chosen), by name.
struct Offer {
  QStringList decks;
  QList<Collection::NoteType> noteTypes;
};
std::variant<Offer, AnkiError> offered(const QString& profileFolder);

// One Japanese line for the settings: how many words, or why none, and
// that a snapshot of such a time is shown.
QString statusText(const Result& result);

// The settings dialog's list name while the link's words are shown.
QString sourceName(const Result& result);

// The link as the saver's source beyond DrifStt: active when Driftglyph.ini
// says [source] words=anki. `report` hears of every read (the command line
// says on stderr when the snapshot stands in). `keep`: a good read becomes
// the snapshot (false for a mode that only reads).
QuorlSaver::ExtraSource extraSource(std::function<void(const Result&)> report = {}, bool keep = true);

}  // namespace AnkiLink
