#include <QCollator>
#include <QLocale>
#include <QtTest>
#include <algorithm>

#include "editor/editor_texts.h"
#include "editor/item_operations.h"
#include "desktop/clipboard.h"
#include "startup/random_source.h"

Q_DECLARE_METATYPE(GridPosition)
Q_DECLARE_METATYPE(ItemOperations::MoveDirection)

namespace {

// Items named after their number: question "q7", answer "a7".
struct NumberedList {
  QStringList questions;
  QStringList answers;

  explicit NumberedList(int count) {
    for (int i = 1; i <= count; ++i) {
      questions << QStringLiteral("q%1").arg(i);
      answers << QStringLiteral("a%1").arg(i);
    }
  }
};

class FakeClipboard final : public Clipboard {
 public:
  QString text() const override { return held; }
  void setText(const QString& text) override { held = text; }
  QString held;
};

GridPosition at(int item, int row, int column, int scroll) { return GridPosition{item, row, column, scroll}; }

// The grid shows items scroll + 1 .. scroll + 12 and the cell is on the row
// that shows the current item.
void verifyConsistent(const GridPosition& position, int count) {
  QVERIFY(position.item >= 1 && position.item <= count);
  QVERIFY(position.scroll >= 0 && position.scroll <= EditorGrid::maxScroll(count));
  QCOMPARE(position.row, position.item - position.scroll - 1);
  QVERIFY(position.row >= 0 && position.row < EditorGrid::kVisibleRows);
}

}  // namespace

class TestItemOperations : public QObject {
  Q_OBJECT

 private slots:
  void insertMovesCellToNewItem_data();
  void insertMovesCellToNewItem();
  void insertRefusedWhenListFull();
  void deleteKeepsCellOnNeighbour_data();
  void deleteKeepsCellOnNeighbour();
  void deleteRefusesOnlyItem();
  void moveCarriesItem_data();
  void moveCarriesItem();
  void repeatedMovesCarryOneItemThroughList();
  void sortOrdersQuestionsIgnoringCase_data();
  void sortOrdersQuestionsIgnoringCase();
  void sortInUserLocaleIgnoresCase();
  void shuffleOfOneItem();
  void shuffleLeavesNoRunsOfTheOldOrder();
  void pasteTakesFirstLine_data();
  void pasteTakesFirstLine();
  void cutCopyDelete();
};

void TestItemOperations::insertMovesCellToNewItem_data() {
  QTest::addColumn<int>("count");
  QTest::addColumn<GridPosition>("before");
  QTest::addColumn<GridPosition>("after");
  QTest::addRow("last visible row of a scrolled grid") << 20 << at(15, 11, 1, 3) << at(16, 11, 1, 4);
  QTest::addRow("above the last visible row, scrolled") << 20 << at(10, 6, 0, 3) << at(11, 7, 0, 3);
  QTest::addRow("twelfth of twelve starts scrolling") << 12 << at(12, 11, 0, 0) << at(13, 11, 0, 1);
  QTest::addRow("eleventh of twelve") << 12 << at(11, 10, 1, 0) << at(12, 11, 1, 0);
  QTest::addRow("short list") << 3 << at(2, 1, 0, 0) << at(3, 2, 0, 0);
  QTest::addRow("after the last item") << 3 << at(3, 2, 1, 0) << at(4, 3, 1, 0);
  QTest::addRow("top row of a scrolled grid") << 30 << at(6, 0, 0, 5) << at(7, 1, 0, 5);
}

void TestItemOperations::insertMovesCellToNewItem() {
  QFETCH(int, count);
  QFETCH(GridPosition, before);
  QFETCH(GridPosition, after);
  NumberedList list(count);

  const std::optional<GridPosition> result =
      ItemOperations::insertAfterCurrent(list.questions, list.answers, before);

  QVERIFY(result);
  QCOMPARE(*result, after);
  verifyConsistent(*result, count + 1);
  QCOMPARE(list.questions.size(), count + 1);
  QCOMPARE(list.answers.size(), count + 1);
  // The new empty item stands right below the old current item.
  QCOMPARE(list.questions.at(before.item - 1), QStringLiteral("q%1").arg(before.item));
  QCOMPARE(list.questions.at(before.item), QString());
  QCOMPARE(list.answers.at(before.item), QString());
  // Apart from the new item, the list is as it was.
  list.questions.removeAt(before.item);
  list.answers.removeAt(before.item);
  QCOMPARE(list.questions, NumberedList(count).questions);
  QCOMPARE(list.answers, NumberedList(count).answers);
}

void TestItemOperations::insertRefusedWhenListFull() {
  NumberedList list(ItemOperations::kMaxItems);
  const GridPosition position = at(100, 11, 0, 88);
  QVERIFY(!ItemOperations::insertAfterCurrent(list.questions, list.answers, position));
  QCOMPARE(list.questions.size(), ItemOperations::kMaxItems);
  QCOMPARE(list.answers.size(), ItemOperations::kMaxItems);
}

void TestItemOperations::deleteKeepsCellOnNeighbour_data() {
  QTest::addColumn<int>("count");
  QTest::addColumn<GridPosition>("before");
  QTest::addColumn<GridPosition>("after");
  QTest::addColumn<QString>("questionAtCell");
  QTest::addRow("13th of 13: scrolling stops, row 11") << 13 << at(13, 11, 0, 1) << at(12, 11, 0, 0) << "q12";
  QTest::addRow("list stops scrolling from the middle") << 13 << at(5, 3, 1, 1) << at(5, 4, 1, 0) << "q6";
  QTest::addRow("last of a long list scrolls up") << 20 << at(20, 11, 0, 8) << at(19, 11, 0, 7) << "q19";
  QTest::addRow("middle, scrolled to the bottom") << 20 << at(15, 6, 0, 8) << at(15, 7, 0, 7) << "q16";
  QTest::addRow("middle, scroll kept") << 30 << at(10, 5, 1, 4) << at(10, 5, 1, 4) << "q11";
  QTest::addRow("last of a short list") << 3 << at(3, 2, 1, 0) << at(2, 1, 1, 0) << "q2";
  QTest::addRow("first of two") << 2 << at(1, 0, 0, 0) << at(1, 0, 0, 0) << "q2";
}

void TestItemOperations::deleteKeepsCellOnNeighbour() {
  QFETCH(int, count);
  QFETCH(GridPosition, before);
  QFETCH(GridPosition, after);
  QFETCH(QString, questionAtCell);
  NumberedList list(count);

  const std::optional<GridPosition> result =
      ItemOperations::deleteCurrentItem(list.questions, list.answers, before);

  QVERIFY(result);
  QCOMPARE(*result, after);
  verifyConsistent(*result, count - 1);
  QCOMPARE(list.questions.size(), count - 1);
  QCOMPARE(list.answers.size(), count - 1);
  QVERIFY(!list.questions.contains(QStringLiteral("q%1").arg(before.item)));
  QVERIFY(!list.answers.contains(QStringLiteral("a%1").arg(before.item)));
  QCOMPARE(list.questions.at(result->item - 1), questionAtCell);
  QCOMPARE(list.answers.at(result->item - 1), QString(questionAtCell).replace(u'q', u'a'));
}

void TestItemOperations::deleteRefusesOnlyItem() {
  QStringList questions{QStringLiteral("only")};
  QStringList answers{QStringLiteral("one")};
  QVERIFY(!ItemOperations::deleteCurrentItem(questions, answers, at(1, 0, 1, 0)));
  QCOMPARE(questions, QStringList{QStringLiteral("only")});
  QCOMPARE(answers, QStringList{QStringLiteral("one")});
  QCOMPARE(EditorTexts::kCannotDelete, QStringLiteral("これ以上削除できません!"));
}

void TestItemOperations::moveCarriesItem_data() {
  using ItemOperations::MoveDirection;
  QTest::addColumn<int>("count");
  QTest::addColumn<GridPosition>("before");
  QTest::addColumn<MoveDirection>("direction");
  QTest::addColumn<bool>("moved");
  QTest::addColumn<GridPosition>("after");
  QTest::addRow("up in a short list") << 5 << at(3, 2, 1, 0) << MoveDirection::Up << true << at(2, 1, 1, 0);
  QTest::addRow("down in a short list") << 5 << at(3, 2, 0, 0) << MoveDirection::Down << true << at(4, 3, 0, 0);
  QTest::addRow("first item up") << 5 << at(1, 0, 0, 0) << MoveDirection::Up << false << at(1, 0, 0, 0);
  QTest::addRow("last item down") << 5 << at(5, 4, 0, 0) << MoveDirection::Down << false << at(5, 4, 0, 0);
  QTest::addRow("down off the last visible row") << 20 << at(12, 11, 0, 0) << MoveDirection::Down << true
                                                 << at(13, 11, 0, 1);
  QTest::addRow("up off the first visible row") << 20 << at(6, 0, 1, 5) << MoveDirection::Up << true
                                                << at(5, 0, 1, 4);
  QTest::addRow("down within the visible rows") << 20 << at(8, 3, 1, 4) << MoveDirection::Down << true
                                                << at(9, 4, 1, 4);
  QTest::addRow("last item of a scrolled list down") << 20 << at(20, 11, 0, 8) << MoveDirection::Down << false
                                                     << at(20, 11, 0, 8);
}

void TestItemOperations::moveCarriesItem() {
  QFETCH(int, count);
  QFETCH(GridPosition, before);
  QFETCH(ItemOperations::MoveDirection, direction);
  QFETCH(bool, moved);
  QFETCH(GridPosition, after);
  NumberedList list(count);
  const NumberedList original(count);

  const ItemOperations::MoveResult result =
      ItemOperations::moveCurrentItem(list.questions, list.answers, before, direction);

  QCOMPARE(result.moved, moved);
  QCOMPARE(result.position, after);
  verifyConsistent(result.position, count);
  // The moved item (question and answer together) is where the cell is.
  QCOMPARE(list.questions.at(after.item - 1), QStringLiteral("q%1").arg(before.item));
  QCOMPARE(list.answers.at(after.item - 1), QStringLiteral("a%1").arg(before.item));
  if (!moved) {
    QCOMPARE(list.questions, original.questions);
    QCOMPARE(list.answers, original.answers);
  } else {
    QCOMPARE(list.questions.at(before.item - 1), QStringLiteral("q%1").arg(after.item));
  }
}

void TestItemOperations::repeatedMovesCarryOneItemThroughList() {
  NumberedList list(15);
  GridPosition position = at(1, 0, 0, 0);
  for (int i = 0; i < 20; ++i)
    position = ItemOperations::moveCurrentItem(list.questions, list.answers, position,
                                               ItemOperations::MoveDirection::Down)
                   .position;
  QCOMPARE(position, at(15, 11, 0, 3));
  QCOMPARE(list.questions.last(), QStringLiteral("q1"));
  QCOMPARE(list.questions.first(), QStringLiteral("q2"));
  QCOMPARE(list.answers.at(13), QStringLiteral("a15"));
}

void TestItemOperations::sortOrdersQuestionsIgnoringCase_data() {
  QTest::addColumn<QString>("locale");
  QTest::addColumn<QStringList>("questions");
  QTest::addColumn<QStringList>("sortedQuestions");
  for (const QString& locale : {QStringLiteral("C"), QStringLiteral("en_US"), QStringLiteral("ja_JP")}) {
    QTest::addRow("banana, Apple, cherry (%s)", qPrintable(locale))
        << locale << QStringList{"banana", "Apple", "cherry"} << QStringList{"Apple", "banana", "cherry"};
    QTest::addRow("lower case before upper case word (%s)", qPrintable(locale))
        << locale << QStringList{"Zebra", "apple", "Mango"} << QStringList{"apple", "Mango", "Zebra"};
    QTest::addRow("equal ignoring case keep their order (%s)", qPrintable(locale))
        << locale << QStringList{"dog", "DOG", "cat", "Dog"} << QStringList{"cat", "dog", "DOG", "Dog"};
    QTest::addRow("kana (%s)", qPrintable(locale))
        << locale << QStringList{"りんご", "いぬ", "あめ"} << QStringList{"あめ", "いぬ", "りんご"};
  }
}

void TestItemOperations::sortOrdersQuestionsIgnoringCase() {
  QFETCH(QString, locale);
  QFETCH(QStringList, questions);
  QFETCH(QStringList, sortedQuestions);
  // Each answer names its question, so pairs that come apart show up.
  QStringList answers;
  for (const QString& question : questions) answers << question + QStringLiteral("-answer");
  QCollator collator{QLocale(locale)};
  collator.setCaseSensitivity(Qt::CaseInsensitive);

  const GridPosition position = ItemOperations::sortByQuestion(questions, answers, collator);

  QCOMPARE(questions, sortedQuestions);
  for (int i = 0; i < questions.size(); ++i) QCOMPARE(answers.at(i), questions.at(i) + QStringLiteral("-answer"));
  QCOMPARE(position, EditorGrid::kTop);
}

void TestItemOperations::sortInUserLocaleIgnoresCase() {
  const QCollator collator = ItemOperations::questionCollator();
  QCOMPARE(collator.caseSensitivity(), Qt::CaseInsensitive);
  QCOMPARE(collator.locale(), QLocale());
  QStringList questions{"banana", "Apple", "cherry", "apple"};
  QStringList answers{"1", "2", "3", "4"};
  ItemOperations::sortByQuestion(questions, answers, collator);
  QCOMPARE(questions, (QStringList{"Apple", "apple", "banana", "cherry"}));
  QCOMPARE(answers, (QStringList{"2", "4", "1", "3"}));
}

void TestItemOperations::shuffleOfOneItem() {
  QStringList questions{QStringLiteral("alone")};
  QStringList answers{QStringLiteral("single")};
  RandomSource random;
  random.seed(7);
  QCOMPARE(ItemOperations::shuffle(questions, answers, random), EditorGrid::kTop);
  QCOMPARE(questions, QStringList{QStringLiteral("alone")});
  QCOMPARE(answers, QStringList{QStringLiteral("single")});
}

void TestItemOperations::shuffleLeavesNoRunsOfTheOldOrder() {
  // A sorted list of the largest size: in a uniform order about half of the
  // neighbours stand ascending; random keys 1..1000 with a stable sort left
  // nearly all of them so.
  const int count = ItemOperations::kMaxItems;
  NumberedList list(count);
  RandomSource random;
  random.seed(20261207);
  QCOMPARE(ItemOperations::shuffle(list.questions, list.answers, random), EditorGrid::kTop);

  std::vector<int> items;
  for (int p = 0; p < count; ++p) {
    items.push_back(list.questions.at(p).mid(1).toInt());
    QCOMPARE(list.answers.at(p).mid(1).toInt(), items.back());  // answers travel with their questions
  }
  std::vector<int> sorted = items;
  std::sort(sorted.begin(), sorted.end());
  QCOMPARE(sorted.front(), 1);
  QVERIFY(std::adjacent_find(sorted.begin(), sorted.end()) == sorted.end());  // each item once
  int ascending = 0;
  for (size_t p = 1; p < items.size(); ++p) ascending += items[p] > items[p - 1];
  QVERIFY2(std::abs(ascending - count / 2) < count / 50, qPrintable(QString::number(ascending)));
}

void TestItemOperations::pasteTakesFirstLine_data() {
  QTest::addColumn<QString>("clipboard");
  QTest::addColumn<QString>("text");
  QTest::addColumn<int>("caret");
  QTest::addRow("two lines with CR LF") << "first\r\nsecond" << "abfirstcd" << 7;
  QTest::addRow("two lines with LF") << "first\nsecond" << "abfirstcd" << 7;
  QTest::addRow("one line") << "word" << "abwordcd" << 6;
  QTest::addRow("starts with a line end") << "\r\nsecond" << "abcd" << 2;
  QTest::addRow("CR without LF kept") << "one\rtwo" << "abone\rtwocd" << 9;
  QTest::addRow("empty clipboard changes nothing") << "" << "abXYcd" << 2;
}

void TestItemOperations::pasteTakesFirstLine() {
  QFETCH(QString, clipboard);
  QFETCH(QString, text);
  QFETCH(int, caret);
  FakeClipboard board;
  board.held = clipboard;
  EditBoxText box{QStringLiteral("abXYcd"), 2, 2};

  TextCommands::paste(box, board);

  QCOMPARE(box.text, text);
  QCOMPARE(box.selectionStart, caret);
  QCOMPARE(box.selectionLength, clipboard.isEmpty() ? 2 : 0);
  QCOMPARE(board.held, clipboard);
}

void TestItemOperations::cutCopyDelete() {
  FakeClipboard board;
  EditBoxText box{QStringLiteral("りんごの木"), 3, 2};

  TextCommands::copy(box, board);
  QCOMPARE(board.held, QStringLiteral("の木"));
  QCOMPARE(box.text, QStringLiteral("りんごの木"));

  box.selectionStart = 0;
  box.selectionLength = 3;
  TextCommands::cut(box, board);
  QCOMPARE(board.held, QStringLiteral("りんご"));
  QCOMPARE(box, (EditBoxText{QStringLiteral("の木"), 0, 0}));

  box.selectionLength = 1;
  TextCommands::deleteSelection(box);
  QCOMPARE(box, (EditBoxText{QStringLiteral("木"), 0, 0}));
  QCOMPARE(board.held, QStringLiteral("りんご"));

  // A selection reaching past the text is cut at its end.
  box = EditBoxText{QStringLiteral("abc"), 1, 10};
  TextCommands::deleteSelection(box);
  QCOMPARE(box, (EditBoxText{QStringLiteral("a"), 1, 0}));
}

QTEST_GUILESS_MAIN(TestItemOperations)
#include "tst_item_operations.moc"
