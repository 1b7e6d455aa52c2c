#pragma once

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <optional>
#include <variant>

#include "anki/anki_error.h"

struct sqlite3;

// A flashcard collection: an SQLite database, only ever read. Schema 11
// keeps note types and decks as JSON in the `col` row; schemas 15 to 18 in
// tables of their own (`notetypes`, `fields`, `decks`), whose names compare
// with the "unicase" collation that is registered on every connection.
class Collection {
 public:
  struct NoteType {
    QString name;
    QStringList fields;  // in field order
  };
  struct Deck {
    qint64 id = 0;
    QString name;  // levels joined by "::"
  };
  enum class Cards { All, DueToday };
  // Which notes: those with a card in one of `decks` (by the card's home
  // deck; empty for every deck) that `cards` takes.
  struct NoteFilter {
    QList<qint64> decks;
    Cards cards = Cards::All;
    qint64 today = 0;  // days since the collection's creation (review cards' due day)
  };

  // How the file is opened: a copy of our own (extracted from a package or
  // copied while no program had it open) never changes under us; a live
  // file is opened read-only and may be locked by the program that owns it.
  enum class Access { OwnCopy, Live };

  ~Collection();
  Collection(const Collection&) = delete;
  Collection& operator=(const Collection&) = delete;

  static std::variant<std::unique_ptr<Collection>, AnkiError> open(const QString& path, Access access);

  int schema() const { return schema_; }
  qint64 creationTime() const { return created_; }
  const QHash<qint64, NoteType>& noteTypes() const { return noteTypes_; }
  const QList<Deck>& decks() const { return decks_; }

  // The ids of the deck named `name` and of its sub-decks (names compared
  // without case); empty when there is no such deck.
  QList<qint64> deckWithSubDecks(const QString& name) const;

  // The decks that hold cards (by the cards' home decks).
  std::variant<QList<qint64>, AnkiError> decksWithCards();
  // The note types of the notes the filter takes.
  std::variant<QList<qint64>, AnkiError> noteTypesUsed(const NoteFilter& filter);
  // Calls `take(noteType, fields)` for each note the filter takes, oldest
  // first; `take` returns false to stop.
  std::optional<AnkiError> forEachNote(const NoteFilter& filter,
                                       const std::function<bool(qint64, const QStringList&)>& take);

 private:
  explicit Collection(sqlite3* db) : db_(db) {}
  std::optional<AnkiError> readCol();
  std::optional<AnkiError> readTypesAndDecksFromJson(const QByteArray& models, const QByteArray& decks);
  std::optional<AnkiError> readTypesAndDecksFromTables();
  QString noteQuery(const char* columns, const NoteFilter& filter) const;

  sqlite3* db_;
  int schema_ = 0;
  qint64 created_ = 0;
  QHash<qint64, NoteType> noteTypes_;
  QList<Deck> decks_;
};
