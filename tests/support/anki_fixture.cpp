#include "anki_fixture.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <sqlite3.h>
#include <zip.h>
#include <zstd.h>

namespace AnkiFixture {

namespace {

const char* const kTables = R"(
CREATE TABLE col (id integer PRIMARY KEY, crt integer NOT NULL, mod integer NOT NULL, scm integer NOT NULL,
  ver integer NOT NULL, dty integer NOT NULL, usn integer NOT NULL, ls integer NOT NULL, conf text NOT NULL,
  models text NOT NULL, decks text NOT NULL, dconf text NOT NULL, tags text NOT NULL);
CREATE TABLE notes (id integer PRIMARY KEY, guid text NOT NULL, mid integer NOT NULL, mod integer NOT NULL,
  usn integer NOT NULL, tags text NOT NULL, flds text NOT NULL, sfld integer NOT NULL, csum integer NOT NULL,
  flags integer NOT NULL, data text NOT NULL);
CREATE TABLE cards (id integer PRIMARY KEY, nid integer NOT NULL, did integer NOT NULL, ord integer NOT NULL,
  mod integer NOT NULL, usn integer NOT NULL, type integer NOT NULL, queue integer NOT NULL, due integer NOT NULL,
  ivl integer NOT NULL, factor integer NOT NULL, reps integer NOT NULL, lapses integer NOT NULL, left integer NOT NULL,
  odue integer NOT NULL, odid integer NOT NULL, flags integer NOT NULL, data text NOT NULL);
CREATE INDEX ix_cards_nid ON cards (nid);
)";
const char* const kSchema18Tables = R"(
CREATE TABLE notetypes (id integer NOT NULL PRIMARY KEY, name text NOT NULL COLLATE unicase,
  mtime_secs integer NOT NULL, usn integer NOT NULL, config blob NOT NULL);
CREATE UNIQUE INDEX idx_notetypes_name ON notetypes (name);
CREATE TABLE fields (ntid integer NOT NULL, ord integer NOT NULL, name text NOT NULL COLLATE unicase,
  config blob NOT NULL, PRIMARY KEY (ntid, ord)) without rowid;
CREATE TABLE decks (id integer PRIMARY KEY NOT NULL, name text NOT NULL COLLATE unicase,
  mtime_secs integer NOT NULL, usn integer NOT NULL, common blob NOT NULL, kind blob NOT NULL);
CREATE UNIQUE INDEX idx_decks_name ON decks (name);
CREATE TABLE config (KEY text NOT NULL PRIMARY KEY, usn integer NOT NULL, mtime_secs integer NOT NULL,
  val blob NOT NULL) without rowid;
)";

int unicase(void*, int la, const void* a, int lb, const void* b) {
  return QString::fromUtf8(static_cast<const char*>(a), la)
      .compare(QString::fromUtf8(static_cast<const char*>(b), lb), Qt::CaseInsensitive);
}

bool run(sqlite3* db, const QString& sql, const QList<QVariant>& values = {}) {
  sqlite3_stmt* statement = nullptr;
  if (sqlite3_prepare_v2(db, sql.toUtf8().constData(), -1, &statement, nullptr) != SQLITE_OK) return false;
  for (int i = 0; i < values.size(); ++i) {
    const QVariant& v = values.at(i);
    if (v.typeId() == QMetaType::QString)
      sqlite3_bind_text(statement, i + 1, v.toString().toUtf8().constData(), -1, SQLITE_TRANSIENT);
    else
      sqlite3_bind_int64(statement, i + 1, v.toLongLong());
  }
  const int code = sqlite3_step(statement);
  sqlite3_finalize(statement);
  return code == SQLITE_DONE;
}

QString modelsJson(const Collection& c) {
  QJsonObject models;
  for (const NoteType& type : c.noteTypes) {
    QJsonArray fields;
    for (int i = 0; i < type.fields.size(); ++i) fields.append(QJsonObject{{"name", type.fields.at(i)}, {"ord", i}});
    models.insert(QString::number(type.id), QJsonObject{{"name", type.name}, {"flds", fields}, {"type", type.cloze ? 1 : 0}});
  }
  return QString::fromUtf8(QJsonDocument(models).toJson(QJsonDocument::Compact));
}

QString decksJson(const Collection& c) {
  QJsonObject decks;
  for (const Deck& deck : c.decks) decks.insert(QString::number(deck.id), QJsonObject{{"name", deck.name}});
  return QString::fromUtf8(QJsonDocument(decks).toJson(QJsonDocument::Compact));
}

}  // namespace

bool writeCollection(const QString& path, const Collection& c) {
  QFile::remove(path);
  sqlite3* db = nullptr;
  if (sqlite3_open(QFile::encodeName(path).constData(), &db) != SQLITE_OK) return false;
  sqlite3_create_collation(db, "unicase", SQLITE_UTF8, nullptr, unicase);
  bool ok = sqlite3_exec(db, kTables, nullptr, nullptr, nullptr) == SQLITE_OK &&
            (c.schema < 15 || sqlite3_exec(db, kSchema18Tables, nullptr, nullptr, nullptr) == SQLITE_OK) &&
            sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr) == SQLITE_OK;
  const bool json = c.schema < 15;
  const QString conf = QString::fromUtf8(QJsonDocument(c.config).toJson(QJsonDocument::Compact));
  ok = ok && run(db, "INSERT INTO col VALUES (1, ?, 0, 0, ?, 0, 0, 0, ?, ?, ?, '{}', '{}')",
                 {c.created, c.schema, json ? conf : QStringLiteral("{}"), json ? modelsJson(c) : QString(),
                  json ? decksJson(c) : QString()});
  if (!json) {
    for (auto it = c.config.begin(); it != c.config.end(); ++it)
      ok = ok && run(db, "INSERT INTO config VALUES (?, 0, 0, CAST(? AS BLOB))",
                     {it.key(), QString::fromUtf8(QJsonDocument(QJsonArray{it.value()}).toJson(QJsonDocument::Compact)).mid(1).chopped(1)});
    for (const NoteType& type : c.noteTypes) {
      // NotetypeConfig: field 1, the kind, is 1 for cloze.
      ok = ok && run(db, type.cloze ? "INSERT INTO notetypes VALUES (?, ?, 0, 0, x'0801')"
                                    : "INSERT INTO notetypes VALUES (?, ?, 0, 0, x'')",
                     {type.id, type.name});
      for (int i = 0; i < type.fields.size(); ++i)
        ok = ok && run(db, "INSERT INTO fields VALUES (?, ?, ?, x'')", {type.id, i, type.fields.at(i)});
    }
    for (const Deck& deck : c.decks)
      ok = ok && run(db, "INSERT INTO decks VALUES (?, ?, 0, 0, x'', x'')",
                     {deck.id, QString(deck.name).replace(QStringLiteral("::"), QChar(0x1f))});
  }
  sqlite3_stmt* note = nullptr;
  sqlite3_stmt* card = nullptr;
  sqlite3_prepare_v2(db, "INSERT INTO notes VALUES (?, 'g', ?, 0, 0, '', ?, 0, 0, 0, '')", -1, &note, nullptr);
  sqlite3_prepare_v2(db, "INSERT INTO cards VALUES (?, ?, ?, ?, 0, 0, 0, ?, ?, 0, 0, 0, 0, 0, 0, ?, 0, '')", -1, &card,
                     nullptr);
  qint64 cardId = 0;
  for (qint64 i = 0; ok && i < c.notes.size(); ++i) {
    const Note& n = c.notes.at(i);
    const QByteArray fields = n.fields.join(QChar(0x1f)).toUtf8();
    sqlite3_bind_int64(note, 1, i + 1);
    sqlite3_bind_int64(note, 2, n.noteType);
    sqlite3_bind_text(note, 3, fields.constData(), int(fields.size()), SQLITE_TRANSIENT);
    ok = sqlite3_step(note) == SQLITE_DONE && sqlite3_reset(note) == SQLITE_OK;
    for (const int ord : n.ords) {
      const qint64 values[] = {++cardId, i + 1, n.deck, ord, n.queue, n.due, n.homeDeck};
      for (int v = 0; v < 7; ++v) sqlite3_bind_int64(card, v + 1, values[v]);
      ok = ok && sqlite3_step(card) == SQLITE_DONE && sqlite3_reset(card) == SQLITE_OK;
    }
  }
  sqlite3_finalize(note);
  sqlite3_finalize(card);
  ok = ok && sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr) == SQLITE_OK;
  ok = ok && (c.spoil.isEmpty() || sqlite3_exec(db, c.spoil.toUtf8().constData(), nullptr, nullptr, nullptr) == SQLITE_OK);
  if (c.wal) ok = ok && sqlite3_exec(db, "PRAGMA journal_mode=WAL", nullptr, nullptr, nullptr) == SQLITE_OK;
  return sqlite3_close(db) == SQLITE_OK && ok;
}

QByteArray collectionBytes(const Collection& collection) {
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("c"));
  if (!writeCollection(path, collection)) return {};
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QByteArray zstd(const QByteArray& bytes) {
  QByteArray out(qsizetype(ZSTD_compressBound(size_t(bytes.size()))), Qt::Uninitialized);
  const size_t size = ZSTD_compress(out.data(), size_t(out.size()), bytes.constData(), size_t(bytes.size()), 3);
  out.resize(qsizetype(size));
  return out;
}

QByteArray meta(int version) { return QByteArray("\x08", 1) + char(version); }

bool writeZip(const QString& path, const QMap<QString, QByteArray>& members, const char* password) {
  QFile::remove(path);
  int error = 0;
  zip* archive = zip_open(QFile::encodeName(path).constData(), ZIP_CREATE | ZIP_TRUNCATE, &error);
  if (!archive) return false;
  for (auto it = members.begin(); it != members.end(); ++it) {
    zip_source_t* source = zip_source_buffer(archive, it.value().constData(), zip_uint64_t(it.value().size()), 0);
    const zip_int64_t index = source ? zip_file_add(archive, it.key().toUtf8().constData(), source, ZIP_FL_OVERWRITE) : -1;
    if (index < 0) zip_source_free(source);  // once added, the source is the archive's
    if (index < 0 || (password && zip_file_set_encryption(archive, zip_uint64_t(index), ZIP_EM_AES_256, password) < 0)) {
      zip_discard(archive);
      return false;
    }
  }
  return zip_close(archive) == 0;
}

bool writePackage(const QString& path, const Collection& collection, int version) {
  const QByteArray bytes = collectionBytes(collection);
  if (bytes.isEmpty()) return false;
  QMap<QString, QByteArray> members{{QStringLiteral("media"), QByteArray("{}")}};
  if (version == 1) {
    members.insert(QStringLiteral("collection.anki2"), bytes);
  } else if (version == 2) {
    members.insert(QStringLiteral("collection.anki21"), bytes);
    members.insert(QStringLiteral("meta"), meta(2));
  } else {
    Collection stub;
    stub.schema = 11;
    stub.notes = {{1, {QStringLiteral("Please update to the latest version"), QStringLiteral("update")}}};
    members.insert(QStringLiteral("collection.anki2"), collectionBytes(stub));
    members.insert(QStringLiteral("collection.anki21b"), zstd(bytes));
    members.insert(QStringLiteral("meta"), meta(version));
  }
  return writeZip(path, members);
}

}  // namespace AnkiFixture
