#pragma once

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>
#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <variant>

#include "anki/anki_error.h"
#include "anki/scheduler_clock.h"

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
    bool cloze = false;  // one card per cloze number of the first field
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
    qint64 today = 0;          // SchedulerClock::today: review and day-learning cards due by then
    qint64 learningCutoff = 0;  // SchedulerClock::learningCutoff: learning cards due by then
    bool cardOrds = false;      // tell each note's ords of the cards taken
  };
  struct NoteRow {
    qint64 noteType = 0;
    QStringList fields;
    QList<int> cardOrds;  // with NoteFilter::cardOrds: the ords of the cards the filter takes
  };

  // How the file is opened: a copy of our own (extracted from a package or
  // copied while no program had it open) never changes under us; a live
  // file is opened read-only and may be locked by the program that owns it.
  // A copy of ours that came with the log its program left (a -wal or a hot
  // journal) is opened for writing, in its private folder, so that SQLite
  // can apply the log to it.
  enum class Access { OwnCopy, OwnCopyWithLog, Live };

  ~Collection();
  Collection(const Collection&) = delete;
  Collection& operator=(const Collection&) = delete;

  static std::variant<std::unique_ptr<Collection>, AnkiError> open(const QString& path, Access access);

  int schema() const { return schema_; }
  const SchedulerSettings& scheduler() const { return scheduler_; }
  const QHash<qint64, NoteType>& noteTypes() const { return noteTypes_; }
  const QList<Deck>& decks() const { return decks_; }

  // The ids of the deck named `name` and of its sub-decks (names compared
  // without case); empty when there is no such deck.
  QList<qint64> deckWithSubDecks(const QString& name) const;

  // The decks that hold cards (by the cards' home decks).
  std::variant<QList<qint64>, AnkiError> decksWithCards();
  // The note types of the notes the filter takes.
  std::variant<QList<qint64>, AnkiError> noteTypesUsed(const NoteFilter& filter);
  // Calls `take` for each note the filter takes, oldest first; `take`
  // returns false to stop.
  std::optional<AnkiError> forEachNote(const NoteFilter& filter, const std::function<bool(const NoteRow&)>& take);

 private:
  explicit Collection(sqlite3* db) : db_(db) {}
  std::optional<AnkiError> checkTables();
  std::optional<AnkiError> readCol();
  std::optional<AnkiError> readTypesAndDecksFromJson(const QByteArray& models, const QByteArray& decks);
  std::optional<AnkiError> readTypesAndDecksFromTables();
  void readScheduler(const QByteArray& colConf);
  QString noteQuery(const char* columns, const NoteFilter& filter) const;

  sqlite3* db_;
  // When the query running now is stopped (see Statement).
  std::chrono::steady_clock::time_point queryDeadline_;
  int schema_ = 0;
  SchedulerSettings scheduler_;
  QHash<qint64, NoteType> noteTypes_;
  QList<Deck> decks_;
};
