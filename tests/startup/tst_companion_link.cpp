#include <QTemporaryDir>
#include <QtTest>

#include "startup/companion_link.h"
#include "startup/file_io.h"
#include "startup/paths.h"
#include "startup/quorl_saver.h"

namespace {

// An 88-byte book-table record with `name` in its 16-byte name field.
QByteArray bookRecord(const QByteArray& name) {
  QByteArray record(CompanionLink::kBookRecordSize, '\0');
  record.replace(0, 5, "title");
  record.replace(CompanionLink::kBookNameOffset, name.size(), name);
  return record;
}

// A linked companion folder holding the given files.
struct Companion {
  QTemporaryDir home;
  QTemporaryDir folder;
  QuorlSaver saver{home.path()};

  Companion() {
    saver.settings.linkState = 1;
    saver.settings.companionFolder = folder.path();
    put("Quorl.exe", "");
  }
  void put(const QString& name, const QByteArray& bytes) {
    QVERIFY(FileIo::writeAtomically(Paths::join(folder.path(), name), bytes));
  }
};

}  // namespace

class TestCompanionLink : public QObject {
  Q_OBJECT

 private slots:
  void readsIndexTableAndHeader() {
    Companion c;
    c.put("Status.ini", "3,12\r\n");
    c.put("12.3i", "\"dog\",\"犬\",1\r\n\"cat\",\"猫\",0\r\n");
    QByteArray table;
    for (int i = 1; i <= 12; ++i) table += bookRecord(i == 12 ? "animals" : "other");
    c.put("T.3", table);
    c.put("animals.vcb", "2,\"QFont\",\"AFont\",\"x\"\r\n");
    c.put("other.vcb", "2,\"Wrong\",\"Wrong\",\"x\"\r\n");

    CompanionLink::loadCompanionWords(c.saver);
    QCOMPARE(int(c.saver.companionState), 0);
    QCOMPARE(c.saver.words.count(), 2);
    QCOMPARE(c.saver.words.answer(2), QStringLiteral("猫"));
    QCOMPARE(c.saver.words.questionFont, QStringLiteral("QFont"));
    QCOMPARE(c.saver.words.answerFont, QStringLiteral("AFont"));
  }

  void fullSixteenCharacterNameIsUsedWhole() {
    Companion c;
    c.put("Status.ini", "1,1\r\n");
    c.put("1.1i", "\"a\",\"b\",0\r\n");
    c.put("T.1", bookRecord("abcdefghijklmnop"));
    c.put("abcdefghijklmnop.vcb", "1,\"Full\",\"Name\"\r\n");
    CompanionLink::loadCompanionWords(c.saver);
    QCOMPARE(c.saver.words.count(), 1);
    QCOMPARE(c.saver.words.questionFont, QStringLiteral("Full"));
  }

  void missingTableOrHeaderCostsOnlyTheFonts() {
    Companion c;
    c.put("Status.ini", "1,1\r\n");
    c.put("1.1i", "\"a\",\"b\",0\r\n");
    CompanionLink::loadCompanionWords(c.saver);
    QCOMPARE(int(c.saver.companionState), 0);
    QCOMPARE(c.saver.words.questionFont, kFallbackListFont);
    QCOMPARE(c.saver.words.answerFont, kFallbackListFont);
  }

  void unusableCompanionFilesKeepOwnList_data() {
    QTest::addColumn<QByteArray>("status");
    QTest::addColumn<QByteArray>("index");
    QTest::addColumn<QByteArray>("table");
    QTest::addRow("no status file") << QByteArray() << QByteArray("\"a\",\"b\",0\r\n") << QByteArray();
    QTest::addRow("status not numbers") << QByteArray("x,y\r\n") << QByteArray("\"a\",\"b\",0\r\n") << QByteArray();
    QTest::addRow("no index file") << QByteArray("1,2\r\n") << QByteArray() << QByteArray();
    QTest::addRow("index line short") << QByteArray("1,2\r\n") << QByteArray("\"a\",\"b\",0\r\n\"c\"\r\n")
                                      << QByteArray();
    QTest::addRow("empty index") << QByteArray("1,2\r\n") << QByteArray("\r\n") << QByteArray();
    QTest::addRow("table too short") << QByteArray("1,2\r\n") << QByteArray("\"a\",\"b\",0\r\n")
                                     << bookRecord("one");
  }
  void unusableCompanionFilesKeepOwnList() {
    QFETCH(QByteArray, status);
    QFETCH(QByteArray, index);
    QFETCH(QByteArray, table);
    Companion c;
    if (!status.isEmpty()) c.put("Status.ini", status);
    if (!index.isEmpty()) c.put("2.1i", index);
    if (!table.isEmpty()) c.put("T.1", table);
    c.saver.words.append(QStringLiteral("own"), QStringLiteral("list"));
    CompanionLink::loadCompanionWords(c.saver);
    QCOMPARE(int(c.saver.companionState), 1);
    QCOMPARE(c.saver.words.count(), 1);
    QCOMPARE(c.saver.words.question(1), QStringLiteral("own"));
  }

  void notAskedWithOwnListOrWithoutLink() {
    Companion c;
    c.saver.settings.ownList = 1;
    CompanionLink::loadCompanionWords(c.saver);
    QCOMPARE(int(c.saver.companionState), 2);
    c.saver.settings.ownList = 0;
    c.saver.settings.linkState = 2;
    CompanionLink::loadCompanionWords(c.saver);
    QCOMPARE(int(c.saver.companionState), 2);
  }

  void findCompanion() {
    Companion c;
    c.saver.settings.linkState = 0;
    // Stored without its drive; the program's drive is put in front.
    c.saver.settings.companionFolder = c.folder.path().mid(Paths::driveOf(c.folder.path()).size());
    CompanionLink::findCompanion(c.saver);
    QCOMPARE(int(c.saver.settings.linkState), 1);
    QCOMPARE(c.saver.settings.companionFolder, c.folder.path());

    c.saver.settings.linkState = 0;
    QFile::remove(Paths::join(c.folder.path(), QStringLiteral("Quorl.exe")));
    c.put("quorl.exe", "");  // the name is case-sensitive
    CompanionLink::findCompanion(c.saver);
    QCOMPARE(int(c.saver.settings.linkState), 2);
    QCOMPARE(c.saver.settings.companionFolder, c.folder.path());
  }

  void loadUsesCompanionWordsWhenLinked() {
    Companion c;
    c.put("Status.ini", "1,1\r\n");
    c.put("1.1i", "\"from\",\"companion\",0\r\n");
    QVERIFY(c.saver.save());
    c.saver.load();
    QCOMPARE(int(c.saver.companionState), 0);
    QCOMPARE(c.saver.words.question(1), QStringLiteral("from"));
  }

  void pathHelpers() {
    QCOMPARE(Paths::parentFolder(QStringLiteral("/a/b/c.jpg")), QStringLiteral("/a/b"));
    QCOMPARE(Paths::parentFolder(QStringLiteral("c.jpg")), QStringLiteral("c.jpg"));
    QCOMPARE(Paths::parentFolder(QStringLiteral("/c.jpg")), QStringLiteral("/c.jpg"));
    QCOMPARE(Paths::trimNulls(QStringLiteral("  name ") + QChar(0) + QChar(0)), QStringLiteral("name"));
    QCOMPARE(Paths::driveOf(QStringLiteral("C:\\x")), QStringLiteral("C:"));
    QCOMPARE(Paths::driveOf(QStringLiteral("/home/x")), QString());
  }
};

QTEST_GUILESS_MAIN(TestCompanionLink)
#include "tst_companion_link.moc"
