#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include "anki/anki_package.h"
#include "editor/editor_model.h"
#include "startup/extra_settings.h"
#include "editor/editor_texts.h"
#include "editor/item_operations.h"
#include "editor/list_search.h"
#include "startup/random_source.h"
#include "support/fake_user_dialogs.h"
#include "startup/file_io.h"
#include "startup/quorl_saver.h"
#include "startup/word_list.h"

using Answer = UserDialogs::Answer;
using NavKey = GridCursor::NavKey;
Q_DECLARE_METATYPE(GridCursor::NavKey)

namespace {

const QStringList kFonts{QStringLiteral("DejaVu Sans"), QStringLiteral("IPAGothic"),
                         QStringLiteral("ＭＳ 明朝"), QStringLiteral("Liberation Serif")};

WordList numberedList(int count) {
  WordList list;
  for (int i = 1; i <= count; ++i) list.append(QStringLiteral("q%1").arg(i), QStringLiteral("a%1").arg(i));
  list.questionFont = QStringLiteral("DejaVu Sans");
  list.answerFont = QStringLiteral("IPAGothic");
  return list;
}

// A saver with its home in a temporary folder and an editor opened on `list`.
struct Fixture {
  QTemporaryDir home;
  QuorlSaver saver{home.path()};
  FakeUserDialogs dialogs;
  EditorModel model{saver, dialogs};

  explicit Fixture(const WordList& list, const QStringList& families = kFonts) {
    saver.words = list;
    model.load(families);
  }
  const WordListDocument& doc() const { return model.document(); }
  const GridCursor& grid() const { return model.grid(); }
  const FontChoosers& fonts() const { return model.fonts(); }
  QString path(const QString& name) const { return QDir(home.path()).filePath(name); }
  void type(const QString& text) { model.setBoxText(model.grid().boxColumn(), text); }
};

}  // namespace

class TestEditorModel : public QObject {
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
  void fontListLeavesOutSystemFaces();
  void firstFontApplicationIsNotAnEdit();
  void doubleByteFontAsksForKana();
  void openWithMissingFontFallsBack();
  void openRefusesWhatIsNotAList();
  void longListIsNeverOverwrittenInPlace_data();
  void longListIsNeverOverwrittenInPlace();
  void overwriteAsksWhenTheFileIsNotAsRead_data();
  void overwriteAsksWhenTheFileIsNotAsRead();
  void fontPickAfterOpenIsAnEdit();
  void saveDropsBlankItems();
  void saveDropsBlankItemsOfAScrolledGrid();
  void saveOfOnlyBlankItemsIsRefused();
  void savingTheDefaultListShowsDefault();
  void failedSaveKeepsOldFileAndFlag_data();
  void failedSaveKeepsOldFileAndFlag();
  void guardMessagesHaveTheirLineEnds();
  void guardYesWithCancelledSaveKeepsList();
  void typedTextCountsBeforeNew();
  void okWithChangesAnsweredNoKeepsSaverList();
  void okWithChangesAnsweredYesSavesAndStays();
  void okAppliesListAndFields();
  void okOverTheFlashcardLinksWords();
  void closeGuard_data();
  void closeGuard();
  void companionIndicator_data();
  void companionIndicator();
  void insertOnLastRowScrolls();
  void deleteDropsUncommittedText();
  void deleteOfOnlyItemIsRefused();
  void moveCarriesTheItem();
  void sortCommitsAndReturnsToTop();
  void shuffleKeepsPairs();
  void searchMovesTheCellToTheMatch();
  void searchWithoutMatchTellsTheUser();
  void importTextMakesNewList();
  void importFailureKeepsList_data();
  void importFailureKeepsList();
  void importVcbTakesHeaderFonts();
};

void TestEditorModel::gridShowsTheList_data() {
  QTest::addColumn<int>("count");
  QTest::addColumn<bool>("scrolls");
  QTest::addColumn<int>("maximum");
  QTest::addColumn<int>("filledRows");
  QTest::addRow("12 items fill the grid") << 12 << false << 0 << 12;
  QTest::addRow("13 items scroll by one") << 13 << true << 1 << 12;
  QTest::addRow("3 items leave 9 rows empty") << 3 << false << 0 << 3;
}

void TestEditorModel::gridShowsTheList() {
  QFETCH(int, count);
  QFETCH(bool, scrolls);
  QFETCH(int, maximum);
  QFETCH(int, filledRows);
  Fixture f(numberedList(count));
  QCOMPARE(f.doc().editCount(), count);
  QCOMPARE(f.grid().scrollEnabled(), scrolls);
  QCOMPARE(f.grid().scrollMaximum(), maximum);
  QCOMPARE(f.grid().scrollValue(), 0);
  QCOMPARE(f.grid().countCaption(), QStringLiteral("x%1").arg(count));
  for (int row = 0; row < GridCursor::kRows; ++row) {
    QCOMPARE(f.grid().rowFilled(row), row < filledRows);
    if (row < filledRows) {
      QCOMPARE(f.grid().caption(0, row), QStringLiteral("q%1").arg(row + 1));
      QCOMPARE(f.grid().caption(1, row), QStringLiteral("a%1").arg(row + 1));
    }
  }
  QCOMPARE(f.grid().boxColumn(), 0);
  QCOMPARE(f.grid().boxRow(), 0);
  QCOMPARE(f.grid().boxText(0), QStringLiteral("q1"));
  QCOMPARE(f.grid().curItem(), 1);
}

void TestEditorModel::emptyRowsIgnoreClicks() {
  Fixture f(numberedList(3));
  f.model.clickCell(1, 2);
  QCOMPARE(f.grid().curItem(), 3);
  const quint64 serial = f.grid().boxSerial();
  f.model.clickCell(0, 3);
  f.model.clickCell(1, 11);
  QCOMPARE(f.grid().boxSerial(), serial);
  QCOMPARE(f.grid().curItem(), 3);
  QCOMPARE(f.grid().curCol(), 1);
  QCOMPARE(f.grid().curRow(), 2);
}

void TestEditorModel::emptyWordListOpensOneEmptyItem() {
  Fixture f(WordList{});
  QCOMPARE(f.doc().editCount(), 1);
  QCOMPARE(f.doc().text(0, 1), QString());
  QCOMPARE(f.doc().text(1, 1), QString());
  QVERIFY(f.grid().rowFilled(0));
  QVERIFY(!f.grid().rowFilled(1));
  QCOMPARE(f.grid().countCaption(), QStringLiteral("x1"));
  QVERIFY(!f.doc().editDirty());
}

void TestEditorModel::commitTrimsSpaces() {
  Fixture f(numberedList(3));
  f.model.clickCell(1, 1);
  f.type(QStringLiteral("  word  "));
  f.model.clickCell(0, 2);
  QCOMPARE(f.doc().text(1, 2), QStringLiteral("word"));
  QCOMPARE(f.grid().caption(1, 1), QStringLiteral("word"));
  QVERIFY(f.doc().editDirty());
  // Tabs and inner spaces are the user's text.
  f.type(QStringLiteral(" a b\t"));
  f.model.clickCell(0, 0);
  QCOMPARE(f.doc().text(0, 3), QStringLiteral("a b\t"));
}

void TestEditorModel::movingAwayUnchangedKeepsFlag() {
  Fixture f(numberedList(3));
  f.model.clickCell(1, 0);
  f.type(QStringLiteral(" a1 "));  // the same text once trimmed
  f.model.clickCell(1, 1);
  QVERIFY(!f.doc().editDirty());
  f.type(QStringLiteral("changed"));
  f.model.clickCell(1, 2);
  QVERIFY(f.doc().editDirty());
  f.model.clickCell(0, 0);  // nothing typed: the flag stays set
  QVERIFY(f.doc().editDirty());
}

void TestEditorModel::keysMoveTheCell_data() {
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

void TestEditorModel::keysMoveTheCell() {
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

  Fixture f(numberedList(count));
  f.model.setScrollValue(scroll);
  f.model.clickCell(column, row);
  const int caret = caretAtEnd ? int(f.grid().boxText(column).size()) : 0;
  f.model.keyDown(column, key, caret);

  QCOMPARE(f.grid().scrollValue(), wantScroll);
  QCOMPARE(f.grid().curItem(), wantItem);
  QCOMPARE(f.grid().curCol(), wantColumn);
  QCOMPARE(f.grid().openCol(), wantColumn);
  QCOMPARE(f.grid().curRow(), wantRow);
  QCOMPARE(f.grid().boxColumn(), wantColumn);
  QCOMPARE(f.grid().boxRow(), wantRow);
  const QString prefix = wantColumn == 0 ? QStringLiteral("q") : QStringLiteral("a");
  QCOMPARE(f.grid().boxText(wantColumn), prefix + QString::number(wantItem));
  // The grid shows the items from the scroll position on.
  QCOMPARE(f.grid().caption(0, 0), QStringLiteral("q%1").arg(wantScroll + 1));
  QVERIFY(!f.doc().editDirty());
}

void TestEditorModel::scrollingKeepsTheCellInView() {
  Fixture f(numberedList(40));
  f.model.clickCell(1, 3);
  f.type(QStringLiteral("typed"));
  f.model.setScrollValue(10);
  // The scroll commits first and then pulls the cell to the first visible row.
  QCOMPARE(f.doc().text(1, 4), QStringLiteral("typed"));
  QCOMPARE(f.grid().curItem(), 11);
  QCOMPARE(f.grid().curRow(), 0);
  QCOMPARE(f.grid().boxText(1), QStringLiteral("a11"));
  f.model.setScrollValue(99);  // beyond the end: the bar stops at its maximum
  QCOMPARE(f.grid().scrollValue(), 28);
  QCOMPARE(f.grid().caption(0, 11), QStringLiteral("q40"));
  QCOMPARE(f.grid().curItem(), 29);
  f.model.clickCell(0, 11);
  QCOMPARE(f.grid().curItem(), 40);
}

void TestEditorModel::fontListLeavesOutSystemFaces() {
  const QStringList families{QStringLiteral("@IPAGothic"), QStringLiteral("System"), QStringLiteral("FixedSys"),
                             QStringLiteral("Fixedsys"),   QStringLiteral("system"), QStringLiteral("IPAGothic"),
                             QStringLiteral("Sans @ Serif")};
  Fixture f(numberedList(2), families);
  QCOMPARE(f.fonts().fontList(), (QStringList{QStringLiteral("Fixedsys"), QStringLiteral("system"),
                                            QStringLiteral("IPAGothic"), QStringLiteral("Sans @ Serif")}));
  // The list's question font is listed, its answer font (IPAGothic) too.
  QCOMPARE(f.fonts().font(1).text, QStringLiteral("IPAGothic"));
  QCOMPARE(f.fonts().font(1).picked, 2);
  // DejaVu Sans is not installed here: the fallback name, with no entry picked.
  QCOMPARE(f.fonts().font(0).text, kFallbackListFont);
  QCOMPARE(f.fonts().font(0).picked, -1);
}

void TestEditorModel::firstFontApplicationIsNotAnEdit() {
  Fixture f(numberedList(2));
  QVERIFY(f.model.fontTick());  // applies the list's own fonts
  QCOMPARE(f.fonts().font(0).appliedName, QStringLiteral("DejaVu Sans"));
  QCOMPARE(f.fonts().font(1).appliedName, QStringLiteral("IPAGothic"));
  QVERIFY(!f.doc().editDirty());
  QVERIFY(!f.model.fontTick());  // nothing new picked

  f.model.pickFont(0, 3);
  QVERIFY(!f.doc().editDirty());  // a pick alone changes nothing until the tick
  QVERIFY(f.model.fontTick());
  QCOMPARE(f.fonts().font(0).appliedName, QStringLiteral("Liberation Serif"));
  QVERIFY(f.doc().editDirty());
}

void TestEditorModel::doubleByteFontAsksForKana() {
  Fixture f(numberedList(2));
  f.model.fontTick();
  QCOMPARE(f.fonts().font(0).inputMode, kInputFree);
  f.model.pickFont(0, 2);  // "ＭＳ 明朝"
  f.model.fontTick();
  QCOMPARE(f.fonts().font(0).inputMode, kInputHiragana);
  QVERIFY(!FontChoosers::hasDoubleByte(QStringLiteral("ｺﾞｼｯｸ Sans")));  // half-width kana are single bytes
  QVERIFY(FontChoosers::hasDoubleByte(QStringLiteral("IPAゴシック")));
}

void TestEditorModel::openWithMissingFontFallsBack() {
  Fixture f(numberedList(2));
  f.model.fontTick();
  WordList onDisk = numberedList(5);
  onDisk.questionFont = QStringLiteral("Not Installed Face");
  onDisk.answerFont = QStringLiteral("Liberation Serif");
  const QString file = f.path(QStringLiteral("other.dgl"));
  QVERIFY(WordListFile::write(file, onDisk));

  f.dialogs.chooseFile(file);
  f.model.fileOpen();
  QCOMPARE(f.doc().editCount(), 5);
  QCOMPARE(f.doc().editFile(), file);
  QCOMPARE(f.doc().nameBox(), QStringLiteral("other.dgl"));
  QCOMPARE(f.doc().ownList(), uint8_t(1));
  QCOMPARE(f.fonts().font(0).text, kFallbackListFont);
  QCOMPARE(f.fonts().font(1).text, QStringLiteral("Liberation Serif"));
  QCOMPARE(f.dialogs.fileDialogs.at(0).request.filter, QStringLiteral("Driftglyph ﾌｧｲﾙ(*.dgl)|*.dgl"));

  // The timer applies the new fonts without counting them as an edit.
  QVERIFY(f.model.fontTick());
  QCOMPARE(f.fonts().font(0).appliedName, kFallbackListFont);
  QCOMPARE(f.fonts().font(1).appliedName, QStringLiteral("Liberation Serif"));
  QVERIFY(!f.doc().editDirty());

  // The saved list carries the fallback name.
  f.model.clickCell(0, 0);
  f.type(QStringLiteral("edited"));
  QCOMPARE(f.model.overwrite(), EditorModel::SaveOutcome::Saved);
  const std::optional<WordList> saved = WordListFile::read(file);
  QVERIFY(saved);
  QCOMPARE(saved->questionFont, kFallbackListFont);
  QCOMPARE(saved->question(1), QStringLiteral("edited"));
}

void TestEditorModel::openRefusesWhatIsNotAList() {
  Fixture f(numberedList(4));
  f.model.clickCell(1, 2);
  const QString garbage = f.path(QStringLiteral("garbage.dgl"));
  QVERIFY(FileIo::writeAtomically(garbage, QByteArray("\x8f\x03\xd2\xff\x00\x7fz,\"\r\n\x91", 12)));
  for (const QString& file : {f.path(QStringLiteral("nowhere.dgl")), garbage}) {
    f.dialogs.chooseFile(file);
    f.model.fileOpen();
  }
  // Nothing changes: list, fonts, file name and the cell stay as they were.
  QCOMPARE(f.dialogs.messageTexts(), QStringList(2, QStringLiteral("ﾌｧｲﾙを開けません")));
  QCOMPARE(f.doc().editQ(), numberedList(4).questions);
  QCOMPARE(f.fonts().font(0).text, QStringLiteral("DejaVu Sans"));
  QCOMPARE(f.doc().editFile(), QStringLiteral("DEFAULT"));
  QCOMPARE(f.grid().curItem(), 3);
  f.dialogs.chooseFile(QString());  // cancelled: no message
  f.model.fileOpen();
  QCOMPARE(f.dialogs.messages.size(), 2);
}

void TestEditorModel::longListIsNeverOverwrittenInPlace_data() {
  QTest::addColumn<bool>("opened");  // by File, Open; else it is the saver's own list
  QTest::addColumn<int>("pairs");    // then a line longer than is read, when the count is reached
  QTest::addRow("File, Open") << true << 40000;
  QTest::addRow("the saver's list") << false << 40000;
  QTest::addRow("File, Open, longer than is read") << true << kMaxPairs;
  QTest::addRow("the saver's list, longer than is read") << false << kMaxPairs;
}

void TestEditorModel::longListIsNeverOverwrittenInPlace() {
  QFETCH(bool, opened);
  QFETCH(int, pairs);
  Fixture f(numberedList(3));
  const QString file = f.path(QStringLiteral("long.dgl"));
  QByteArray bytes = QByteArray::number(pairs) + ",\"f\",\"g\"\r\n";
  for (int i = 1; i <= pairs; ++i) bytes += QStringLiteral("\"q%1\",\"a%1\"\r\n").arg(i).toUtf8();
  if (pairs == kMaxPairs) bytes += QByteArray(9 << 20, 'x');
  QVERIFY(FileIo::writeAtomically(file, bytes));
  f.saver.settings.wordListPath = file;
  f.saver.loadOwnWordList();
  if (opened) f.dialogs.chooseFile(file);
  opened ? f.model.fileOpen() : f.model.load(kFonts);
  QCOMPARE(f.doc().editCount(), kMaxPairs);
  // Open tells how many pairs were left out; of the saver's list the settings dialog told.
  const QString leftOut = EditorTexts::leftOutMessage(LeftOut{40000 - kMaxPairs}, kMaxPairs, true);
  QCOMPARE(f.dialogs.messageTexts(), opened && pairs > kMaxPairs ? QStringList{leftOut} : QStringList());

  f.type(QStringLiteral("q1!"));
  f.dialogs.chooseFile(QString());
  QCOMPARE(f.model.overwrite(), EditorModel::SaveOutcome::Cancelled);  // it asked for a name
  QCOMPARE(FileIo::readStart(file, 16 << 20)->bytes, bytes);

  // Saved under a name typed without extension, the list has a file of its own again.
  f.dialogs.chooseFile(f.path(QStringLiteral("copy")));
  QCOMPARE(f.model.saveAs(), EditorModel::SaveOutcome::Saved);
  f.type(QStringLiteral("q1!!"));
  QCOMPARE(f.model.overwrite(), EditorModel::SaveOutcome::Saved);
  QCOMPARE(WordListFile::read(f.path(QStringLiteral("copy.dgl")))->question(1), QStringLiteral("q1!!"));
}

// A file whose unreadable bytes would be lost, or that changed on disk since
// it was read (another editor saved it), is written over only when the user
// says so; else saving asks for a name.
void TestEditorModel::overwriteAsksWhenTheFileIsNotAsRead_data() {
  QTest::addColumn<bool>("badByte");  // else changed since read
  QTest::addColumn<bool>("yes");
  QTest::addRow("unreadable bytes, overwrite") << true << true;
  QTest::addRow("unreadable bytes, keep") << true << false;
  QTest::addRow("changed since read, overwrite") << false << true;
  QTest::addRow("changed since read, keep") << false << false;
}

void TestEditorModel::overwriteAsksWhenTheFileIsNotAsRead() {
  QFETCH(bool, badByte);
  QFETCH(bool, yes);
  Fixture f(numberedList(3));
  const QString file = f.path(QStringLiteral("shared.dgl"));
  QVERIFY(FileIo::writeAtomically(file, badByte ? QByteArray("1,f,g\r\ncaf\xe9,x\r\n") : WordListFile::format(numberedList(2))));
  f.dialogs.chooseFile(file);
  f.model.fileOpen();
  if (!badByte) QVERIFY(FileIo::writeAtomically(file, WordListFile::format(numberedList(5))));
  const QByteArray before = FileIo::readStart(file, 1 << 20)->bytes;
  f.type(QStringLiteral("mine"));
  f.dialogs.answer(yes ? Answer::Yes : Answer::No);
  f.dialogs.chooseFile(QString());
  QCOMPARE(f.model.overwrite(), yes ? EditorModel::SaveOutcome::Saved : EditorModel::SaveOutcome::Cancelled);
  QCOMPARE(f.dialogs.messageTexts().last(), badByte ? EditorTexts::kOverwriteBadLinesQuestion : EditorTexts::kChangedOnDiskQuestion);
  QCOMPARE(FileIo::readStart(file, 1 << 20)->bytes == before, !yes);
}

void TestEditorModel::fontPickAfterOpenIsAnEdit() {
  Fixture f(numberedList(2));
  f.model.fontTick();
  // A list in the fonts already applied: the timer has nothing to apply after Open.
  const QString file = f.path(QStringLiteral("same.dgl"));
  QVERIFY(WordListFile::write(file, numberedList(5)));
  f.dialogs.chooseFile(file);
  f.model.fileOpen();
  QVERIFY(!f.model.fontTick());
  f.model.pickFont(0, 3);
  QVERIFY(f.model.fontTick());
  QVERIFY(f.doc().editDirty());
}

void TestEditorModel::saveDropsBlankItems() {
  WordList list = numberedList(5);
  list.questions[1] = QStringLiteral("  ");
  list.answers[1] = QString();
  list.questions[3] = QStringLiteral(" ");
  list.answers[3] = QStringLiteral("   ");
  list.answers[4] = QStringLiteral(" a5 ");  // kept texts are written as they stand
  Fixture f(list);
  f.model.clickCell(1, 2);
  const QString file = f.path(QStringLiteral("compact.dgl"));
  QCOMPARE(f.model.saveQqAa(file), EditorModel::SaveOutcome::Saved);

  QCOMPARE(f.doc().editQ(), (QStringList{"q1", "q3", "q5"}));
  QCOMPARE(f.grid().countCaption(), QStringLiteral("x3"));
  QCOMPARE(f.grid().curItem(), 1);
  QCOMPARE(f.grid().curCol(), 0);
  QCOMPARE(f.grid().boxText(0), QStringLiteral("q1"));
  QVERIFY(!f.grid().rowFilled(3));
  const std::optional<WordList> saved = WordListFile::read(file);
  QVERIFY(saved);
  QCOMPARE(saved->questions, (QStringList{"q1", "q3", "q5"}));
  QCOMPARE(saved->answers, (QStringList{"a1", "a3", " a5 "}));
  QVERIFY(!f.doc().editDirty());
  QCOMPARE(f.doc().editFile(), file);
}

void TestEditorModel::saveDropsBlankItemsOfAScrolledGrid() {
  // The box still holds the text of item 20 when the grid returns to the top:
  // it must not be taken for an edit of item 1.
  WordList list = numberedList(30);
  list.questions[1] = list.answers[1] = QString();
  Fixture f(list);
  f.model.setScrollValue(10);
  f.model.clickCell(0, 9);  // item 20
  QCOMPARE(f.model.overwrite(), EditorModel::SaveOutcome::Cancelled);  // DEFAULT: asks for a name
  f.dialogs.chooseFile(f.path(QStringLiteral("scrolled.dgl")));
  QCOMPARE(f.model.saveAs(), EditorModel::SaveOutcome::Saved);
  QCOMPARE(f.doc().editCount(), 29);
  QCOMPARE(f.doc().text(0, 1), QStringLiteral("q1"));
  QCOMPARE(f.doc().text(0, 19), QStringLiteral("q20"));
  QCOMPARE(f.grid().scrollValue(), 0);
  QCOMPARE(f.grid().caption(0, 1), QStringLiteral("q3"));
  QCOMPARE(f.grid().boxText(0), QStringLiteral("q1"));
  QVERIFY(!f.doc().editDirty());
  f.model.clickCell(0, 5);  // moving away finds nothing to commit
  QVERIFY(!f.doc().editDirty());
  QCOMPARE(WordListFile::read(f.path(QStringLiteral("scrolled.dgl")))->question(1), QStringLiteral("q1"));
}

void TestEditorModel::saveOfOnlyBlankItemsIsRefused() {
  WordList blank;
  blank.append(QStringLiteral(" "), QString());
  blank.append(QString(), QStringLiteral("  "));
  Fixture f(blank);
  const QString file = f.path(QStringLiteral("blank.dgl"));
  QCOMPARE(f.model.saveAs(), EditorModel::SaveOutcome::NothingToSave);
  QCOMPARE(f.model.saveQqAa(file), EditorModel::SaveOutcome::NothingToSave);
  QCOMPARE(f.dialogs.messageTexts(),
           (QStringList{QStringLiteral("何も無いので保存できません!!"), QStringLiteral("何も無いので保存できません")}));
  QVERIFY(f.dialogs.fileDialogs.isEmpty());
  QVERIFY(!QFile::exists(file));
  QCOMPARE(f.doc().editCount(), 2);
}

void TestEditorModel::savingTheDefaultListShowsDefault() {
  Fixture f(numberedList(3));
  f.model.clickCell(0, 1);
  f.type(QStringLiteral("changed"));
  f.dialogs.chooseFile(f.saver.defaultListPath());
  QCOMPARE(f.model.saveAs(), EditorModel::SaveOutcome::Saved);
  QCOMPARE(f.doc().editFile(), QStringLiteral("DEFAULT"));
  QCOMPARE(f.doc().nameBox(), QStringLiteral("DEFAULT"));
  QCOMPARE(WordListFile::read(f.saver.defaultListPath())->question(2), QStringLiteral("changed"));

  // Overwrite does not take the word DEFAULT for a file: it asks for a name.
  f.dialogs.chooseFile(QString());
  QCOMPARE(f.model.overwrite(), EditorModel::SaveOutcome::Cancelled);
  QCOMPARE(f.dialogs.fileDialogs.size(), 2);
  QVERIFY(f.dialogs.fileDialogs.at(1).save);

  // An existing file is replaced only after Yes.
  const QString other = f.path(QStringLiteral("other.dgl"));
  QVERIFY(FileIo::writeAtomically(other, "keep"));
  f.dialogs.chooseFile(other);
  f.dialogs.answer(Answer::No);
  QCOMPARE(f.model.saveAs(), EditorModel::SaveOutcome::Declined);
  QCOMPARE(f.dialogs.messages.last().text, QStringLiteral("上書しますか？"));
  QCOMPARE(FileIo::readStart(other, 1 << 20)->bytes, QByteArray("keep"));
}

void TestEditorModel::failedSaveKeepsOldFileAndFlag_data() {
  QTest::addColumn<bool>("readOnlyFolder");  // else the folder has gone
  QTest::addRow("folder removed") << false;
  QTest::addRow("read-only folder keeps the old file") << true;
}

void TestEditorModel::failedSaveKeepsOldFileAndFlag() {
  QFETCH(bool, readOnlyFolder);
  Fixture f(numberedList(3));
  const QString folder = f.path(QStringLiteral("target"));
  const QString file = QDir(folder).filePath(QStringLiteral("list.dgl"));
  if (readOnlyFolder) {
    QVERIFY(QDir().mkpath(folder));
    QVERIFY(FileIo::writeAtomically(file, "old contents"));
    QVERIFY(QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::ExeOwner));
    if (FileIo::writeAtomically(QDir(folder).filePath(QStringLiteral("probe")), "x"))
      QSKIP("the folder stays writable for this user (root)");
  }

  f.model.clickCell(0, 0);
  f.type(QStringLiteral("edited"));
  const EditorModel::SaveOutcome outcome = f.model.saveQqAa(file);
  if (readOnlyFolder)
    QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
  QCOMPARE(outcome, EditorModel::SaveOutcome::Failed);
  QCOMPARE(f.dialogs.messageTexts(), QStringList{QStringLiteral("ﾌｧｲﾙを保存できません")});
  QVERIFY(f.doc().editDirty());
  QCOMPARE(f.doc().editFile(), QStringLiteral("DEFAULT"));
  QCOMPARE(f.doc().text(0, 1), QStringLiteral("edited"));
  if (readOnlyFolder) QCOMPARE(FileIo::readStart(file, 1 << 20)->bytes, QByteArray("old contents"));
  else QVERIFY(!QFile::exists(file));
  // Closing still asks: the edit was not saved.
  f.dialogs.answer(Answer::Cancel);
  QVERIFY(!f.model.mayClose());
}

void TestEditorModel::guardMessagesHaveTheirLineEnds() {
  // The replace question joins its lines LF then CR; the close and OK questions CR LF.
  QCOMPARE(EditorTexts::kReplaceQuestion.toUtf8(),
           QByteArray("このまま進むと\n\r今編集しているデータが無くなります\n\r保存しますか？"));
  QCOMPARE(EditorTexts::kCloseQuestion.toUtf8(),
           QByteArray("このまま閉じると現在編集しているデータはなくなります。\r\n保存しますか？"));
  QCOMPARE(EditorTexts::kOkQuestion.toUtf8(),
           QByteArray("保存しないと現在編集しているデータは有効になりません。\r\n保存しますか？"));
  // Pairs left out of a file too long to count to its end are a lower bound.
  QVERIFY(EditorTexts::leftOutMessage(LeftOut{7, true}, kMaxPairs, false).endsWith(QStringLiteral("\r\n残りの7項目以上は読み込んでいません。")));

  Fixture f(numberedList(3));
  f.model.clickCell(0, 0);
  f.type(QStringLiteral("x"));
  f.model.clickCell(0, 1);
  f.dialogs.answer(Answer::Cancel);
  f.model.fileNew();
  QCOMPARE(f.dialogs.messages.size(), 1);
  QCOMPARE(f.dialogs.messages.at(0).text, EditorTexts::kReplaceQuestion);
  QCOMPARE(f.dialogs.messages.at(0).buttons, UserDialogs::Buttons::YesNoCancel);
  QCOMPARE(f.doc().editCount(), 3);  // Cancel keeps the list

  f.dialogs.answer(Answer::No);
  f.model.fileNew();
  QCOMPARE(f.doc().editCount(), 1);
  QCOMPARE(f.doc().editFile(), QStringLiteral("NEW"));
  QCOMPARE(f.doc().nameBox(), QStringLiteral("NEW"));
  QVERIFY(f.doc().editDirty());  // New leaves the flag as it was
}

void TestEditorModel::guardYesWithCancelledSaveKeepsList() {
  Fixture f(numberedList(3));
  f.model.clickCell(1, 2);
  f.type(QStringLiteral("precious"));
  f.model.clickCell(0, 0);
  f.dialogs.answer(Answer::Yes);
  f.dialogs.chooseFile(QString());  // the save dialog is cancelled
  f.model.fileNew();
  QCOMPARE(f.doc().editCount(), 3);
  QCOMPARE(f.doc().text(1, 3), QStringLiteral("precious"));

  // Saved for real: then the list is replaced.
  const QString file = f.path(QStringLiteral("kept.dgl"));
  f.dialogs.answer(Answer::Yes);
  f.dialogs.chooseFile(file);
  f.model.fileNew();
  QCOMPARE(f.doc().editCount(), 1);
  QCOMPARE(WordListFile::read(file)->answer(3), QStringLiteral("precious"));
}

void TestEditorModel::typedTextCountsBeforeNew() {
  Fixture f(numberedList(3));
  f.type(QStringLiteral("typed, not yet committed"));
  f.dialogs.answer(Answer::Cancel);
  f.model.fileNew();
  QCOMPARE(f.dialogs.messages.size(), 1);
  QCOMPARE(f.doc().text(0, 1), QStringLiteral("typed, not yet committed"));
}

void TestEditorModel::okWithChangesAnsweredNoKeepsSaverList() {
  Fixture f(numberedList(3));
  const WordList before = f.saver.words;
  f.model.clickCell(0, 2);
  f.type(QStringLiteral("changed"));
  f.model.clickCell(0, 0);
  f.dialogs.answer(Answer::Cancel);
  QCOMPARE(f.model.ok(), EditorModel::OkOutcome::StayOpen);
  QVERIFY(f.doc().editDirty());
  f.dialogs.answer(Answer::No);
  QCOMPARE(f.model.ok(), EditorModel::OkOutcome::Discarded);
  QCOMPARE(f.dialogs.messages.at(1).text, EditorTexts::kOkQuestion);
  QCOMPARE(f.saver.words, before);
  QCOMPARE(f.saver.settings.wordListPath, QStringLiteral("DEFAULT"));
}

void TestEditorModel::okWithChangesAnsweredYesSavesAndStays() {
  Fixture f(numberedList(3));
  const QString file = f.path(QStringLiteral("mine.dgl"));
  f.type(QStringLiteral("first"));  // still in the box when OK is pressed
  f.dialogs.answer(Answer::Yes);
  f.dialogs.chooseFile(file);
  QCOMPARE(f.model.ok(), EditorModel::OkOutcome::StayOpen);
  QCOMPARE(WordListFile::read(file)->question(1), QStringLiteral("first"));
  QVERIFY(!f.doc().editDirty());
  QCOMPARE(f.saver.words.question(1), QStringLiteral("q1"));  // nothing applied yet

  QCOMPARE(f.model.ok(), EditorModel::OkOutcome::Applied);
  QCOMPARE(f.saver.words.question(1), QStringLiteral("first"));
  QCOMPARE(f.saver.settings.wordListPath, file);
  QCOMPARE(f.saver.settings.ownList, uint8_t(1));
}

// Opened on the flashcard link's words, OK keeps the link unless another
// list was saved or opened: then that list is the user's choice.
void TestEditorModel::okOverTheFlashcardLinksWords() {
  QTemporaryDir home;
  QuorlSaver saver(home.path());
  saver.setExtraSource([](const QuorlSaver&) { return std::optional(QuorlSaver::ExtraWords{numberedList(2), "Anki"}); });
  ExtraSettings extra;
  extra.words = ExtraSettings::WordSource::Anki;
  QVERIFY(ExtraSettingsFile::save(home.path(), extra));
  saver.load();
  FakeUserDialogs dialogs;
  EditorModel model(saver, dialogs);
  model.load(kFonts);
  QCOMPARE(model.document().nameBox(), QStringLiteral("Anki"));
  QCOMPARE(model.ok(), EditorModel::OkOutcome::Discarded);

  const QString file = QDir(home.path()).filePath(QStringLiteral("own.dgl"));
  dialogs.chooseFile(file);
  QCOMPARE(model.saveAs(), EditorModel::SaveOutcome::Saved);
  QCOMPARE(model.ok(), EditorModel::OkOutcome::Applied);
  QCOMPARE(saver.settings.wordListPath, file);
  QVERIFY(saver.extraSourceName().isEmpty());
  QCOMPARE(ExtraSettingsFile::load(home.path()).words, ExtraSettings::WordSource::Settings);
}

void TestEditorModel::okAppliesListAndFields() {
  QTemporaryDir home;
  QuorlSaver saver(home.path());
  saver.words = numberedList(2);
  saver.settings.linkState = 1;  // following the companion's words
  saver.settings.ownList = 0;
  saver.companionState = 0;
  FakeUserDialogs dialogs;
  EditorModel model(saver, dialogs);
  model.load(kFonts);
  QCOMPARE(model.document().nameBox(), QStringLiteral("Quorling"));

  const QString file = QDir(home.path()).filePath(QStringLiteral("own.dgl"));
  QVERIFY(WordListFile::write(file, numberedList(14)));
  dialogs.chooseFile(file);
  model.fileOpen();
  QVERIFY(model.document().crossShown());
  model.pickFont(1, 3);  // picked but not yet applied by the timer: OK takes the chooser's text
  QCOMPARE(model.ok(), EditorModel::OkOutcome::Applied);
  QCOMPARE(saver.words.count(), 14);
  QCOMPARE(saver.words.questions, numberedList(14).questions);
  QCOMPARE(saver.words.answers, numberedList(14).answers);
  QCOMPARE(saver.words.questionFont, QStringLiteral("DejaVu Sans"));
  QCOMPARE(saver.words.answerFont, QStringLiteral("Liberation Serif"));
  QCOMPARE(saver.settings.wordListPath, file);
  QCOMPARE(saver.settings.ownList, uint8_t(1));
  QCOMPARE(saver.settings.linkState, uint8_t(1));
  QCOMPARE(saver.companionState, uint8_t(0));
  QVERIFY(dialogs.messages.isEmpty());
}

void TestEditorModel::closeGuard_data() {
  QTest::addColumn<bool>("dirty");
  QTest::addColumn<int>("answer");
  QTest::addColumn<bool>("mayClose");
  QTest::addColumn<bool>("saved");
  QTest::addRow("unchanged closes without asking") << false << -1 << true << false;
  QTest::addRow("no discards") << true << int(Answer::No) << true << false;
  QTest::addRow("cancel stays") << true << int(Answer::Cancel) << false << false;
  QTest::addRow("yes saves and stays") << true << int(Answer::Yes) << false << true;
}

void TestEditorModel::closeGuard() {
  QFETCH(bool, dirty);
  QFETCH(int, answer);
  QFETCH(bool, mayClose);
  QFETCH(bool, saved);
  Fixture f(numberedList(3));
  const QString file = f.path(QStringLiteral("guard.dgl"));
  if (dirty) f.type(QStringLiteral("uncommitted"));
  if (answer >= 0) f.dialogs.answer(Answer(answer));
  f.dialogs.chooseFile(file);
  QCOMPARE(f.model.mayClose(), mayClose);
  QCOMPARE(f.dialogs.messages.size(), dirty ? 1 : 0);
  if (dirty) QCOMPARE(f.dialogs.messages.at(0).text, EditorTexts::kCloseQuestion);
  QCOMPARE(QFile::exists(file), saved);
  if (saved) {
    QVERIFY(!f.doc().editDirty());
    QVERIFY(f.model.mayClose());  // a second close does not ask again
    QCOMPARE(f.dialogs.messages.size(), 1);
  }
}

void TestEditorModel::companionIndicator_data() {
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

void TestEditorModel::companionIndicator() {
  QFETCH(int, linkState);
  QFETCH(int, ownList);
  QFETCH(int, companionState);
  QFETCH(QString, mark);
  QFETCH(QString, name);
  QTemporaryDir home;
  QuorlSaver saver(home.path());
  saver.words = numberedList(2);
  saver.settings.linkState = uint8_t(linkState);
  saver.settings.ownList = uint8_t(ownList);
  saver.companionState = uint8_t(companionState);
  FakeUserDialogs dialogs;
  EditorModel model(saver, dialogs);
  model.load(kFonts);
  QCOMPARE(model.document().crossShown(), mark == QLatin1String("cross"));
  QCOMPARE(model.document().circleShown(), mark == QLatin1String("circle"));
  QCOMPARE(model.document().triangleShown(), mark == QLatin1String("triangle"));
  QCOMPARE(model.document().nameBox(), name);
}

void TestEditorModel::insertOnLastRowScrolls() {
  Fixture f(numberedList(20));
  f.model.setScrollValue(3);
  f.model.clickCell(1, 11);  // item 15
  f.type(QStringLiteral("typed"));
  f.model.itemInsert();
  QCOMPARE(f.doc().text(1, 15), QStringLiteral("typed"));  // committed before the insert
  QCOMPARE(f.doc().editCount(), 21);
  QCOMPARE(f.grid().curItem(), 16);
  QCOMPARE(f.grid().curRow(), 11);
  QCOMPARE(f.grid().curCol(), 1);
  QCOMPARE(f.grid().scrollValue(), 4);
  QCOMPARE(f.grid().scrollMaximum(), 9);
  QCOMPARE(f.grid().caption(0, 0), QStringLiteral("q5"));
  QCOMPARE(f.grid().caption(1, 10), QStringLiteral("typed"));
  QCOMPARE(f.grid().caption(0, 11), QString());
  QCOMPARE(f.grid().boxText(1), QString());
  QCOMPARE(f.grid().countCaption(), QStringLiteral("x21"));
  QVERIFY(f.doc().editDirty());
  QCOMPARE(f.model.takeFocusRequest(), 1);
}

void TestEditorModel::deleteDropsUncommittedText() {
  Fixture f(numberedList(13));
  f.model.setScrollValue(1);
  f.model.clickCell(0, 11);  // item 13, the last
  f.type(QStringLiteral("never committed"));
  f.model.itemDelete();
  QCOMPARE(f.doc().editCount(), 12);
  QVERIFY(!f.doc().editQ().contains(QStringLiteral("never committed")));
  QVERIFY(!f.grid().scrollEnabled());
  QCOMPARE(f.grid().curItem(), 12);
  QCOMPARE(f.grid().curRow(), 11);
  QCOMPARE(f.grid().caption(0, 0), QStringLiteral("q1"));
  QCOMPARE(f.grid().boxText(0), QStringLiteral("q12"));
  QVERIFY(f.doc().editDirty());
}

void TestEditorModel::deleteOfOnlyItemIsRefused() {
  Fixture f(numberedList(1));
  f.model.itemDelete();
  QCOMPARE(f.dialogs.messageTexts(), QStringList{QStringLiteral("これ以上削除できません!")});
  QCOMPARE(f.doc().editCount(), 1);
  QVERIFY(!f.doc().editDirty());
}

void TestEditorModel::moveCarriesTheItem() {
  Fixture f(numberedList(14));
  f.model.clickCell(1, 10);  // item 11
  for (int i = 0; i < 3; ++i) f.model.itemMove(ItemOperations::MoveDirection::Down);
  QCOMPARE(f.doc().text(1, 14), QStringLiteral("a11"));
  QCOMPARE(f.grid().curItem(), 14);
  QCOMPARE(f.grid().scrollValue(), 2);
  QCOMPARE(f.grid().curRow(), 11);
  QCOMPARE(f.grid().boxText(1), QStringLiteral("a11"));
  QCOMPARE(f.grid().caption(1, 10), QStringLiteral("a14"));
  // At the end nothing moves, and the list still counts as changed.
  Fixture g(numberedList(3));
  g.model.itemMove(ItemOperations::MoveDirection::Up);
  QCOMPARE(g.doc().editQ(), numberedList(3).questions);
  QVERIFY(g.doc().editDirty());
}

void TestEditorModel::sortCommitsAndReturnsToTop() {
  WordList list;
  list.append(QStringLiteral("banana"), QStringLiteral("バナナ"));
  list.append(QStringLiteral("Apple"), QStringLiteral("りんご"));
  list.append(QStringLiteral("cherry"), QStringLiteral("さくらんぼ"));
  Fixture f(list);
  f.model.clickCell(0, 2);
  f.type(QStringLiteral("aardvark"));  // typed over "cherry", not yet committed
  f.model.sortByQuestion();
  QCOMPARE(f.doc().editQ(), (QStringList{"aardvark", "Apple", "banana"}));
  QCOMPARE(f.doc().editA(), (QStringList{"さくらんぼ", "りんご", "バナナ"}));
  QCOMPARE(f.grid().caption(0, 1), QStringLiteral("Apple"));
  QCOMPARE(f.grid().curItem(), 1);
  QCOMPARE(f.grid().curCol(), 0);
  QCOMPARE(f.grid().boxText(0), QStringLiteral("aardvark"));
  QVERIFY(f.doc().editDirty());
}

void TestEditorModel::shuffleKeepsPairs() {
  Fixture f(numberedList(30));
  RandomSource random;
  random.seed(7);
  f.model.setRandomSource(random);
  f.model.setScrollValue(5);
  f.model.clickCell(1, 3);
  f.model.shuffle();
  QCOMPARE(f.grid().scrollValue(), 0);
  QCOMPARE(f.grid().curItem(), 1);
  QCOMPARE(f.grid().curCol(), 0);
  QVERIFY(f.doc().editQ() != numberedList(30).questions);
  for (int item = 1; item <= 30; ++item)
    QCOMPARE(f.doc().text(1, item).mid(1), f.doc().text(0, item).mid(1));  // q7 still with a7
  QCOMPARE(f.grid().caption(0, 0), f.doc().text(0, 1));
}

void TestEditorModel::searchMovesTheCellToTheMatch() {
  WordList list = numberedList(40);
  list.answers[29] = QStringLiteral("the Needle here");
  list.questions[29] = QStringLiteral("needle too");
  list.questions[34] = QStringLiteral("NEEDLE");
  Fixture f(list);
  std::optional<SearchMatch> match = f.model.findNext(QStringLiteral("needle"));
  QVERIFY(match);
  // The answer is looked at first; below the visible rows the grid scrolls to show it on row 11.
  QCOMPARE(match->item, 30);
  QCOMPARE(match->column, 1);
  QCOMPARE(match->start, 4);
  QCOMPARE(f.grid().curItem(), 30);
  QCOMPARE(f.grid().curCol(), 1);
  QCOMPARE(f.grid().curRow(), 11);
  QCOMPARE(f.grid().scrollValue(), 18);
  QCOMPARE(f.grid().boxText(1), QStringLiteral("the Needle here"));
  QCOMPARE(f.grid().caption(0, 0), QStringLiteral("q19"));
  match = f.model.findNext(QStringLiteral("needle"));
  QVERIFY(match);
  QCOMPARE(match->item, 35);
  QCOMPARE(f.grid().curCol(), 0);
  QCOMPARE(f.grid().scrollValue(), 23);
  QVERIFY(f.dialogs.messages.isEmpty());
}

void TestEditorModel::searchWithoutMatchTellsTheUser() {
  Fixture f(numberedList(5));
  f.model.clickCell(1, 3);
  QVERIFY(!f.model.findNext(QStringLiteral("absent")));
  QCOMPARE(f.dialogs.messageTexts(), QStringList{QStringLiteral("ありません。")});
  QCOMPARE(f.grid().curItem(), 4);
  QCOMPARE(f.grid().curCol(), 1);
}

void TestEditorModel::importTextMakesNewList() {
  Fixture f(numberedList(20));
  f.model.setScrollValue(4);
  const QString file = f.path(QStringLiteral("words.csv"));
  QVERIFY(FileIo::writeAtomically(file, "apple,りんご\r\n,dog\r\n"));
  f.dialogs.chooseFile(file);
  f.model.importText();
  QCOMPARE(f.doc().editQ(), (QStringList{"apple", ""}));
  QCOMPARE(f.doc().editA(), (QStringList{"りんご", "dog"}));
  QCOMPARE(f.doc().editFile(), QStringLiteral("NEW"));
  QCOMPARE(f.doc().nameBox(), QStringLiteral("NEW"));
  QVERIFY(f.doc().editDirty());
  QVERIFY(!f.grid().scrollEnabled());
  QVERIFY(!f.grid().rowFilled(2));
  QCOMPARE(f.grid().boxText(0), QStringLiteral("apple"));
  // The text files stay the chooser's first type; flashcard packages come second where they are read.
  const QStringList types = f.dialogs.fileDialogs.at(0).request.filter.split(u'|');
  QCOMPARE(types.mid(0, 2).join(u'|'), QStringLiteral("ﾃｷｽﾄ ﾌｧｲﾙ(*.txt;*.csv)|*.txt;*.csv"));
  QCOMPARE(types.mid(2).join(u'|'), AnkiPackage::available() ? QStringLiteral("Ankiのﾃﾞｯｷ(*.apkg;*.colpkg)|*.apkg;*.colpkg") : QString());
  // A new list has no file yet: overwrite asks for a name.
  f.dialogs.chooseFile(QString());
  f.model.overwrite();
  QVERIFY(f.dialogs.fileDialogs.at(1).save);
}

void TestEditorModel::importFailureKeepsList_data() {
  QTest::addColumn<QString>("name");  // "" = the dialog is cancelled
  QTest::addColumn<QByteArray>("content");
  QTest::addRow("cancelled") << "" << QByteArray();
  QTest::addRow("missing file") << "absent.txt" << QByteArray();
  QTest::addRow("empty file") << "empty.txt" << QByteArray("");
  QTest::addRow("only blanks") << "blank.csv" << QByteArray(" , \r\n");
}

void TestEditorModel::importFailureKeepsList() {
  QFETCH(QString, name);
  QFETCH(QByteArray, content);
  Fixture f(numberedList(20));
  f.model.setScrollValue(4);
  QString file;
  if (!name.isEmpty()) {
    file = f.path(name);
    if (name != QLatin1String("absent.txt")) QVERIFY(FileIo::writeAtomically(file, content));
  }
  f.dialogs.chooseFile(file);
  f.model.importText();
  QCOMPARE(f.dialogs.messageTexts(), QStringList{QStringLiteral("ﾌｧｲﾙを開けません")});
  QCOMPARE(f.doc().editQ(), numberedList(20).questions);
  QCOMPARE(f.doc().editFile(), QStringLiteral("DEFAULT"));
  QVERIFY(!f.doc().editDirty());
}

void TestEditorModel::importVcbTakesHeaderFonts() {
  Fixture f(numberedList(3));
  f.saver.settings.linkState = 1;
  f.saver.settings.companionFolder = f.home.path();
  const QString file = f.path(QStringLiteral("book.vcb"));
  QVERIFY(FileIo::writeAtomically(file, QStringLiteral("2,\"ＭＳ 明朝\",\"Missing Face\",\"\"\r\n"
                                                       "1,\"apple\",\"りんご\",\"\",\"林檎\",\"\",\"\"\r\n"
                                                       "2,\"dog\",\"犬\",\"\",\"\",\"\",\"\"\r\n").toUtf8()));
  f.dialogs.chooseFile(file);
  f.model.importVcb();
  QCOMPARE(f.dialogs.fileDialogs.at(0).request.initialFolder, f.home.path());
  QCOMPARE(f.dialogs.fileDialogs.at(0).request.filter, QStringLiteral("Quorlingのﾌｧｲﾙ(*.vcb)|*.vcb"));
  QCOMPARE(f.doc().editQ(), (QStringList{"apple", "apple", "dog"}));
  QCOMPARE(f.doc().editA(), (QStringList{"りんご", "林檎", "犬"}));
  QCOMPARE(f.fonts().font(0).text, QStringLiteral("ＭＳ 明朝"));
  QCOMPARE(f.fonts().font(1).text, kFallbackListFont);
  QCOMPARE(f.doc().nameBox(), QStringLiteral("NEW"));
  QVERIFY(f.doc().editDirty());
}

QTEST_GUILESS_MAIN(TestEditorModel)
#include "tst_editor_model.moc"
