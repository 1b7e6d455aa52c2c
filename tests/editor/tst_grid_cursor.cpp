#include <QTemporaryDir>
#include <QtTest>

#include "editor/grid_cursor.h"
#include "editor/word_list_document.h"
#include "startup/quorl_saver.h"
#include "startup/word_list.h"
#include "support/numbered_list.h"

using NavKey = GridCursor::NavKey;
Q_DECLARE_METATYPE(GridCursor::NavKey)

namespace {

// The editor's lists: a font for each column, both installed.
WordList twoFontList(int count) {
  return numberedList(count, QString(), QStringLiteral("DejaVu Sans"), QStringLiteral("IPAGothic"));
}

// The saver's `list` as a document, shown in a grid from its first item.
struct Fixture {
  QTemporaryDir home;
  QuorlSaver saver{home.path()};
  WordListDocument document{saver};
  GridCursor grid{document};

  explicit Fixture(const WordList& list) {
    saver.words = list;
    document.load();
    grid.resetToTop();
  }
  void type(const QString& text) { grid.setBoxText(grid.boxColumn(), text); }
};

}  // namespace

class TestGridCursor : public QObject {
  Q_OBJECT

 private slots:
  void gridShowsTheList_data();
  void gridShowsTheList();
  void emptyRowsIgnoreClicks();
  void emptyWordListOpensOneEmptyItem();
  void commitTrimsSpaces();
  void movingAwayUnchangedKeepsFlag();
  void keysMoveTheCell_data();
  void keysMoveTheCell();
  void scrollingKeepsTheCellInView();
};

void TestGridCursor::gridShowsTheList_data() {
  QTest::addColumn<int>("count");
  QTest::addColumn<bool>("scrolls");
  QTest::addColumn<int>("maximum");
  QTest::addColumn<int>("filledRows");
  QTest::addRow("12 items fill the grid") << 12 << false << 0 << 12;
  QTest::addRow("13 items scroll by one") << 13 << true << 1 << 12;
  QTest::addRow("3 items leave 9 rows empty") << 3 << false << 0 << 3;
}

void TestGridCursor::gridShowsTheList() {
  QFETCH(int, count);
  QFETCH(bool, scrolls);
  QFETCH(int, maximum);
  QFETCH(int, filledRows);
  Fixture f(twoFontList(count));
  QCOMPARE(f.document.editCount(), count);
  QCOMPARE(f.grid.scrollEnabled(), scrolls);
  QCOMPARE(f.grid.scrollMaximum(), maximum);
  QCOMPARE(f.grid.scrollValue(), 0);
  QCOMPARE(f.grid.countCaption(), QStringLiteral("x%1").arg(count));
  for (int row = 0; row < GridCursor::kRows; ++row) {
    QCOMPARE(f.grid.rowFilled(row), row < filledRows);
    if (row < filledRows) {
      QCOMPARE(f.grid.caption(0, row), QStringLiteral("q%1").arg(row + 1));
      QCOMPARE(f.grid.caption(1, row), QStringLiteral("a%1").arg(row + 1));
    }
  }
  QCOMPARE(f.grid.boxColumn(), 0);
  QCOMPARE(f.grid.boxRow(), 0);
  QCOMPARE(f.grid.boxText(0), QStringLiteral("q1"));
  QCOMPARE(f.grid.curItem(), 1);
}

void TestGridCursor::emptyRowsIgnoreClicks() {
  Fixture f(twoFontList(3));
  f.grid.clickCell(1, 2);
  QCOMPARE(f.grid.curItem(), 3);
  const quint64 serial = f.grid.boxSerial();
  f.grid.clickCell(0, 3);
  f.grid.clickCell(1, 11);
  QCOMPARE(f.grid.boxSerial(), serial);
  QCOMPARE(f.grid.curItem(), 3);
  QCOMPARE(f.grid.curCol(), 1);
  QCOMPARE(f.grid.curRow(), 2);
}

void TestGridCursor::emptyWordListOpensOneEmptyItem() {
  Fixture f(WordList{});
  QCOMPARE(f.document.editCount(), 1);
  QCOMPARE(f.document.text(0, 1), QString());
  QCOMPARE(f.document.text(1, 1), QString());
  QVERIFY(f.grid.rowFilled(0));
  QVERIFY(!f.grid.rowFilled(1));
  QCOMPARE(f.grid.countCaption(), QStringLiteral("x1"));
  QVERIFY(!f.document.editDirty());
}

void TestGridCursor::commitTrimsSpaces() {
  Fixture f(twoFontList(3));
  f.grid.clickCell(1, 1);
  f.type(QStringLiteral("  word  "));
  f.grid.clickCell(0, 2);
  QCOMPARE(f.document.text(1, 2), QStringLiteral("word"));
  QCOMPARE(f.grid.caption(1, 1), QStringLiteral("word"));
  QVERIFY(f.document.editDirty());
  // Tabs and inner spaces are the user's text.
  f.type(QStringLiteral(" a b\t"));
  f.grid.clickCell(0, 0);
  QCOMPARE(f.document.text(0, 3), QStringLiteral("a b\t"));
}

void TestGridCursor::movingAwayUnchangedKeepsFlag() {
  Fixture f(twoFontList(3));
  f.grid.clickCell(1, 0);
  f.type(QStringLiteral(" a1 "));  // the same text once trimmed
  f.grid.clickCell(1, 1);
  QVERIFY(!f.document.editDirty());
  f.type(QStringLiteral("changed"));
  f.grid.clickCell(1, 2);
  QVERIFY(f.document.editDirty());
  f.grid.clickCell(0, 0);  // nothing typed: the flag stays set
  QVERIFY(f.document.editDirty());
}

void TestGridCursor::keysMoveTheCell_data() {
  QTest::addColumn<int>("count");
  QTest::addColumn<int>("scroll");  // scroll value before the key
  QTest::addColumn<int>("column");  // cell clicked before the key
  QTest::addColumn<int>("row");
  QTest::addColumn<NavKey>("key");
  QTest::addColumn<bool>("caretAtEnd");  // else at 0
  QTest::addColumn<int>("wantItem");
  QTest::addColumn<int>("wantColumn");
  QTest::addColumn<int>("wantRow");
  QTest::addColumn<int>("wantScroll");

  QTest::addRow("right at end of question goes to its answer") << 20 << 0 << 0 << 4 << NavKey::Right << true << 5 << 1 << 4 << 0;
  QTest::addRow("right at end of answer goes to next question") << 20 << 0 << 1 << 4 << NavKey::Right << true << 6 << 0 << 5 << 0;
  QTest::addRow("right at end of answer on row 11 scrolls") << 20 << 0 << 1 << 11 << NavKey::Right << true << 13 << 0 << 11 << 1;
  QTest::addRow("right at end of last answer stays") << 20 << 8 << 1 << 11 << NavKey::Right << true << 20 << 1 << 11 << 8;
  QTest::addRow("right past the last item of a short list stays") << 3 << 0 << 1 << 2 << NavKey::Right << true << 3 << 1 << 2 << 0;
  QTest::addRow("right inside the text stays") << 20 << 0 << 0 << 4 << NavKey::Right << false << 5 << 0 << 4 << 0;
  QTest::addRow("left at start of answer goes to its question") << 20 << 3 << 1 << 6 << NavKey::Left << false << 10 << 0 << 6 << 3;
  QTest::addRow("left at start of question goes to previous answer") << 20 << 0 << 0 << 6 << NavKey::Left << false << 6 << 1 << 5 << 0;
  QTest::addRow("left at start of question on row 0 scrolls up") << 20 << 3 << 0 << 0 << NavKey::Left << false << 3 << 1 << 0 << 2;
  QTest::addRow("left at start of first question stays") << 20 << 0 << 0 << 0 << NavKey::Left << false << 1 << 0 << 0 << 0;
  QTest::addRow("left inside the text stays") << 20 << 0 << 1 << 4 << NavKey::Left << true << 5 << 1 << 4 << 0;
  QTest::addRow("down moves one row") << 20 << 0 << 1 << 3 << NavKey::Down << false << 5 << 1 << 4 << 0;
  QTest::addRow("enter moves like down") << 20 << 0 << 0 << 3 << NavKey::Enter << false << 5 << 0 << 4 << 0;
  QTest::addRow("down on row 11 scrolls") << 20 << 2 << 0 << 11 << NavKey::Down << false << 15 << 0 << 11 << 3;
  QTest::addRow("down on row 11 at the end stays") << 20 << 8 << 0 << 11 << NavKey::Down << false << 20 << 0 << 11 << 8;
  QTest::addRow("down into an empty row stays") << 3 << 0 << 0 << 2 << NavKey::Down << false << 3 << 0 << 2 << 0;
  QTest::addRow("down on row 11 of 12 items stays") << 12 << 0 << 1 << 11 << NavKey::Down << false << 12 << 1 << 11 << 0;
  QTest::addRow("up on row 0 scrolls") << 20 << 5 << 1 << 0 << NavKey::Up << false << 5 << 1 << 0 << 4;
  QTest::addRow("up at the top stays") << 20 << 0 << 1 << 0 << NavKey::Up << false << 1 << 1 << 0 << 0;
}

void TestGridCursor::keysMoveTheCell() {
  QFETCH(int, count);
  QFETCH(int, scroll);
  QFETCH(int, column);
  QFETCH(int, row);
  QFETCH(NavKey, key);
  QFETCH(bool, caretAtEnd);
  QFETCH(int, wantItem);
  QFETCH(int, wantColumn);
  QFETCH(int, wantRow);
  QFETCH(int, wantScroll);

  Fixture f(twoFontList(count));
  f.grid.setScrollValue(scroll);
  f.grid.clickCell(column, row);
  const int caret = caretAtEnd ? int(f.grid.boxText(column).size()) : 0;
  f.grid.keyDown(column, key, caret);

  QCOMPARE(f.grid.scrollValue(), wantScroll);
  QCOMPARE(f.grid.curItem(), wantItem);
  QCOMPARE(f.grid.curCol(), wantColumn);
  QCOMPARE(f.grid.openCol(), wantColumn);
  QCOMPARE(f.grid.curRow(), wantRow);
  QCOMPARE(f.grid.boxColumn(), wantColumn);
  QCOMPARE(f.grid.boxRow(), wantRow);
  const QString prefix = wantColumn == 0 ? QStringLiteral("q") : QStringLiteral("a");
  QCOMPARE(f.grid.boxText(wantColumn), prefix + QString::number(wantItem));
  // The grid shows the items from the scroll position on.
  QCOMPARE(f.grid.caption(0, 0), QStringLiteral("q%1").arg(wantScroll + 1));
  QVERIFY(!f.document.editDirty());
}

void TestGridCursor::scrollingKeepsTheCellInView() {
  Fixture f(twoFontList(40));
  f.grid.clickCell(1, 3);
  f.type(QStringLiteral("typed"));
  f.grid.setScrollValue(10);
  // The scroll commits first and then pulls the cell to the first visible row.
  QCOMPARE(f.document.text(1, 4), QStringLiteral("typed"));
  QCOMPARE(f.grid.curItem(), 11);
  QCOMPARE(f.grid.curRow(), 0);
  QCOMPARE(f.grid.boxText(1), QStringLiteral("a11"));
  f.grid.setScrollValue(99);  // beyond the end: the bar stops at its maximum
  QCOMPARE(f.grid.scrollValue(), 28);
  QCOMPARE(f.grid.caption(0, 11), QStringLiteral("q40"));
  QCOMPARE(f.grid.curItem(), 29);
  f.grid.clickCell(0, 11);
  QCOMPARE(f.grid.curItem(), 40);
}

QTEST_GUILESS_MAIN(TestGridCursor)
#include "tst_grid_cursor.moc"
