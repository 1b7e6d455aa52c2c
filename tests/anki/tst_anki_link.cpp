#include <QDir>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QtTest>
#include <sqlite3.h>
#include <time.h>

#include "anki/anki_link.h"
#include "anki/anki_profile.h"
#include "anki_fixture.h"
#include "startup/quorl_saver.h"

namespace {

using Questions = QStringList;

// A schema-18 profile as the program leaves it (WAL mode, closed): one card
// in every queue, in the deck "JP" unless said otherwise. Today is day 100.
AnkiFixture::Collection everyQueue(const QDateTime& now) {
  AnkiFixture::Collection c;
  c.wal = true;
  c.created = now.toSecsSinceEpoch() - 100 * 86400;
  c.decks = {{1, "Default"}, {2, "JP"}, {3, "JP::N5"}, {4, "Filtered"}, {5, "Done"}};
  c.noteTypes.append({2, "Cloze", {"Text", "Back Extra"}, true});
  const auto note = [](const char* question, qint64 deck, int queue, qint64 due, qint64 home = 0) {
    return AnkiFixture::Note{1, {question, QString(question) + "!"}, deck, queue, due, home};
  };
  c.notes = {note("new", 2, 0, 1),          note("learning", 2, 1, now.toSecsSinceEpoch() + 600),
             note("review due", 3, 2, 99),  note("review today", 2, 2, 100),
             note("review later", 2, 2, 101), note("day learning", 2, 3, 100),
             note("preview", 2, 4, 0),      note("suspended", 2, -1, 0),
             note("buried", 2, -2, 0),      note("buried by user", 2, -3, 0),
             note("lent to a filtered deck", 4, 1, 0, 2), note("other deck", 1, 1, 0),
             note("done later", 5, 2, 150)};
  // Only the card of c2 is due: the link takes the number from the card.
  c.notes.append({2, {"{{c1::東京}}は{{c2::日本}}の首都", ""}, 2, 2, 100, 0, {1}});
  return c;
}

QStringList entries(const QString& folder) { return QDir(folder).entryList(QDir::Files | QDir::Hidden); }

// Holds the collection as the open program does: exclusively locked.
struct ExclusiveLock {
  sqlite3* db = nullptr;
  ExclusiveLock(const QString& path, bool wal) {
    sqlite3_open(QFile::encodeName(path).constData(), &db);
    if (wal) sqlite3_exec(db, "PRAGMA journal_mode=WAL", nullptr, nullptr, nullptr);
    sqlite3_exec(db, "PRAGMA locking_mode=EXCLUSIVE; BEGIN EXCLUSIVE", nullptr, nullptr, nullptr);
  }
  ~ExclusiveLock() { sqlite3_close_v2(db); }
};

}  // namespace

class TestAnkiLink : public QObject {
  Q_OBJECT

 private slots:
  void profileGivesItsCards_data();
  void profileGivesItsCards();
  void lockedProfileShowsTheSnapshotOfTheSameChoice_data();
  void lockedProfileShowsTheSnapshotOfTheSameChoice();
  void logLeftByACrashIsRead_data();
  void logLeftByACrashIsRead();
  void todayByTheCollectionsClock_data();
  void todayByTheCollectionsClock();
};

void TestAnkiLink::profileGivesItsCards_data() {
  QTest::addColumn<QString>("deck");
  QTest::addColumn<bool>("all");
  QTest::addColumn<Questions>("questions");
  QTest::addColumn<bool>("nothingDue");
  QTest::addRow("due in every deck") << "" << false
                                     << Questions{"learning", "review due", "review today", "day learning",
                                                  "lent to a filtered deck", "other deck", "東京は[...]の首都"}
                                     << false;
  QTest::addRow("due in JP and its sub-decks, by home deck")
      << "jp" << false
      << Questions{"learning", "review due", "review today", "day learning", "lent to a filtered deck",
                   "東京は[...]の首都"}
      << false;
  QTest::addRow("all cards of JP::N5") << "JP::N5" << true << Questions{"review due"} << false;
  QTest::addRow("nothing due: all cards of the deck, said") << "Done" << false << Questions{"done later"} << true;
}

void TestAnkiLink::profileGivesItsCards() {
  QFETCH(QString, deck);
  QFETCH(bool, all);
  QFETCH(Questions, questions);
  QFETCH(bool, nothingDue);
  QTemporaryDir home, profile;
  const QDateTime now = QDateTime::currentDateTime();
  QVERIFY(AnkiFixture::writeCollection(profile.filePath("collection.anki2"), everyQueue(now)));
  const QStringList before = entries(profile.path());
  const QDateTime modified = QFileInfo(profile.filePath("collection.anki2")).lastModified();
  ExtraSettings settings;
  settings.ankiProfile = profile.path();
  settings.ankiDeck = deck;
  settings.ankiCards = all ? ExtraSettings::AnkiCards::All : ExtraSettings::AnkiCards::Due;
  const AnkiLink::Result result = AnkiLink::load(home.path(), settings, now);
  QVERIFY(!result.error);
  QVERIFY(result.words);
  QCOMPARE(result.words->questions, questions);
  QCOMPARE(result.words->answer(1), questions.first() + "!");
  QCOMPARE(AnkiLink::statusText(result).startsWith("今日の復習はすべて終わりました。デッキの全カードを表示します。"),
           nothingDue);
  // Nothing in the profile folder was written or made.
  QCOMPARE(entries(profile.path()), before);
  QCOMPARE(QFileInfo(profile.filePath("collection.anki2")).lastModified(), modified);
}

void TestAnkiLink::lockedProfileShowsTheSnapshotOfTheSameChoice_data() {
  QTest::addColumn<bool>("wal");
  QTest::addColumn<QString>("deckLater");
  QTest::addColumn<bool>("snapshotShown");
  QTest::addRow("WAL, same choice") << true << "" << true;
  QTest::addRow("WAL, another deck: no snapshot") << true << "JP::N5" << false;
  QTest::addRow("rollback journal, same choice") << false << "" << true;
}

void TestAnkiLink::lockedProfileShowsTheSnapshotOfTheSameChoice() {
  QFETCH(bool, wal);
  QFETCH(QString, deckLater);
  QFETCH(bool, snapshotShown);
  QTemporaryDir homeDir, profile;
  const QString home = homeDir.path();
  // Noon: the snapshot an hour earlier is of the same day (days start at four).
  const QDateTime now(QDate::currentDate(), QTime(12, 0));
  // Made an hour before, when the good read is.
  AnkiFixture::Collection collection = everyQueue(now.addSecs(-3600));
  collection.wal = wal;
  const QString path = profile.filePath("collection.anki2");
  QVERIFY(AnkiFixture::writeCollection(path, collection));
  ExtraSettings settings;
  settings.words = ExtraSettings::WordSource::Anki;
  settings.ankiProfile = profile.path();
  QVERIFY(ExtraSettingsFile::save(home, settings));
  const AnkiLink::Result good = AnkiLink::load(home, settings, now.addSecs(-3600));
  QCOMPARE(good.words->count(), 7);

  ExclusiveLock lock(path, wal);
  settings.ankiDeck = deckLater;
  QVERIFY(ExtraSettingsFile::save(home, settings));
  const AnkiLink::Result locked = AnkiLink::load(home, settings, now);
  QCOMPARE(locked.error, std::optional(AnkiError::Locked));
  QCOMPARE(bool(locked.words), snapshotShown);
  QCOMPARE(locked.snapshotTaken.has_value(), snapshotShown);
  if (snapshotShown) {
    QCOMPARE(locked.words->questions, good.words->questions);
    QCOMPARE(locked.snapshotTaken->toSecsSinceEpoch(), now.addSecs(-3600).toSecsSinceEpoch());
    QVERIFY(AnkiLink::statusText(locked).contains(locked.snapshotTaken->toString("yyyy/MM/dd HH:mm")));
  }
  // The display's source: the snapshot, or the list DrifStt chooses.
  QuorlSaver saver(home);
  saver.setExtraSource(AnkiLink::extraSource());
  saver.load();
  QCOMPARE(saver.words.question(1) == "learning", snapshotShown);
}

// The program crashed, no process holds a lock, and beside the collection
// lies its log: committed notes in a -wal (read), or a change half made in
// a hot journal (undone). Both are read from a copy; the profile folder
// stays exactly as it was.
void TestAnkiLink::logLeftByACrashIsRead_data() {
  QTest::addColumn<bool>("wal");
  QTest::addColumn<QStringList>("questions");
  QTest::addRow("committed notes in the -wal") << true << QStringList{"before", "after"};
  QTest::addRow("a change half made in a hot journal") << false << QStringList{"before"};
}

void TestAnkiLink::logLeftByACrashIsRead() {
  QFETCH(bool, wal);
  QFETCH(QStringList, questions);
  QTemporaryDir home, open, profile;
  AnkiFixture::Collection c;
  c.wal = wal;
  c.notes = {{1, {"before", "a"}}};
  QVERIFY(AnkiFixture::writeCollection(open.filePath("collection.anki2"), c));
  sqlite3* writer = nullptr;
  QCOMPARE(sqlite3_open(QFile::encodeName(open.filePath("collection.anki2")).constData(), &writer), SQLITE_OK);
  // In journal mode a small cache makes the change reach the file before it is committed.
  QCOMPARE(sqlite3_exec(writer, wal ? "PRAGMA wal_autocheckpoint=0" : "PRAGMA cache_size=2; BEGIN", nullptr, nullptr, nullptr),
           SQLITE_OK);
  for (int i = 0; i < (wal ? 1 : 2000); ++i)
    QCOMPARE(sqlite3_exec(writer,
                          QString("INSERT INTO notes VALUES (%1, 'g', 1, 0, 0, '', 'after' || char(31) || '%2', 0, 0, 0, '');"
                                  "INSERT INTO cards VALUES (%1, %1, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, '')")
                              .arg(i + 2)
                              .arg(QString(200, u'x'))
                              .toUtf8()
                              .constData(),
                          nullptr, nullptr, nullptr),
             SQLITE_OK);
  const char* log = wal ? "collection.anki2-wal" : "collection.anki2-journal";
  for (const char* file : {"collection.anki2", log}) QVERIFY(QFile::copy(open.filePath(file), profile.filePath(file)));
  sqlite3_close_v2(writer);
  const QStringList before = entries(profile.path());
  const qint64 logSize = QFileInfo(profile.filePath(log)).size();
  QVERIFY(logSize > 0);
  ExtraSettings settings;
  settings.ankiProfile = profile.path();
  settings.ankiCards = ExtraSettings::AnkiCards::All;
  const AnkiLink::Result result = AnkiLink::load(home.path(), settings, QDateTime::currentDateTime());
  QVERIFY(result.words);
  QCOMPARE(result.words->questions, questions);
  QVERIFY(AnkiLink::statusText(result).contains("Ankiが正しく終了していなかったため"));
  QCOMPARE(entries(profile.path()), before);
  QCOMPARE(QFileInfo(profile.filePath(log)).size(), logSize);
}

// Read at 02:00 local time (UTC+9): which day the collection's own clock
// says it is decides which review cards are due; learning cards are due
// up to collapseTime ahead.
void TestAnkiLink::todayByTheCollectionsClock_data() {
  QTest::addColumn<QJsonObject>("config");
  QTest::addColumn<QString>("created");  // UTC
  QTest::addColumn<qint64>("today");
  const QString created = "2026-01-01T03:00:00Z";  // noon of January 1st at UTC+9
  QTest::addRow("scheduler 1: whole days since creation") << QJsonObject{} << created << qint64(8);
  QTest::addRow("scheduler 2, rollover 0, no creation offset")
      << QJsonObject{{"schedVer", 2}, {"rollover", 0}} << created << qint64(9);
  QTest::addRow("scheduler 2, rollover 4, no creation offset")
      << QJsonObject{{"schedVer", 2}, {"rollover", 4}} << created << qint64(8);
  QTest::addRow("scheduler 2, rollover 0, created at UTC+9")
      << QJsonObject{{"schedVer", 2}, {"rollover", 0}, {"creationOffset", -540}} << created << qint64(9);
  QTest::addRow("scheduler 2, rollover 4, created at UTC+9")
      << QJsonObject{{"schedVer", 2}, {"rollover", 4}, {"creationOffset", -540}} << created << qint64(8);
  // 20:00 UTC on January 1st is January 2nd at UTC+9: the day is counted where it was created.
  QTest::addRow("scheduler 2, rollover 0, created at UTC")
      << QJsonObject{{"schedVer", 2}, {"rollover", 0}, {"creationOffset", 0}} << "2026-01-01T20:00:00Z" << qint64(9);
  QTest::addRow("short learning steps shown sooner")
      << QJsonObject{{"schedVer", 2}, {"rollover", 0}, {"collapseTime", 1400}} << created << qint64(9);
}

void TestAnkiLink::todayByTheCollectionsClock() {
  QFETCH(QJsonObject, config);
  QFETCH(QString, created);
  QFETCH(qint64, today);
  const QByteArray zone = qgetenv("TZ");
  qputenv("TZ", "UTC-9");
  tzset();
  const QDateTime now = QDateTime::fromString("2026-01-10T02:00:00", Qt::ISODate);
  QTemporaryDir home, profile;
  AnkiFixture::Collection c;
  c.config = config;
  c.created = QDateTime::fromString(created, Qt::ISODate).toSecsSinceEpoch();
  const qint64 seconds = now.toSecsSinceEpoch();
  const auto note = [](const QString& question, int queue, qint64 due) {
    return AnkiFixture::Note{1, {question, "a"}, 1, queue, due};
  };
  c.notes = {note("review today", 2, today),      note("review tomorrow", 2, today + 1),
             note("day learning today", 3, today), note("day learning tomorrow", 3, today + 1),
             note("learning soon", 1, seconds + 1200), note("learning later", 1, seconds + 1300)};
  QVERIFY(AnkiFixture::writeCollection(profile.filePath("collection.anki2"), c));
  ExtraSettings settings;
  settings.ankiProfile = profile.path();
  const AnkiLink::Result result = AnkiLink::load(home.path(), settings, now);
  qputenv("TZ", zone);
  tzset();
  QVERIFY(result.words);
  const QStringList expected{"review today", "day learning today", "learning soon"};
  QCOMPARE(result.words->questions,
           config.contains("collapseTime") ? expected + QStringList{"learning later"} : expected);
}

QTEST_GUILESS_MAIN(TestAnkiLink)
#include "tst_anki_link.moc"
