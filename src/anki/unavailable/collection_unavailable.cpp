// Built without SQLite: no collection can be opened in this build, and the
// user is told so.
#include "anki/collection.h"

Collection::~Collection() = default;

std::variant<std::unique_ptr<Collection>, AnkiError> Collection::open(const QString&, Access) {
  return AnkiError::Unavailable;
}
QList<qint64> Collection::deckWithSubDecks(const QString&) const { return {}; }
std::variant<QList<qint64>, AnkiError> Collection::decksWithCards() { return AnkiError::Unavailable; }
std::variant<QList<qint64>, AnkiError> Collection::noteTypesUsed(const NoteFilter&) { return AnkiError::Unavailable; }
std::optional<AnkiError> Collection::forEachNote(const NoteFilter&, const std::function<bool(const NoteRow&)>&) {
  return AnkiError::Unavailable;
}
