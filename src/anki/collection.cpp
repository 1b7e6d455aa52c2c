#include "anki/collection.h"

#include "anki/library_calls.h"
#include "anki/protobuf_message.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QUrl>
#include <algorithm>
#include <map>

namespace {

constexpr int kOldestSchema = 11;
constexpr int kNewestSchema = 18;
// No text of a collection is longer than this; a longer one is a damaged or
// hostile file. A long field of an ordinary note is read and left out.
constexpr int kMaxTextBytes = 128 << 20;
// What SQLite may take from the heap, and how long one query may run: a
// collection that needs more is hostile (an endless view) or broken.
constexpr sqlite3_int64 kMaxHeapBytes = 512 << 20;
constexpr auto kMaxQueryTime = std::chrono::seconds(10);
constexpr int kStepsBetweenChecks = 10000;
constexpr QChar kFieldSeparator = QChar(0x1f);

// Only reached once open() has found the library.
const SqliteCalls& calls() { return *LibraryCalls::sqlite(); }

AnkiError errorOf(int code) {
  switch (code & 0xFF) {
    case SQLITE_BUSY:
    case SQLITE_LOCKED: return AnkiError::Locked;
    case SQLITE_TOOBIG:
    case SQLITE_NOMEM:
    case SQLITE_INTERRUPT: return AnkiError::TooHeavy;
    default: return AnkiError::NotCollection;
  }
}

int compareUnicase(void*, int lengthA, const void* a, int lengthB, const void* b) {
  const QString left = QString::fromUtf8(static_cast<const char*>(a), lengthA);
  const QString right = QString::fromUtf8(static_cast<const char*>(b), lengthB);
  return left.compare(right, Qt::CaseInsensitive);
}

// A query, stopped by the connection's progress handler once `deadline`
// (set here) has passed.
class Statement {
 public:
  Statement(sqlite3* db, std::chrono::steady_clock::time_point& deadline, const QString& sql) {
    deadline = std::chrono::steady_clock::now() + kMaxQueryTime;
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
  if (access == Collection::Access::OwnCopy) uri += QStringLiteral("?immutable=1");
  if (access == Collection::Access::Live) uri += QStringLiteral("?mode=ro");
  return uri;
}

}  // namespace

Collection::~Collection() { calls().sqlite3_close_v2(db_); }

std::variant<std::unique_ptr<Collection>, AnkiError> Collection::open(const QString& path, Access access) {
  if (!LibraryCalls::sqlite()) return AnkiError::Unavailable;
  sqlite3* db = nullptr;
  const int code = calls().sqlite3_open_v2(uriOf(path, access).toUtf8().constData(), &db,
                                   (access == Access::OwnCopyWithLog ? SQLITE_OPEN_READWRITE : SQLITE_OPEN_READONLY) |
                                               SQLITE_OPEN_URI | SQLITE_OPEN_NOMUTEX, nullptr);
  std::unique_ptr<Collection> collection(new Collection(db));
  if (code != SQLITE_OK) return code == SQLITE_CANTOPEN ? AnkiError::NoCollection : errorOf(code);
  calls().sqlite3_limit(db, SQLITE_LIMIT_LENGTH, kMaxTextBytes);
  calls().sqlite3_busy_timeout(db, 300);
  calls().sqlite3_create_collation_v2(db, "unicase", SQLITE_UTF8, nullptr, compareUnicase, nullptr);
  calls().sqlite3_hard_heap_limit64(kMaxHeapBytes);
  calls().sqlite3_progress_handler(
      db, kStepsBetweenChecks,
      [](void* deadline) {
        return int(std::chrono::steady_clock::now() > *static_cast<std::chrono::steady_clock::time_point*>(deadline));
      },
      &collection->queryDeadline_);
  if (const std::optional<AnkiError> error = collection->checkTables()) return *error;
  if (const std::optional<AnkiError> error = collection->readCol()) return *error;
  return collection;
}

// The collection's own names must be tables: a view of the same name could
// run without end or grow without bound.
std::optional<AnkiError> Collection::checkTables() {
  Statement objects(db_, queryDeadline_,
                    QStringLiteral("SELECT type FROM sqlite_master WHERE lower(name) IN "
                                   "('col', 'notes', 'cards', 'notetypes', 'fields', 'decks', 'config')"));
  if (!objects.prepared()) return errorOf(objects.code());
  while (objects.step())
    if (objects.text(0) != QLatin1String("table")) return AnkiError::NotCollection;
  if (!objects.done()) return errorOf(objects.code());
  return std::nullopt;
}

std::optional<AnkiError> Collection::readCol() {
  Statement col(db_, queryDeadline_, QStringLiteral("SELECT ver, crt, models, decks, conf FROM col"));
  if (!col.prepared()) return errorOf(col.code());
  if (!col.step()) return col.done() ? AnkiError::NotCollection : errorOf(col.code());
  schema_ = int(col.integer(0));
  scheduler_.created = col.integer(1);
  if (schema_ < kOldestSchema || schema_ > kNewestSchema) return AnkiError::UnknownSchema;
  readScheduler(col.bytes(4));
  if (schema_ < 15) return readTypesAndDecksFromJson(col.bytes(2), col.bytes(3));
  return readTypesAndDecksFromTables();
}

// Schema 11 keeps the settings as one JSON object in col.conf; from 14 on,
// each is a row of `config` whose value is JSON. Missing or odd values keep
// the defaults.
void Collection::readScheduler(const QByteArray& colConf) {
  QJsonObject conf;
  if (schema_ < 14) {
    conf = QJsonDocument::fromJson(colConf).object();
  } else {
    Statement rows(db_, queryDeadline_, QStringLiteral("SELECT KEY, val FROM config WHERE KEY IN "
                                       "('schedVer', 'rollover', 'creationOffset', 'collapseTime')"));
    const bool prepared = rows.prepared();
    while (prepared && rows.step())
      conf.insert(rows.text(0), QJsonDocument::fromJson("[" + rows.bytes(1) + "]").array().at(0));
  }
  const auto number = [&conf](const char* key) -> std::optional<int> {
    const QJsonValue value = conf.value(QLatin1String(key));
    return value.isDouble() ? std::optional(value.toInt()) : std::nullopt;
  };
  scheduler_.version = number("schedVer").value_or(1) >= 2 ? 2 : 1;
  scheduler_.rollover = std::clamp(number("rollover").value_or(4), 0, 23);
  if (const std::optional<int> offset = number("creationOffset"))
    scheduler_.creationOffsetMinutes = std::clamp(*offset, -18 * 60, 18 * 60);
  scheduler_.collapseSecs = std::clamp(number("collapseTime").value_or(1200), 0, 86400);
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
    NoteType noteType{type.value(QStringLiteral("name")).toString(), {},
                      type.value(QStringLiteral("type")).toInt() == 1};
    for (const auto& [order, name] : byOrder) noteType.fields.append(name);
    noteTypes_.insert(it.key().toLongLong(), noteType);
  }
  const QJsonObject deckObjects = decksJson.object();
  for (auto it = deckObjects.begin(); it != deckObjects.end(); ++it)
    decks_.append({it.key().toLongLong(), it.value().toObject().value(QStringLiteral("name")).toString()});
  return std::nullopt;
}

std::optional<AnkiError> Collection::readTypesAndDecksFromTables() {
  Statement types(db_, queryDeadline_, QStringLiteral("SELECT id, name, config FROM notetypes"));
  if (!types.prepared()) return errorOf(types.code());
  // The config is a protocol-buffer message whose field 1 is the kind: 1 for cloze.
  while (types.step())
    noteTypes_.insert(types.integer(0),
                      NoteType{types.text(1), {}, ProtobufMessage::varint(types.bytes(2), 1).value == 1u});
  if (!types.done()) return errorOf(types.code());

  Statement fields(db_, queryDeadline_, QStringLiteral("SELECT ntid, name FROM fields ORDER BY ntid, ord"));
  if (!fields.prepared()) return errorOf(fields.code());
  while (fields.step()) {
    const auto type = noteTypes_.find(fields.integer(0));
    if (type != noteTypes_.end()) type->fields.append(fields.text(1));
  }
  if (!fields.done()) return errorOf(fields.code());

  Statement decks(db_, queryDeadline_, QStringLiteral("SELECT id, name FROM decks"));
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
  QStringList conditions{QStringLiteral("c.nid = n.id")};
  if (!filter.decks.isEmpty()) {
    QStringList ids;
    for (const qint64 id : filter.decks) ids.append(QString::number(id));
    // A card lent to a filtered deck still belongs to its home deck (odid).
    conditions.append(
        QStringLiteral("(CASE WHEN c.odid != 0 THEN c.odid ELSE c.did END) IN (%1)").arg(ids.join(u',')));
  }
  // Review and day-learning cards count days (from their home deck's
  // position when lent); learning cards count seconds.
  if (filter.cards == Cards::DueToday)
    conditions.append(QStringLiteral("((c.queue IN (2, 3) AND "
                                     "(CASE WHEN c.odid != 0 AND c.odue != 0 THEN c.odue ELSE c.due END) <= %1) OR "
                                     "(c.queue = 1 AND c.due <= %2))")
                          .arg(filter.today)
                          .arg(filter.learningCutoff));
  const QString cards = conditions.join(QStringLiteral(" AND "));
  QString query = QStringLiteral("SELECT %1").arg(QLatin1String(columns));
  if (filter.cardOrds) query += QStringLiteral(", (SELECT group_concat(c.ord) FROM cards c WHERE %1)").arg(cards);
  query += QStringLiteral(" FROM notes n");
  if (filter.decks.isEmpty() && filter.cards == Cards::All) return query;
  return query + QStringLiteral(" WHERE EXISTS (SELECT 1 FROM cards c WHERE %1)").arg(cards);
}

std::variant<QList<qint64>, AnkiError> Collection::decksWithCards() {
  Statement decks(db_, queryDeadline_, QStringLiteral("SELECT DISTINCT CASE WHEN odid != 0 THEN odid ELSE did END FROM cards"));
  if (!decks.prepared()) return errorOf(decks.code());
  QList<qint64> ids;
  while (decks.step()) ids.append(decks.integer(0));
  if (!decks.done()) return errorOf(decks.code());
  return ids;
}

std::variant<QList<qint64>, AnkiError> Collection::noteTypesUsed(const NoteFilter& filter) {
  Statement used(db_, queryDeadline_, QStringLiteral("SELECT DISTINCT mid FROM (%1)").arg(noteQuery("n.mid", filter)));
  if (!used.prepared()) return errorOf(used.code());
  QList<qint64> types;
  while (used.step()) types.append(used.integer(0));
  if (!used.done()) return errorOf(used.code());
  return types;
}

std::optional<AnkiError> Collection::forEachNote(const NoteFilter& filter,
                                                 const std::function<bool(const NoteRow&)>& take) {
  Statement notes(db_, queryDeadline_, noteQuery("n.mid, n.flds", filter) + QStringLiteral(" ORDER BY n.id"));
  if (!notes.prepared()) return errorOf(notes.code());
  NoteRow row;
  while (notes.step()) {
    row.noteType = notes.integer(0);
    row.fields = notes.text(1).split(kFieldSeparator);
    row.cardOrds.clear();
    if (filter.cardOrds)
      for (const QByteArray& ord : notes.bytes(2).split(','))
        if (!ord.isEmpty()) row.cardOrds.append(ord.toInt());
    if (!take(row)) return std::nullopt;
  }
  if (!notes.done()) return errorOf(notes.code());
  return std::nullopt;
}
