#include "anki/anki_notes.h"

#include <QHash>
#include <QSet>
#include <algorithm>

#include "anki/cloze.h"
#include "startup/html_text.h"

namespace AnkiNotes {

std::variant<QStringList, AnkiError> decksOffered(Collection& collection) {
  const std::variant<QList<qint64>, AnkiError> withCards = collection.decksWithCards();
  if (const AnkiError* error = std::get_if<AnkiError>(&withCards)) return *error;
  const QList<qint64>& ids = std::get<QList<qint64>>(withCards);
  QSet<QString> names;
  for (const Collection::Deck& deck : collection.decks()) {
    if (!ids.contains(deck.id)) continue;
    QStringList levels = deck.name.split(QStringLiteral("::"));
    while (!levels.isEmpty()) {
      names.insert(levels.join(QStringLiteral("::")));
      levels.removeLast();
    }
  }
  QStringList sorted(names.begin(), names.end());
  sorted.sort(Qt::CaseInsensitive);
  return sorted;
}

namespace {

// Adds a pair of plain texts, or counts why it was not added.
void add(AnkiPairs& pairs, const QString& question, const QString& answer) {
  if (question.isEmpty() || answer.isEmpty()) {
    ++pairs.skipped.empty;
  } else if (question.size() > SkippedNotes::kMaxFieldChars || answer.size() > SkippedNotes::kMaxFieldChars) {
    ++pairs.skipped.tooLong;
  } else if (pairs.count() >= AnkiPairs::kMaxPairs) {
    ++pairs.beyond;
  } else {
    pairs.questions.append(question);
    pairs.answers.append(answer);
  }
}

// One pair per card: the cloze numbers of the cards taken (ord + 1), or of
// the text where the note has no cards.
void addCloze(AnkiPairs& pairs, const Collection::NoteRow& note) {
  const QString& text = note.fields.first();
  if (Cloze::isImageOcclusion(text)) {
    ++pairs.skipped.pictures;
    return;
  }
  const QList<int> inText = Cloze::numbers(text);
  QList<int> numbers;
  for (const int ord : note.cardOrds)
    if (inText.contains(ord + 1) && !numbers.contains(ord + 1)) numbers.append(ord + 1);
  std::sort(numbers.begin(), numbers.end());
  if (note.cardOrds.isEmpty()) numbers = inText;
  if (numbers.isEmpty()) ++pairs.skipped.empty;
  for (const int number : numbers) {
    const Cloze::Card card = Cloze::card(text, number);
    add(pairs, card.question, card.answer);
  }
}

}  // namespace

std::variant<AnkiPairs, AnkiError> read(Collection& collection, AnkiChoices& choices, Collection::Cards cards,
                                        const QDateTime& now) {
  Collection::NoteFilter filter{{}, cards, SchedulerClock::today(collection.scheduler(), now),
                                SchedulerClock::learningCutoff(collection.scheduler(), now)};
  const std::variant<QStringList, AnkiError> offered = decksOffered(collection);
  if (const AnkiError* error = std::get_if<AnkiError>(&offered)) return *error;
  const QStringList& deckNames = std::get<QStringList>(offered);
  const std::optional<QString> deck = choices.deck(deckNames);
  if (!deck) return AnkiError::Cancelled;
  if (!deck->isEmpty()) {
    filter.decks = collection.deckWithSubDecks(*deck);
    if (filter.decks.isEmpty()) return AnkiError::NoDeck;
  }

  const std::variant<QList<qint64>, AnkiError> used = collection.noteTypesUsed(filter);
  if (const AnkiError* error = std::get_if<AnkiError>(&used)) return *error;
  QHash<qint64, FieldChoice> chosen;
  for (const qint64 type : std::get<QList<qint64>>(used)) {
    const Collection::NoteType noteType = collection.noteTypes().value(type);
    // A cloze note's question and answer both come from its first field.
    filter.cardOrds = filter.cardOrds || noteType.cloze;
    if (noteType.cloze || noteType.fields.size() < 2) continue;
    const std::optional<FieldChoice> choice = choices.fields(noteType.name, noteType.fields);
    if (!choice) return AnkiError::Cancelled;
    chosen.insert(type, *choice);
  }
  if (!choices.namedFieldsFound()) return AnkiError::NoSuchField;

  AnkiPairs pairs;
  const std::optional<AnkiError> error = collection.forEachNote(filter, [&](const Collection::NoteRow& note) {
    // Notes after a full list are only counted: their text is never looked at.
    if (pairs.count() >= AnkiPairs::kMaxPairs) {
      ++pairs.beyond;
      return true;
    }
    const Collection::NoteType& type = collection.noteTypes().value(note.noteType);
    if (type.cloze && !note.fields.isEmpty()) {
      addCloze(pairs, note);
      return true;
    }
    const FieldChoice choice = chosen.value(note.noteType);
    const QStringList& fields = note.fields;
    if (fields.size() < 2 || choice.question >= fields.size() || choice.answer >= fields.size()) {
      ++pairs.skipped.oneField;
      return true;
    }
    add(pairs, HtmlText::toPlain(fields.at(choice.question)), HtmlText::toPlain(fields.at(choice.answer)));
    return true;
  });
  if (error) return *error;
  return pairs;
}

}  // namespace AnkiNotes
