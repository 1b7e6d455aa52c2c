#include <QAbstractItemView>
#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QtTest>

#include "editor/editor_texts.h"
#include "editor/frm_edit.h"
#include "editor/grid_cell.h"
#include "desktop/clipboard.h"
#include "startup/quorl_saver.h"
#include "startup/word_list.h"
#include "support/fake_user_dialogs.h"
#include "support/numbered_list.h"

using Answer = UserDialogs::Answer;

namespace {

class HeldClipboard final : public Clipboard {
 public:
  QString text() const override { return held; }
  void setText(const QString& text) override { held = text; }
  QString held;
};

// Lists in the font a list without one gets.
WordList fallbackFontList(int count) { return numberedList(count, QString(), kFallbackListFont, kFallbackListFont); }

// An editor window over a saver whose home is a temporary folder.
struct Window {
  QTemporaryDir home;
  QuorlSaver saver{home.path()};
  FakeUserDialogs dialogs;
  HeldClipboard clipboard;
  std::unique_ptr<frmEdit> form;

  explicit Window(const WordList& list) {
    saver.words = list;
    form = std::make_unique<frmEdit>(saver, dialogs, clipboard);
    form->show();
    form->activateWindow();
  }
  QLineEdit* box(int column) const {
    return form->findChild<QLineEdit*>(QStringLiteral("txtEdit(%1)").arg(column));
  }
  GridCell* cell(int column, int row) const {
    return form->findChild<GridCell*>(QStringLiteral("%1(%2)").arg(column == 0 ? "lblQ" : "lblA").arg(row));
  }
  const WordListDocument& doc() const { return form->model().document(); }
  const GridCursor& grid() const { return form->model().grid(); }
  QScrollBar* scrollBar() const { return form->findChild<QScrollBar*>(QStringLiteral("vscEdit")); }
  QPushButton* button(const char* name) const { return form->findChild<QPushButton*>(QLatin1String(name)); }
  QString path(const QString& name) const { return QDir(home.path()).filePath(name); }
};

}  // namespace

class TestFrmEdit : public QObject {
  Q_OBJECT

 private slots:
  void layoutFollowsTheGrid();
  void keysInTheEditBoxMoveTheCell();
  void enterCommitsAndDoesNotPressOk();
  void clicksMoveTheBoxButNotOnEmptyRows();
  void scrollBarScrollsTheGrid();
  void fontPickReachesTheCells();
  void closeGuardYesSavesThenCloses();
  void okAppliesAndAccepts();
  void cancelWithoutChangesRejects();
  void fileMenuHoldsItsEntries();
  void listButtons_data();
  void listButtons();
  void searchBarFindsAndSelects();
  void pasteTakesTheFirstLineThroughTheClipboard();
  void helpEntriesShowTheFormats();
};

void TestFrmEdit::layoutFollowsTheGrid() {
  Window w(fallbackFontList(3));
  QCOMPARE(w.form->windowTitle(), QStringLiteral("Edit - Driftglyph"));
  for (int row = 0; row < 12; ++row) {
    QCOMPARE(w.cell(0, row)->geometry(), QRect(32, 88 + 16 * row, 145, 17));
    QCOMPARE(w.cell(1, row)->geometry(), QRect(184, 88 + 16 * row, 145, 17));
    QCOMPARE(w.cell(0, row)->isFilled(), row < 3);
  }
  QCOMPARE(w.cell(1, 2)->caption(), QStringLiteral("a3"));
  QCOMPARE(w.form->findChild<QLabel*>(QStringLiteral("lblEcnt"))->text(), QStringLiteral("x3"));
  QCOMPARE(w.form->findChild<QLabel*>(QStringLiteral("lblEcnt"))->toolTip(), QStringLiteral("項目数"));
  QCOMPARE(w.form->findChild<QLineEdit*>(QStringLiteral("txtCname"))->text(), QStringLiteral("DEFAULT"));
  QCOMPARE(w.form->findChild<QComboBox*>(QStringLiteral("cmbQ"))->toolTip(), QStringLiteral("Questionのﾌｫﾝﾄ"));
  QCOMPARE(w.button("cmdOKedit")->text(), QStringLiteral("O K"));
  QCOMPARE(w.button("cmdOKedit")->toolTip(), QStringLiteral("編集内容を適用"));
  QCOMPARE(w.button("cmdCCLedit")->toolTip(), QStringLiteral("ｷｬﾝｾﾙ"));
  QCOMPARE(w.button("cmdFile")->toolTip(), QStringLiteral("ﾌｧｲﾙ操作など"));
  QVERIFY(!w.scrollBar()->isEnabled());
  QVERIFY(w.box(0)->isVisible());
  QVERIFY(!w.box(1)->isVisible());
  QCOMPARE(w.box(0)->geometry(), w.cell(0, 0)->geometry());
  QCOMPARE(w.box(0)->text(), QStringLiteral("q1"));
  // Every label shows its text as it stands, never as markup.
  for (const QLabel* label : w.form->findChildren<QLabel*>()) QCOMPARE(label->textFormat(), Qt::PlainText);
}

void TestFrmEdit::keysInTheEditBoxMoveTheCell() {
  Window w(fallbackFontList(20));
  QVERIFY(QTest::qWaitForWindowActive(w.form.get()));
  QLineEdit* question = w.box(0);
  QTRY_VERIFY(question->hasFocus());
  // It opens with the caret after the first word: typing does not wipe it.
  QVERIFY(!question->hasSelectedText());
  QCOMPARE(question->cursorPosition(), 2);

  QTest::keyClick(question, Qt::Key_Down);
  QCOMPARE(w.grid().curItem(), 2);
  QCOMPARE(question->geometry(), w.cell(0, 1)->geometry());
  QCOMPARE(question->text(), QStringLiteral("q2"));

  // The caret starts at 0: Right walks through the text, then into the answer.
  QTest::keyClick(question, Qt::Key_Right);
  QTest::keyClick(question, Qt::Key_Right);
  QCOMPARE(question->cursorPosition(), 2);
  QVERIFY(question->isVisible());
  QTest::keyClick(question, Qt::Key_Right);
  QLineEdit* answer = w.box(1);
  QVERIFY(answer->isVisible());
  QVERIFY(!question->isVisible());
  QVERIFY(answer->hasFocus());
  QCOMPARE(answer->text(), QStringLiteral("a2"));
  QCOMPARE(answer->cursorPosition(), 0);

  // Left at the start of the answer returns to the question of the same row.
  QTest::keyClick(answer, Qt::Key_Left);
  QVERIFY(question->hasFocus());
  QCOMPARE(w.grid().curItem(), 2);
  QCOMPARE(w.grid().curCol(), 0);

  // Down to the last visible row, then once more: the grid scrolls one line.
  for (int i = 0; i < 10; ++i) QTest::keyClick(question, Qt::Key_Down);
  QCOMPARE(w.grid().curRow(), 11);
  QCOMPARE(w.scrollBar()->value(), 0);
  QTest::keyClick(question, Qt::Key_Down);
  QCOMPARE(w.scrollBar()->value(), 1);
  QCOMPARE(w.grid().curItem(), 13);
  QCOMPARE(question->geometry(), w.cell(0, 11)->geometry());
  QCOMPARE(w.cell(0, 0)->caption(), QStringLiteral("q2"));
  QCOMPARE(question->text(), QStringLiteral("q13"));
  QVERIFY(!w.doc().editDirty());
}

void TestFrmEdit::enterCommitsAndDoesNotPressOk() {
  Window w(fallbackFontList(5));
  QVERIFY(QTest::qWaitForWindowActive(w.form.get()));
  QLineEdit* question = w.box(0);
  question->selectAll();
  QTest::keyClicks(question, QStringLiteral("  apple  "));
  QTest::keyClick(question, Qt::Key_Return);
  QVERIFY(w.form->isVisible());
  QCOMPARE(w.doc().text(0, 1), QStringLiteral("apple"));
  QCOMPARE(w.cell(0, 0)->caption(), QStringLiteral("apple"));
  QCOMPARE(w.grid().curItem(), 2);
  QVERIFY(w.doc().editDirty());
  QVERIFY(w.dialogs.messages.isEmpty());
}

void TestFrmEdit::clicksMoveTheBoxButNotOnEmptyRows() {
  Window w(fallbackFontList(3));
  QTest::mouseClick(w.cell(1, 2), Qt::LeftButton);
  QVERIFY(w.box(1)->isVisible());
  QCOMPARE(w.box(1)->geometry(), w.cell(1, 2)->geometry());
  QCOMPARE(w.box(1)->text(), QStringLiteral("a3"));
  QTest::mouseClick(w.cell(0, 7), Qt::LeftButton);
  QVERIFY(w.box(1)->isVisible());
  QVERIFY(!w.box(0)->isVisible());
  QCOMPARE(w.grid().curItem(), 3);
}

void TestFrmEdit::scrollBarScrollsTheGrid() {
  Window w(fallbackFontList(30));
  QVERIFY(w.scrollBar()->isEnabled());
  QCOMPARE(w.scrollBar()->maximum(), 18);
  w.scrollBar()->setValue(18);
  QCOMPARE(w.cell(0, 0)->caption(), QStringLiteral("q19"));
  QCOMPARE(w.cell(1, 11)->caption(), QStringLiteral("a30"));
  // The cell was on item 1: it is pulled to the first visible row.
  QCOMPARE(w.grid().curItem(), 19);
  QCOMPARE(w.box(0)->geometry(), w.cell(0, 0)->geometry());
  QCOMPARE(w.box(0)->text(), QStringLiteral("q19"));

  // The wheel over a cell or the edit box scrolls as over the bar: three lines a notch.
  for (QWidget* under : {static_cast<QWidget*>(w.cell(1, 5)), static_cast<QWidget*>(w.box(0))}) {
    const int before = w.scrollBar()->value();
    QWheelEvent notch(QPointF(5, 5), under->mapToGlobal(QPointF(5, 5)), QPoint(), QPoint(0, 120), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(under, &notch);
    QCOMPARE(w.scrollBar()->value(), before - QApplication::wheelScrollLines());
    QCOMPARE(w.cell(0, 0)->caption(), QStringLiteral("q%1").arg(w.scrollBar()->value() + 1));
  }
}

void TestFrmEdit::fontPickReachesTheCells() {
  Window w(fallbackFontList(3));
  auto* combo = w.form->findChild<QComboBox*>(QStringLiteral("cmbA"));
  QVERIFY(combo->count() > 0);
  const int index = combo->count() - 1;
  const QString family = combo->itemText(index);
  combo->setCurrentIndex(index);
  emit combo->activated(index);
  QTRY_COMPARE(w.cell(1, 0)->font().families().value(0), family);
  QCOMPARE(w.box(1)->font().families().value(0), family);
  QCOMPARE(w.cell(0, 0)->font().families().value(0) == family, false);
  // The drop-down list is wide enough for every name.
  combo->showPopup();
  QTRY_VERIFY(combo->view()->isVisible());
  for (int i = 0; i < combo->count(); ++i)
    QVERIFY(combo->view()->viewport()->width() >= combo->view()->fontMetrics().horizontalAdvance(combo->itemText(i)));
  combo->hidePopup();
  // The first application after opening does not count as an edit, a second one does.
  const int other = index == 0 ? 1 : 0;
  combo->setCurrentIndex(other);
  emit combo->activated(other);
  QTRY_VERIFY(w.doc().editDirty());
}

void TestFrmEdit::closeGuardYesSavesThenCloses() {
  Window w(fallbackFontList(4));
  QLineEdit* question = w.box(0);
  question->setText(QStringLiteral("changed"));
  const QString file = w.path(QStringLiteral("saved.dgl"));
  w.dialogs.answer(Answer::Yes);
  w.dialogs.chooseFile(file);
  w.form->close();
  QVERIFY(w.form->isVisible());
  QCOMPARE(w.dialogs.messageTexts(), QStringList{EditorTexts::kCloseQuestion});
  QCOMPARE(WordListFile::read(file)->question(1), QStringLiteral("changed"));
  QCOMPARE(w.form->findChild<QLineEdit*>(QStringLiteral("txtCname"))->text(), QStringLiteral("saved.dgl"));

  w.form->close();
  QVERIFY(!w.form->isVisible());
  QCOMPARE(w.form->result(), int(QDialog::Rejected));
  QCOMPARE(w.dialogs.messages.size(), 1);
  QCOMPARE(w.saver.words.question(1), QStringLiteral("q1"));  // closing applies nothing
}

void TestFrmEdit::okAppliesAndAccepts() {
  Window w(fallbackFontList(4));
  QTest::mouseClick(w.button("cmdOKedit"), Qt::LeftButton);
  QVERIFY(!w.form->isVisible());
  QCOMPARE(w.form->result(), int(QDialog::Accepted));
  QCOMPARE(w.saver.words.count(), 4);
}

void TestFrmEdit::cancelWithoutChangesRejects() {
  Window w(fallbackFontList(4));
  QTest::mouseClick(w.button("cmdCCLedit"), Qt::LeftButton);
  QVERIFY(!w.form->isVisible());
  QCOMPARE(w.form->result(), int(QDialog::Rejected));
  QVERIFY(w.dialogs.messages.isEmpty());
}

void TestFrmEdit::fileMenuHoldsItsEntries() {
  Window w(fallbackFontList(2));
  auto* menu = w.form->findChild<QMenu*>(QStringLiteral("mnuFile"));
  QVERIFY(menu);
  QCOMPARE(menu->title(), QStringLiteral("ﾌｧｲﾙ(&F)"));
  QStringList captions;
  for (QAction* action : menu->actions()) captions << (action->isSeparator() ? QStringLiteral("-") : action->text());
  QCOMPARE(captions, (QStringList{"新規作成", "開く(*.dgl)", "-", "上書保存", "名前をつけて保存", "-",
                                  "ｲﾝﾎﾟｰﾄ(*.txt|*.csv)", "Quorlingの問題ﾃﾞｰﾀ(*.vcb)", "  ? → 書式などについて", "-",
                                  "OK", "CANCEL"}));

  // New through the menu: one empty item named NEW.
  w.form->findChild<QAction*>(QStringLiteral("mitNew"))->trigger();
  QCOMPARE(w.doc().editCount(), 1);
  QCOMPARE(w.form->findChild<QLineEdit*>(QStringLiteral("txtCname"))->text(), QStringLiteral("NEW"));
  QVERIFY(!w.cell(0, 1)->isFilled());
  QCOMPARE(w.box(0)->text(), QString());
}

void TestFrmEdit::listButtons_data() {
  QTest::addColumn<QString>("name");
  QTest::addColumn<QString>("caption");
  QTest::addColumn<QString>("tip");
  QTest::addColumn<QStringList>("questionsAfter");  // list of 3 after a click on item 2; empty = unchanged
  QTest::addRow("insert") << "cmdIin" << "┼" << "項目追加" << QStringList{"q1", "q2", "", "q3"};
  QTest::addRow("delete") << "cmdIdlt" << "Ｘ" << "項目削除" << QStringList{"q1", "q3"};
  QTest::addRow("up") << "cmdImv(0)" << "∧" << "上へ移動" << QStringList{"q2", "q1", "q3"};
  QTest::addRow("down") << "cmdImv(1)" << "∨" << "下へ移動" << QStringList{"q1", "q3", "q2"};
  QTest::addRow("sort") << "cmdAbc" << "§" << "順番ABC順" << QStringList{"q1", "q2", "q3"};
  QTest::addRow("shuffle") << "cmdRnd" << "ξ" << "順番ｼｬｯﾌﾙ" << QStringList{};
  QTest::addRow("search bar") << "cmdSch" << "Ж" << "検索" << QStringList{};
}

void TestFrmEdit::listButtons() {
  QFETCH(QString, name);
  QFETCH(QString, caption);
  QFETCH(QString, tip);
  QFETCH(QStringList, questionsAfter);
  Window w(fallbackFontList(3));
  auto* button = w.form->findChild<QPushButton*>(name);
  QVERIFY(button);
  QCOMPARE(button->text(), caption);
  QCOMPARE(button->toolTip(), tip);
  QTest::mouseClick(w.cell(0, 1), Qt::LeftButton);
  QTest::mouseClick(button, Qt::LeftButton);
  if (!questionsAfter.isEmpty()) QCOMPARE(w.doc().editQ(), questionsAfter);
  QCOMPARE(w.cell(0, 0)->caption(), w.doc().text(0, 1));
  QCOMPARE(w.box(w.grid().curCol())->text(),
           w.doc().text(w.grid().curCol(), w.grid().curItem()));
  QVERIFY(w.form->isVisible());
}

void TestFrmEdit::searchBarFindsAndSelects() {
  WordList list = fallbackFontList(30);
  list.answers[24] = QStringLiteral("find ME here");
  Window w(list);
  auto* search = w.form->findChild<QLineEdit*>(QStringLiteral("txtSch"));
  auto* go = w.button("cmdSnxt");
  QVERIFY(!search->isVisible());
  QTest::mouseClick(w.button("cmdSch"), Qt::LeftButton);
  QVERIFY(search->isVisible());
  QVERIFY(!go->isEnabled());
  QCOMPARE(search->toolTip(), QStringLiteral("検索する文字"));
  QCOMPARE(go->text(), QStringLiteral("SEARCH"));
  QTest::keyClicks(search, QStringLiteral("me"));
  QVERIFY(go->isEnabled());
  QTest::keyClick(search, Qt::Key_Return);
  QVERIFY(w.form->isVisible());
  QLineEdit* answer = w.box(1);
  QVERIFY(answer->isVisible());
  QCOMPARE(answer->text(), QStringLiteral("find ME here"));
  QCOMPARE(answer->selectedText(), QStringLiteral("ME"));
  QCOMPARE(answer->geometry(), w.cell(1, 11)->geometry());
  QCOMPARE(w.scrollBar()->value(), 13);
}

void TestFrmEdit::pasteTakesTheFirstLineThroughTheClipboard() {
  Window w(fallbackFontList(3));
  QVERIFY(QTest::qWaitForWindowActive(w.form.get()));
  QLineEdit* question = w.box(0);
  w.clipboard.held = QStringLiteral("first line\r\nsecond line");
  question->setCursorPosition(2);
  QTest::keyClick(question, Qt::Key_V, Qt::ControlModifier);
  QCOMPARE(question->text(), QStringLiteral("q1first line"));
  question->setSelection(0, 2);
  QTest::keyClick(question, Qt::Key_C, Qt::ControlModifier);
  QCOMPARE(w.clipboard.held, QStringLiteral("q1"));
  QTest::keyClick(question, Qt::Key_Down);
  QCOMPARE(w.doc().text(0, 1), QStringLiteral("q1first line"));
}

void TestFrmEdit::helpEntriesShowTheFormats() {
  Window w(fallbackFontList(2));
  for (const char* name : {"mitIFtext", "mitIFcsv", "mitIFvcb"}) {
    QAction* action = w.form->findChild<QAction*>(QLatin1String(name));
    QVERIFY(action && action->isEnabled());
    action->trigger();
  }
  QCOMPARE(w.dialogs.messages.size(), 3);
  QVERIFY(w.dialogs.messages.at(0).text.startsWith(QStringLiteral("ﾃｷｽﾄﾌｧｲﾙで入力したﾃﾞｰﾀを")));
  QVERIFY(w.dialogs.messages.at(1).text.startsWith(QStringLiteral("表計算ｿﾌﾄなどで")));
  QVERIFY(w.dialogs.messages.at(2).text.startsWith(QStringLiteral("ここで言うvcbﾌｧｲﾙは")));
}

QTEST_MAIN(TestFrmEdit)
#include "tst_frm_edit.moc"
