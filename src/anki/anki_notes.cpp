#include "anki/anki_notes.h"

#include <QHash>
#include <QSet>

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

std::variant<AnkiPairs, AnkiError> read(Collection& collection, AnkiChoices& choices, Collection::Cards cards,
                                        qint64 today) {
  Collection::NoteFilter filter{{}, cards, today};
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
    if (noteType.fields.size() <= 2) continue;
    const std::optional<FieldChoice> choice = choices.fields(noteType.name, noteType.fields);
    if (!choice) return AnkiError::Cancelled;
    chosen.insert(type, *choice);
  }

  AnkiPairs pairs;
  const std::optional<AnkiError> error = collection.forEachNote(filter, [&](qint64 type, const QStringList& fields) {
    if (pairs.count() >= AnkiPairs::kMaxPairs) {
      ++pairs.beyond;
      return true;
    }
    const FieldChoice choice = chosen.value(type);
    if (fields.size() < 2 || choice.question >= fields.size() || choice.answer >= fields.size()) {
      ++pairs.skipped.oneField;
      return true;
    }
    const QString question = HtmlText::toPlain(fields.at(choice.question));
    const QString answer = HtmlText::toPlain(fields.at(choice.answer));
    if (question.isEmpty() || answer.isEmpty()) {
      ++pairs.skipped.empty;
    } else if (question.size() > SkippedNotes::kMaxFieldChars || answer.size() > SkippedNotes::kMaxFieldChars) {
      ++pairs.skipped.tooLong;
    } else {
      pairs.questions.append(question);
      pairs.answers.append(answer);
    }
    return true;
  });
  if (error) return *error;
  return pairs;
}

}  // namespace AnkiNotes
