#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

#include "editor/word_list_document.h"
#include "startup/quorl_saver.h"
#include "startup/word_list.h"
#include "support/numbered_list.h"

namespace {

// The editor's lists: a font for each column, both installed.
WordList twoFontList(int count) {
  return numberedList(count, QString(), QStringLiteral("DejaVu Sans"), QStringLiteral("IPAGothic"));
}

}  // namespace

class TestWordListDocument : public QObject {
  Q_OBJECT

 private slots:
  void dropBlankItemsKeepsTextsAsTheyStand();
  void companionIndicator_data();
  void companionIndicator();
};

void TestWordListDocument::dropBlankItemsKeepsTextsAsTheyStand() {
  QTemporaryDir home;
  QuorlSaver saver(home.path());
  saver.words = twoFontList(5);
  saver.words.questions[1] = QStringLiteral("  ");
  saver.words.answers[1] = QString();
  saver.words.questions[3] = QStringLiteral(" ");
  saver.words.answers[3] = QStringLiteral("   ");
  saver.words.answers[4] = QStringLiteral(" a5 ");  // kept texts are written as they stand
  WordListDocument document(saver);
  document.load();
  QVERIFY(document.store(0, 1, QStringLiteral("q1!")));
  QVERIFY(document.dropBlankItems());
  QVERIFY(!document.dropBlankItems());  // nothing more to drop
  QCOMPARE(document.editQ(), (QStringList{"q1!", "q3", "q5"}));

  const QString file = QDir(home.path()).filePath(QStringLiteral("compact.dgl"));
  QVERIFY(document.save(file, QStringLiteral("DejaVu Sans"), QStringLiteral("IPAGothic")).saved);
  const std::optional<WordList> saved = WordListFile::read(file);
  QVERIFY(saved);
  QCOMPARE(saved->questions, (QStringList{"q1!", "q3", "q5"}));
  QCOMPARE(saved->answers, (QStringList{"a1", "a3", " a5 "}));
  QVERIFY(!document.editDirty());
  QCOMPARE(document.editFile(), file);
  QCOMPARE(document.nameBox(), QStringLiteral("compact.dgl"));

  // A list with no text at all keeps its items: there is nothing to save.
  saver.words = WordList{};
  saver.words.append(QStringLiteral(" "), QString());
  document.load();
  QVERIFY(!document.hasText());
  QVERIFY(!document.dropBlankItems());
  QCOMPARE(document.editCount(), 1);
}

void TestWordListDocument::companionIndicator_data() {
  QTest::addColumn<int>("linkState");
  QTest::addColumn<int>("ownList");
  QTest::addColumn<int>("companionState");
  QTest::addColumn<QString>("mark");
  QTest::addColumn<QString>("name");
  QTest::addRow("no companion") << 2 << 0 << 2 << "" << "DEFAULT";
  QTest::addRow("own list") << 1 << 1 << 1 << "cross" << "DEFAULT";
  QTest::addRow("companion words") << 1 << 0 << 0 << "circle" << "Quorling";
  QTest::addRow("linked, waiting for words") << 1 << 0 << 1 << "triangle" << "DEFAULT";
}

void TestWordListDocument::companionIndicator() {
  QFETCH(int, linkState);
  QFETCH(int, ownList);
  QFETCH(int, companionState);
  QFETCH(QString, mark);
  QFETCH(QString, name);
  QTemporaryDir home;
  QuorlSaver saver(home.path());
  saver.words = twoFontList(2);
  saver.settings.linkState = uint8_t(linkState);
  saver.settings.ownList = uint8_t(ownList);
  saver.companionState = uint8_t(companionState);
  WordListDocument document(saver);
  document.load();
  QCOMPARE(document.crossShown(), mark == QLatin1String("cross"));
  QCOMPARE(document.circleShown(), mark == QLatin1String("circle"));
  QCOMPARE(document.triangleShown(), mark == QLatin1String("triangle"));
  QCOMPARE(document.nameBox(), name);
}

QTEST_GUILESS_MAIN(TestWordListDocument)
#include "tst_word_list_document.moc"
