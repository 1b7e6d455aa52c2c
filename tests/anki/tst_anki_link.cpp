#include <QDir>
#include <QTemporaryDir>
#include <QtTest>
#include <sqlite3.h>

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
  c.decks = {{1, "Default"}, {2, "JP"}, {3, "JP::N5"}, {4, "Filtered"}};
  const auto note = [](const char* question, qint64 deck, int queue, qint64 due, qint64 home = 0) {
    return AnkiFixture::Note{1, {question, QString(question) + "!"}, deck, queue, due, home};
  };
  c.notes = {note("new", 2, 0, 1),          note("learning", 2, 1, now.toSecsSinceEpoch() + 600),
             note("review due", 3, 2, 99),  note("review today", 2, 2, 100),
             note("review later", 2, 2, 101), note("day learning", 2, 3, 100),
             note("preview", 2, 4, 0),      note("suspended", 2, -1, 0),
             note("buried", 2, -2, 0),      note("buried by user", 2, -3, 0),
             note("lent to a filtered deck", 4, 1, 0, 2), note("other deck", 1, 1, 0)};
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
  void dayStartsAtFourInTheMorning_data();
  void dayStartsAtFourInTheMorning();
};

void TestAnkiLink::profileGivesItsCards_data() {
  QTest::addColumn<QString>("deck");
  QTest::addColumn<bool>("all");
  QTest::addColumn<Questions>("questions");
  QTest::addRow("due in every deck") << "" << false
                                     << Questions{"learning", "review due", "review today", "day learning",
                                                  "lent to a filtered deck", "other deck"};
  QTest::addRow("due in JP and its sub-decks, by home deck")
      << "jp" << false
      << Questions{"learning", "review due", "review today", "day learning", "lent to a filtered deck"};
  QTest::addRow("all cards of JP::N5") << "JP::N5" << true << Questions{"review due"};
}

void TestAnkiLink::profileGivesItsCards() {
  QFETCH(QString, deck);
  QFETCH(bool, all);
  QFETCH(Questions, questions);
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
  AnkiFixture::Collection collection = everyQueue(now);
  collection.wal = wal;
  const QString path = profile.filePath("collection.anki2");
  QVERIFY(AnkiFixture::writeCollection(path, collection));
  ExtraSettings settings;
  settings.words = ExtraSettings::WordSource::Anki;
  settings.ankiProfile = profile.path();
  QVERIFY(ExtraSettingsFile::save(home, settings));
  const AnkiLink::Result good = AnkiLink::load(home, settings, now.addSecs(-3600));
  QCOMPARE(good.words->count(), 6);

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

void TestAnkiLink::dayStartsAtFourInTheMorning_data() {
  QTest::addColumn<QString>("created");
  QTest::addColumn<QString>("now");
  QTest::addColumn<qint64>("today");
  QTest::addRow("same morning") << "2026-01-01T05:00:00" << "2026-01-01T23:00:00" << qint64(0);
  QTest::addRow("after midnight, before four") << "2026-01-01T05:00:00" << "2026-01-02T03:59:00" << qint64(0);
  QTest::addRow("at four") << "2026-01-01T05:00:00" << "2026-01-02T04:00:00" << qint64(1);
  QTest::addRow("created before four") << "2026-01-01T03:00:00" << "2026-01-01T05:00:00" << qint64(1);
}

void TestAnkiLink::dayStartsAtFourInTheMorning() {
  QFETCH(QString, created);
  QFETCH(QString, now);
  QFETCH(qint64, today);
  QCOMPARE(AnkiProfile::today(QDateTime::fromString(created, Qt::ISODate).toSecsSinceEpoch(),
                              QDateTime::fromString(now, Qt::ISODate)),
           today);
}

QTEST_GUILESS_MAIN(TestAnkiLink)
#include "tst_anki_link.moc"
