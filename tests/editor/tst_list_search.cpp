#include <QtTest>

#include "editor/editor_texts.h"
#include "editor/list_search.h"

Q_DECLARE_METATYPE(GridPosition)

namespace {

GridPosition at(int item, int row, int column, int scroll) { return GridPosition{item, row, column, scroll}; }

// A list of `count` items "q1"/"a1" ... with some items replaced.
struct SearchList {
  QStringList questions;
  QStringList answers;

  explicit SearchList(int count) {
    for (int i = 1; i <= count; ++i) {
      questions << QStringLiteral("q%1").arg(i);
      answers << QStringLiteral("a%1").arg(i);
    }
  }
  SearchList& item(int item, const QString& question, const QString& answer) {
    questions[item - 1] = question;
    answers[item - 1] = answer;
    return *this;
  }
};

}  // namespace

class TestListSearch : public QObject {
  Q_OBJECT

 private slots:
  void answerIsSearchedBeforeQuestion();
  void wrapsAfterTheLastItem();
  void changedTextRestartsAtFirstItem();
  void matchPlacesCell_data();
  void matchPlacesCell();
  void removedTextGivesNotFoundAfterOnePass();
  void notFoundEndsWherePassBegan_data();
  void notFoundEndsWherePassBegan();
  void emptySearchTextMatchesAnyText();
  void positionBeyondShortenedListRestartsFromTop();
  void ignoresLetterCase_data();
  void ignoresLetterCase();
};

void TestListSearch::answerIsSearchedBeforeQuestion() {
  SearchList list(6);
  list.item(3, QStringLiteral("Apple pie"), QStringLiteral("green APPLE"))
      .item(5, QStringLiteral("crab apple"), QStringLiteral("tree"));
  ListSearch search;

  std::optional<SearchMatch> match =
      ListSearchProcedure::findNext(search, QStringLiteral("apple"), list.questions, list.answers, at(1, 0, 0, 0));
  QVERIFY(match);
  QCOMPARE(match->item, 3);
  QCOMPARE(match->column, 1);
  QCOMPARE(match->start, 6);
  QCOMPARE(match->length, 5);
  QCOMPARE(match->grid, at(3, 2, 1, 0));

  // The next press moves on past item 3, not to its question.
  match = ListSearchProcedure::findNext(search, QStringLiteral("apple"), list.questions, list.answers, match->grid);
  QVERIFY(match);
  QCOMPARE(match->item, 5);
  QCOMPARE(match->column, 0);
  QCOMPARE(match->start, 5);
  QCOMPARE(match->grid, at(5, 4, 0, 0));
}

void TestListSearch::wrapsAfterTheLastItem() {
  SearchList list(8);
  list.item(2, QStringLiteral("cat"), QStringLiteral("猫")).item(8, QStringLiteral("kitten"), QStringLiteral("子猫"));
  ListSearch search;
  QList<int> found;
  GridPosition cell = at(1, 0, 0, 0);
  for (int press = 0; press < 4; ++press) {
    const std::optional<SearchMatch> match =
        ListSearchProcedure::findNext(search, QStringLiteral("猫"), list.questions, list.answers, cell);
    QVERIFY(match);
    found << match->item;
    cell = match->grid;
  }
  QCOMPARE(found, (QList<int>{2, 8, 2, 8}));
  QCOMPARE(search.position, 8);
}

void TestListSearch::changedTextRestartsAtFirstItem() {
  SearchList list(8);
  list.item(2, QStringLiteral("x"), QStringLiteral("y")).item(6, QStringLiteral("x"), QStringLiteral("y"));
  ListSearch search;
  std::optional<SearchMatch> match =
      ListSearchProcedure::findNext(search, QStringLiteral("x"), list.questions, list.answers, at(1, 0, 0, 0));
  match = ListSearchProcedure::findNext(search, QStringLiteral("x"), list.questions, list.answers, match->grid);
  QCOMPARE(match->item, 6);

  match = ListSearchProcedure::findNext(search, QStringLiteral("y"), list.questions, list.answers, match->grid);
  QVERIFY(match);
  QCOMPARE(match->item, 2);
  QCOMPARE(match->column, 1);
  QCOMPARE(search.text, QStringLiteral("y"));

  // Only an exact change counts: "Y" is a new search text, restarting again.
  match = ListSearchProcedure::findNext(search, QStringLiteral("Y"), list.questions, list.answers, match->grid);
  QCOMPARE(match->item, 2);
}

void TestListSearch::matchPlacesCell_data() {
  QTest::addColumn<int>("count");
  QTest::addColumn<int>("matchItem");
  QTest::addColumn<GridPosition>("before");
  QTest::addColumn<GridPosition>("after");
  QTest::addRow("above the visible rows: row 0") << 30 << 3 << at(15, 4, 0, 10) << at(3, 0, 1, 2);
  QTest::addRow("below the visible rows: row 11") << 30 << 28 << at(5, 4, 0, 0) << at(28, 11, 1, 16);
  QTest::addRow("visible: scroll kept") << 30 << 12 << at(7, 1, 0, 5) << at(12, 6, 1, 5);
  QTest::addRow("first visible row") << 30 << 6 << at(7, 1, 0, 5) << at(6, 0, 1, 5);
  QTest::addRow("last visible row") << 30 << 17 << at(7, 1, 0, 5) << at(17, 11, 1, 5);
  QTest::addRow("list that fits the grid") << 10 << 9 << at(2, 1, 0, 0) << at(9, 8, 1, 0);
}

void TestListSearch::matchPlacesCell() {
  QFETCH(int, count);
  QFETCH(int, matchItem);
  QFETCH(GridPosition, before);
  QFETCH(GridPosition, after);
  SearchList list(count);
  list.item(matchItem, QStringLiteral("word"), QStringLiteral("needle"));
  ListSearch search;
  const std::optional<SearchMatch> match =
      ListSearchProcedure::findNext(search, QStringLiteral("needle"), list.questions, list.answers, before);
  QVERIFY(match);
  QCOMPARE(match->item, matchItem);
  QCOMPARE(match->grid, after);
}

void TestListSearch::removedTextGivesNotFoundAfterOnePass() {
  SearchList list(5);
  list.item(4, QStringLiteral("rare"), QStringLiteral("稀"));
  ListSearch search;
  std::optional<SearchMatch> match =
      ListSearchProcedure::findNext(search, QStringLiteral("rare"), list.questions, list.answers, at(1, 0, 0, 0));
  QVERIFY(match);
  QCOMPARE(match->item, 4);

  list.item(4, QStringLiteral("common"), QStringLiteral("普通"));
  match = ListSearchProcedure::findNext(search, QStringLiteral("rare"), list.questions, list.answers, match->grid);
  QVERIFY(!match);
  QCOMPARE(search.position, 4);
  QCOMPARE(EditorTexts::kSearchNotFound, QStringLiteral("ありません。"));
}

void TestListSearch::notFoundEndsWherePassBegan_data() {
  QTest::addColumn<int>("count");
  QTest::addColumn<int>("position");
  QTest::addColumn<int>("positionAfter");
  QTest::addRow("from the top") << 5 << 0 << 0;
  QTest::addRow("from the middle") << 5 << 3 << 3;
  QTest::addRow("from the last item") << 5 << 5 << 0;
  QTest::addRow("from beyond the list") << 5 << 9 << 0;
  QTest::addRow("one item") << 1 << 1 << 0;
}

void TestListSearch::notFoundEndsWherePassBegan() {
  QFETCH(int, count);
  QFETCH(int, position);
  QFETCH(int, positionAfter);
  const SearchList list(count);
  ListSearch search{QStringLiteral("absent"), position};
  QVERIFY(!ListSearchProcedure::findNext(search, QStringLiteral("absent"), list.questions, list.answers,
                                         at(1, 0, 0, 0)));
  QCOMPARE(search.position, positionAfter);
}

void TestListSearch::emptySearchTextMatchesAnyText() {
  SearchList list(4);
  list.item(1, QString(), QString()).item(2, QString(), QStringLiteral("b")).item(3, QStringLiteral("q"), QString());
  list.item(4, QString(), QString());
  ListSearch search{QStringLiteral("old"), 3};

  std::optional<SearchMatch> match =
      ListSearchProcedure::findNext(search, QString(), list.questions, list.answers, at(1, 0, 0, 0));
  QVERIFY(match);
  QCOMPARE(match->item, 2);
  QCOMPARE(match->column, 1);
  QCOMPARE(match->start, 0);
  QCOMPARE(match->length, 0);

  match = ListSearchProcedure::findNext(search, QString(), list.questions, list.answers, match->grid);
  QVERIFY(match);
  QCOMPARE(match->item, 3);
  QCOMPARE(match->column, 0);

  list.item(2, QString(), QString()).item(3, QString(), QString());
  QVERIFY(!ListSearchProcedure::findNext(search, QString(), list.questions, list.answers, match->grid));
}

void TestListSearch::positionBeyondShortenedListRestartsFromTop() {
  SearchList list(20);
  list.item(18, QStringLiteral("late"), QString()).item(2, QStringLiteral("late"), QString());
  ListSearch search;
  std::optional<SearchMatch> match =
      ListSearchProcedure::findNext(search, QStringLiteral("late"), list.questions, list.answers, at(1, 0, 0, 0));
  match = ListSearchProcedure::findNext(search, QStringLiteral("late"), list.questions, list.answers, match->grid);
  QCOMPARE(match->item, 18);

  // The list loses its tail; the remembered position now lies beyond it.
  list.questions = list.questions.mid(0, 10);
  list.answers = list.answers.mid(0, 10);
  match = ListSearchProcedure::findNext(search, QStringLiteral("late"), list.questions, list.answers, at(1, 0, 0, 0));
  QVERIFY(match);
  QCOMPARE(match->item, 2);
}

void TestListSearch::ignoresLetterCase_data() {
  QTest::addColumn<QString>("cell");
  QTest::addColumn<QString>("text");
  QTest::addColumn<int>("start");
  QTest::addRow("ascii") << "The Quick Fox" << "quick" << 4;
  QTest::addRow("upper-case search text") << "lower case" << "CASE" << 6;
  QTest::addRow("accented letters") << "ÄPFEL und Birnen" << "äpfel" << 0;
  QTest::addRow("full-width latin") << "ＡＢＣ" << "ｂｃ" << 1;
  QTest::addRow("japanese") << "赤いりんご" << "りんご" << 2;
}

void TestListSearch::ignoresLetterCase() {
  QFETCH(QString, cell);
  QFETCH(QString, text);
  QFETCH(int, start);
  SearchList list(3);
  list.item(2, QStringLiteral("q"), cell);
  ListSearch search;
  const std::optional<SearchMatch> match =
      ListSearchProcedure::findNext(search, text, list.questions, list.answers, at(1, 0, 0, 0));
  QVERIFY(match);
  QCOMPARE(match->item, 2);
  QCOMPARE(match->start, start);
  QCOMPARE(match->length, text.size());
}

QTEST_GUILESS_MAIN(TestListSearch)
#include "tst_list_search.moc"
