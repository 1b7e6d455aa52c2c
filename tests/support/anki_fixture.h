#pragma once

#include <QByteArray>
#include <QJsonObject>
#include <QList>
#include <QMap>
#include <QString>
#include <QStringList>

// Flashcard collections and packages made for the tests (and the benchmark)
// with SQLite's C API, libzip and zstd: the tables and columns the readers
// look at, in schema 11 (note types and decks as JSON) or 18 (tables).
namespace AnkiFixture {

struct NoteType {
  qint64 id;
  QString name;
  QStringList fields;
  bool cloze = false;
};
struct Deck {
  qint64 id;
  QString name;  // "Parent::Child"
};
struct Note {
  qint64 noteType;
  QStringList fields;
  qint64 deck = 1;
  int queue = 0;   // of its one card
  qint64 due = 0;
  qint64 homeDeck = 0;  // odid: the card is lent to `deck`, a filtered deck
  QList<int> ords{0};   // one card per ord, all alike (a cloze note's card N has ord N - 1)
};
struct Collection {
  int schema = 18;
  qint64 created = 1'600'000'000;  // col.crt
  bool wal = false;                // left in WAL mode, as the program leaves it
  QList<NoteType> noteTypes{{1, QStringLiteral("Basic"), {QStringLiteral("Front"), QStringLiteral("Back")}}};
  QList<Deck> decks{{1, QStringLiteral("Default")}};
  QList<Note> notes;
  // The scheduler's settings (schedVer, rollover, …): col.conf in schema 11, the config table later.
  QJsonObject config;
  // Run once the collection is written, to spoil it as a hostile file would.
  QString spoil;
};

bool writeCollection(const QString& path, const Collection& collection);
QByteArray collectionBytes(const Collection& collection);

QByteArray zstd(const QByteArray& bytes);
// A `meta` member of the given package version.
QByteArray meta(int version);
// A zip of the members, deflated; with a password, encrypted.
bool writeZip(const QString& path, const QMap<QString, QByteArray>& members, const char* password = nullptr);

// A package as the program writes it: version 1 (collection.anki2), 2
// (collection.anki21 and meta) or 3 (zstd collection.anki21b, meta, and the
// small collection.anki2 that asks old programs to update).
bool writePackage(const QString& path, const Collection& collection, int version);

}  // namespace AnkiFixture
