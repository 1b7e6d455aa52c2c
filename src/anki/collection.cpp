#include "anki/collection.h"

#include "anki/library_calls.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QUrl>
#include <map>

namespace {

constexpr int kOldestSchema = 11;
constexpr int kNewestSchema = 18;
// No text of a collection is longer than this; a longer one is a damaged or hostile file.
constexpr int kMaxTextBytes = 16 << 20;
constexpr QChar kFieldSeparator = QChar(0x1f);

// Only reached once open() has found the library.
const SqliteCalls& calls() { return *LibraryCalls::sqlite(); }

AnkiError errorOf(int code) {
  switch (code & 0xFF) {
    case SQLITE_BUSY:
    case SQLITE_LOCKED: return AnkiError::Locked;
    case SQLITE_TOOBIG: return AnkiError::TooLarge;
    default: return AnkiError::NotCollection;
  }
}

int compareUnicase(void*, int lengthA, const void* a, int lengthB, const void* b) {
  const QString left = QString::fromUtf8(static_cast<const char*>(a), lengthA);
  const QString right = QString::fromUtf8(static_cast<const char*>(b), lengthB);
  return left.compare(right, Qt::CaseInsensitive);
}

class Statement {
 public:
  Statement(sqlite3* db, const QString& sql) {
    code_ = calls().sqlite3_prepare_v2(db, sql.toUtf8().constData(), -1, &statement_, nullptr);
  }
  ~Statement() { calls().sqlite3_finalize(statement_); }
  bool prepared() const { return code_ == SQLITE_OK; }
  int code() const { return code_; }
  // True for a row; false at the end or on an error (then code() says which).
  bool step() {
    code_ = calls().sqlite3_step(statement_);
    return code_ == SQLITE_ROW;
  }
  bool done() const { return code_ == SQLITE_DONE; }
  qint64 integer(int column) const { return calls().sqlite3_column_int64(statement_, column); }
  QByteArray bytes(int column) const {
    const auto* data = static_cast<const char*>(calls().sqlite3_column_blob(statement_, column));
    return QByteArray(data, calls().sqlite3_column_bytes(statement_, column));
  }
  QString text(int column) const {
    const auto* data = reinterpret_cast<const char*>(calls().sqlite3_column_text(statement_, column));
    return QString::fromUtf8(data, calls().sqlite3_column_bytes(statement_, column));
  }

 private:
  sqlite3_stmt* statement_ = nullptr;
  int code_ = SQLITE_OK;
};

QString uriOf(const QString& path, Collection::Access access) {
  QString uri = QUrl::fromLocalFile(path).toString(QUrl::FullyEncoded);
  // A copy of our own never changes: no locks, no journal. A live file is
  // read under the usual locks, so a half-written state is never seen.
  uri += access == Collection::Access::OwnCopy ? QStringLiteral("?immutable=1") : QStringLiteral("?mode=ro");
  return uri;
}

}  // namespace

Collection::~Collection() { calls().sqlite3_close_v2(db_); }

std::variant<std::unique_ptr<Collection>, AnkiError> Collection::open(const QString& path, Access access) {
  if (!LibraryCalls::sqlite()) return AnkiError::Unavailable;
  sqlite3* db = nullptr;
  const int code = calls().sqlite3_open_v2(uriOf(path, access).toUtf8().constData(), &db,
                                   SQLITE_OPEN_READONLY | SQLITE_OPEN_URI | SQLITE_OPEN_NOMUTEX, nullptr);
  std::unique_ptr<Collection> collection(new Collection(db));
  if (code != SQLITE_OK) return code == SQLITE_CANTOPEN ? AnkiError::NoCollection : errorOf(code);
  calls().sqlite3_limit(db, SQLITE_LIMIT_LENGTH, kMaxTextBytes);
  calls().sqlite3_busy_timeout(db, 300);
  calls().sqlite3_create_collation_v2(db, "unicase", SQLITE_UTF8, nullptr, compareUnicase, nullptr);
  if (const std::optional<AnkiError> error = collection->readCol()) return *error;
  return collection;
}

std::optional<AnkiError> Collection::readCol() {
  Statement col(db_, QStringLiteral("SELECT ver, crt, models, decks FROM col"));
  if (!col.prepared()) return errorOf(col.code());
  if (!col.step()) return col.done() ? AnkiError::NotCollection : errorOf(col.code());
  schema_ = int(col.integer(0));
  created_ = col.integer(1);
  if (schema_ < kOldestSchema || schema_ > kNewestSchema) return AnkiError::UnknownSchema;
  if (schema_ < 15) return readTypesAndDecksFromJson(col.bytes(2), col.bytes(3));
  return readTypesAndDecksFromTables();
}

std::optional<AnkiError> Collection::readTypesAndDecksFromJson(const QByteArray& models, const QByteArray& decks) {
  const QJsonDocument modelsJson = QJsonDocument::fromJson(models);
  const QJsonDocument decksJson = QJsonDocument::fromJson(decks);
  if (!modelsJson.isObject() || !decksJson.isObject()) return AnkiError::NotCollection;
  const QJsonObject types = modelsJson.object();
  for (auto it = types.begin(); it != types.end(); ++it) {
    const QJsonObject type = it.value().toObject();
    std::map<int, QString> byOrder;
    for (const QJsonValue field : type.value(QStringLiteral("flds")).toArray())
      byOrder.emplace(field.toObject().value(QStringLiteral("ord")).toInt(int(byOrder.size())),
                      field.toObject().value(QStringLiteral("name")).toString());
    NoteType noteType{type.value(QStringLiteral("name")).toString(), {}};
    for (const auto& [order, name] : byOrder) noteType.fields.append(name);
    noteTypes_.insert(it.key().toLongLong(), noteType);
  }
  const QJsonObject deckObjects = decksJson.object();
  for (auto it = deckObjects.begin(); it != deckObjects.end(); ++it)
    decks_.append({it.key().toLongLong(), it.value().toObject().value(QStringLiteral("name")).toString()});
  return std::nullopt;
}

std::optional<AnkiError> Collection::readTypesAndDecksFromTables() {
  Statement types(db_, QStringLiteral("SELECT id, name FROM notetypes"));
  if (!types.prepared()) return errorOf(types.code());
  while (types.step()) noteTypes_.insert(types.integer(0), NoteType{types.text(1), {}});
  if (!types.done()) return errorOf(types.code());

  Statement fields(db_, QStringLiteral("SELECT ntid, name FROM fields ORDER BY ntid, ord"));
  if (!fields.prepared()) return errorOf(fields.code());
  while (fields.step()) {
    const auto type = noteTypes_.find(fields.integer(0));
    if (type != noteTypes_.end()) type->fields.append(fields.text(1));
  }
  if (!fields.done()) return errorOf(fields.code());

  Statement decks(db_, QStringLiteral("SELECT id, name FROM decks"));
  if (!decks.prepared()) return errorOf(decks.code());
  while (decks.step()) decks_.append({decks.integer(0), decks.text(1).replace(kFieldSeparator, QStringLiteral("::"))});
  if (!decks.done()) return errorOf(decks.code());
  return std::nullopt;
}

QList<qint64> Collection::deckWithSubDecks(const QString& name) const {
  QList<qint64> ids;
  const QString parent = name + QStringLiteral("::");
  for (const Deck& deck : decks_)
    if (deck.name.compare(name, Qt::CaseInsensitive) == 0 || deck.name.startsWith(parent, Qt::CaseInsensitive))
      ids.append(deck.id);
  return ids;
}

QString Collection::noteQuery(const char* columns, const NoteFilter& filter) const {
  QString query = QStringLiteral("SELECT %1 FROM notes n").arg(QLatin1String(columns));
  if (filter.decks.isEmpty() && filter.cards == Cards::All) return query;
  QStringList conditions{QStringLiteral("c.nid = n.id")};
  if (!filter.decks.isEmpty()) {
    QStringList ids;
    for (const qint64 id : filter.decks) ids.append(QString::number(id));
    // A card lent to a filtered deck still belongs to its home deck (odid).
    conditions.append(
        QStringLiteral("(CASE WHEN c.odid != 0 THEN c.odid ELSE c.did END) IN (%1)").arg(ids.join(u',')));
  }
  if (filter.cards == Cards::DueToday)
    conditions.append(QStringLiteral("(c.queue IN (1, 3) OR (c.queue = 2 AND "
                                     "(CASE WHEN c.odid != 0 AND c.odue != 0 THEN c.odue ELSE c.due END) <= %1))")
                          .arg(filter.today));
  return query + QStringLiteral(" WHERE EXISTS (SELECT 1 FROM cards c WHERE %1)").arg(conditions.join(QStringLiteral(" AND ")));
}

std::variant<QList<qint64>, AnkiError> Collection::decksWithCards() {
  Statement decks(db_, QStringLiteral("SELECT DISTINCT CASE WHEN odid != 0 THEN odid ELSE did END FROM cards"));
  if (!decks.prepared()) return errorOf(decks.code());
  QList<qint64> ids;
  while (decks.step()) ids.append(decks.integer(0));
  if (!decks.done()) return errorOf(decks.code());
  return ids;
}

std::variant<QList<qint64>, AnkiError> Collection::noteTypesUsed(const NoteFilter& filter) {
  Statement used(db_, QStringLiteral("SELECT DISTINCT mid FROM (%1)").arg(noteQuery("n.mid", filter)));
  if (!used.prepared()) return errorOf(used.code());
  QList<qint64> types;
  while (used.step()) types.append(used.integer(0));
  if (!used.done()) return errorOf(used.code());
  return types;
}

std::optional<AnkiError> Collection::forEachNote(const NoteFilter& filter,
                                                 const std::function<bool(qint64, const QStringList&)>& take) {
  Statement notes(db_, noteQuery("n.mid, n.flds", filter) + QStringLiteral(" ORDER BY n.id"));
  if (!notes.prepared()) return errorOf(notes.code());
  while (notes.step())
    if (!take(notes.integer(0), notes.text(1).split(kFieldSeparator))) return std::nullopt;
  if (!notes.done()) return errorOf(notes.code());
  return std::nullopt;
}
