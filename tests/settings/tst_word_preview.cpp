#include <QTemporaryDir>
#include <QtTest>

#include "settings/word_preview.h"
#include "settings_fixture.h"
#include "startup/quorl_saver.h"

using namespace SettingsFixture;

class TestWordPreview : public QObject {
  Q_OBJECT

 private slots:
  void rowsAndScrollRange_data();
  void rowsAndScrollRange();
  void scrollingToTheEndShowsTheLastSeven();
  void scrollingKeepsRowsPastTheEnd();
  void sourceMark_data();
  void sourceMark();
  void name_data();
  void name();
};

void TestWordPreview::rowsAndScrollRange_data() {
  QTest::addColumn<int>("pairs");
  QTest::addColumn<int>("filledRows");
  QTest::addColumn<bool>("scrollEnabled");
  QTest::addColumn<int>("scrollMaximum");
  QTest::addRow("empty list blanks every row") << 0 << 0 << false << 0;
  QTest::addRow("3 pairs blank rows 3 to 6") << 3 << 3 << false << 0;
  QTest::addRow("7 pairs fill every row, no scrolling") << 7 << 7 << false << 0;
  QTest::addRow("8 pairs scroll by one") << 8 << 7 << true << 1;
  QTest::addRow("123 pairs") << 123 << 7 << true << 116;
}

void TestWordPreview::rowsAndScrollRange() {
  QFETCH(int, pairs);
  QFETCH(int, filledRows);
  QFETCH(bool, scrollEnabled);
  QFETCH(int, scrollMaximum);
  QTemporaryDir home;
  QuorlSaver saver(home.path());
  saver.words = numberedList(pairs, QString(), QStringLiteral("FontQ"), QStringLiteral("FontA"));

  const WordPreview::View view = WordPreview::assort(saver);
  QCOMPARE(view.scrollEnabled, scrollEnabled);
  QCOMPARE(view.scrollMaximum, scrollMaximum);
  QCOMPARE(view.questionFont, QStringLiteral("FontQ"));
  QCOMPARE(view.answerFont, QStringLiteral("FontA"));
  for (int r = 0; r < WordPreview::kRows; ++r) {
    const WordPreview::Row& row = view.rows[r];
    QCOMPARE(row.filled, r < filledRows);
    QCOMPARE(row.question, r < filledRows ? QStringLiteral("q%1").arg(r + 1) : QString());
    QCOMPARE(row.answer, r < filledRows ? QStringLiteral("a%1").arg(r + 1) : QString());
  }
}

void TestWordPreview::scrollingToTheEndShowsTheLastSeven() {
  const WordList list = numberedList(20);
  const auto rows = WordPreview::scrolled(list, 20 - WordPreview::kRows);
  for (int r = 0; r < WordPreview::kRows; ++r) {
    QVERIFY(rows[r].has_value());
    QCOMPARE(rows[r]->question, QStringLiteral("q%1").arg(14 + r));
    QCOMPARE(rows[r]->answer, QStringLiteral("a%1").arg(14 + r));
  }
}

void TestWordPreview::scrollingKeepsRowsPastTheEnd() {
  const WordList list = numberedList(9);
  const auto rows = WordPreview::scrolled(list, 5);
  QCOMPARE(rows[3]->question, QStringLiteral("q9"));
  for (int r = 4; r < WordPreview::kRows; ++r) QVERIFY(!rows[r].has_value());
}

void TestWordPreview::sourceMark_data() {
  QTest::addColumn<int>("linkState");
  QTest::addColumn<int>("ownList");
  QTest::addColumn<int>("companionState");
  QTest::addColumn<bool>("connector");
  QTest::addColumn<int>("mark");
  QTest::addRow("never looked for") << 0 << 0 << 0 << false << int(SourceMark::None);
  QTest::addRow("not found") << 2 << 0 << 2 << false << int(SourceMark::None);
  QTest::addRow("not found, own list") << 2 << 1 << 2 << false << int(SourceMark::None);
  QTest::addRow("linked, own list") << 1 << 1 << 2 << true << int(SourceMark::Cross);
  QTest::addRow("linked, own list flag 5") << 1 << 5 << 0 << true << int(SourceMark::Cross);
  QTest::addRow("following the companion") << 1 << 0 << 0 << true << int(SourceMark::Circle);
  QTest::addRow("linked, no words yet") << 1 << 0 << 1 << true << int(SourceMark::Triangle);
}

void TestWordPreview::sourceMark() {
  QFETCH(int, linkState);
  QFETCH(int, ownList);
  QFETCH(int, companionState);
  QFETCH(bool, connector);
  QFETCH(int, mark);
  SaverSettings s;
  s.linkState = uint8_t(linkState);
  s.ownList = uint8_t(ownList);
  const SourceMarkState state = WordPreview::sourceMark(s, uint8_t(companionState));
  QCOMPARE(state.connector, connector);
  QCOMPARE(int(state.mark), mark);
}

void TestWordPreview::name_data() {
  QTest::addColumn<QString>("listFile");  // relative to the home folder; "DEFAULT" as is
  QTest::addColumn<bool>("fileExists");
  QTest::addColumn<int>("linkState");
  QTest::addColumn<int>("ownList");
  QTest::addColumn<int>("companionState");
  QTest::addColumn<QString>("name");
  QTest::addRow("default list") << "DEFAULT" << false << 2 << 0 << 2 << "DEFAULT";
  QTest::addRow("own list file") << "lists/animals.dgl" << true << 2 << 0 << 2 << "animals.dgl";
  QTest::addRow("list file gone") << "lists/gone.dgl" << false << 2 << 0 << 2 << "";
  QTest::addRow("following the companion") << "lists/animals.dgl" << true << 1 << 0 << 0 << "Quorling";
  QTest::addRow("linked, own list") << "lists/animals.dgl" << true << 1 << 1 << 2 << "animals.dgl";
  QTest::addRow("linked, no words yet") << "DEFAULT" << false << 1 << 0 << 1 << "DEFAULT";
}

void TestWordPreview::name() {
  QFETCH(QString, listFile);
  QFETCH(bool, fileExists);
  QFETCH(int, linkState);
  QFETCH(int, ownList);
  QFETCH(int, companionState);
  QFETCH(QString, name);
  QTemporaryDir home;
  QuorlSaver saver(home.path());
  saver.settings.wordListPath = listFile == kDefaultWord ? listFile : home.filePath(listFile);
  if (fileExists) writeList(saver.settings.wordListPath, numberedList(2));
  saver.settings.linkState = uint8_t(linkState);
  saver.settings.ownList = uint8_t(ownList);
  saver.companionState = uint8_t(companionState);

  const WordPreview::View view = WordPreview::assort(saver);
  QCOMPARE(view.name, name);
  QCOMPARE(view.nameLine, QStringLiteral("   Words-[ ") + name + QStringLiteral(" ]"));
}

QTEST_GUILESS_MAIN(TestWordPreview)
#include "tst_word_preview.moc"
