#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>
#include <functional>

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
#include "support/numbered_list.h"

using Answer = UserDialogs::Answer;
using NavKey = GridCursor::NavKey;

namespace {

const QStringList kFonts{QStringLiteral("DejaVu Sans"), QStringLiteral("IPAGothic"),
                         QStringLiteral("ＭＳ 明朝"), QStringLiteral("Liberation Serif")};

// The editor's lists: a font for each column, both installed.
WordList twoFontList(int count) {
  return numberedList(count, QString(), QStringLiteral("DejaVu Sans"), QStringLiteral("IPAGothic"));
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
  void everyActionReportsOneChange();
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

void TestEditorModel::openWithMissingFontFallsBack() {
  Fixture f(twoFontList(2));
  f.model.fontTick();
  WordList onDisk = twoFontList(5);
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
  // Choosers start in the list's folder; for DEFAULT in the user's documents (the dialogs' own choice).
  QCOMPARE(f.dialogs.fileDialogs.at(0).request.initialFolder, QString());
  f.model.saveAs();
  QCOMPARE(f.dialogs.fileDialogs.at(1).request.initialFolder, f.home.path());
}

void TestEditorModel::openRefusesWhatIsNotAList() {
  Fixture f(twoFontList(4));
  f.model.clickCell(1, 2);
  const QString garbage = f.path(QStringLiteral("garbage.dgl"));
  QVERIFY(FileIo::writeAtomically(garbage, QByteArray("\x8f\x03\xd2\xff\x00\x7fz,\"\r\n\x91", 12)));
  for (const QString& file : {f.path(QStringLiteral("nowhere.dgl")), garbage}) {
    f.dialogs.chooseFile(file);
    f.model.fileOpen();
  }
  // Nothing changes: list, fonts, file name and the cell stay as they were.
  QCOMPARE(f.dialogs.messageTexts(), QStringList(2, QStringLiteral("ﾌｧｲﾙを開けません")));
  QCOMPARE(f.doc().editQ(), twoFontList(4).questions);
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
  Fixture f(twoFontList(3));
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
  Fixture f(twoFontList(3));
  const QString file = f.path(QStringLiteral("shared.dgl"));
  QVERIFY(FileIo::writeAtomically(file, badByte ? QByteArray("1,f,g\r\ncaf\xe9,x\r\n") : WordListFile::format(twoFontList(2))));
  f.dialogs.chooseFile(file);
  f.model.fileOpen();
  if (!badByte) QVERIFY(FileIo::writeAtomically(file, WordListFile::format(twoFontList(5))));
  const QByteArray before = FileIo::readStart(file, 1 << 20)->bytes;
  f.type(QStringLiteral("mine"));
  f.dialogs.answer(yes ? Answer::Yes : Answer::No);
  f.dialogs.chooseFile(QString());
  QCOMPARE(f.model.overwrite(), yes ? EditorModel::SaveOutcome::Saved : EditorModel::SaveOutcome::Cancelled);
  QCOMPARE(f.dialogs.messageTexts().last(), badByte ? EditorTexts::kOverwriteBadLinesQuestion : EditorTexts::kChangedOnDiskQuestion);
  QCOMPARE(FileIo::readStart(file, 1 << 20)->bytes == before, !yes);
}

void TestEditorModel::fontPickAfterOpenIsAnEdit() {
  Fixture f(twoFontList(2));
  f.model.fontTick();
  // A list in the fonts already applied: the timer has nothing to apply after Open.
  const QString file = f.path(QStringLiteral("same.dgl"));
  QVERIFY(WordListFile::write(file, twoFontList(5)));
  f.dialogs.chooseFile(file);
  f.model.fileOpen();
  QVERIFY(!f.model.fontTick());
  f.model.pickFont(0, 3);
  QVERIFY(f.model.fontTick());
  QVERIFY(f.doc().editDirty());
}

void TestEditorModel::saveDropsBlankItems() {
  WordList list = twoFontList(5);
  list.questions[1] = QStringLiteral("  ");
  list.answers[1] = QString();
  list.questions[3] = QStringLiteral(" ");
  list.answers[3] = QStringLiteral("   ");
  Fixture f(list);
  f.model.clickCell(1, 2);
  QCOMPARE(f.model.saveQqAa(f.path(QStringLiteral("compact.dgl"))), EditorModel::SaveOutcome::Saved);
  // The shortened list is shown from its top; what the file holds is the document's test.
  QCOMPARE(f.doc().editQ(), (QStringList{"q1", "q3", "q5"}));
  QCOMPARE(f.grid().countCaption(), QStringLiteral("x3"));
  QCOMPARE(f.grid().curItem(), 1);
  QCOMPARE(f.grid().curCol(), 0);
  QCOMPARE(f.grid().boxText(0), QStringLiteral("q1"));
  QVERIFY(!f.grid().rowFilled(3));
}

void TestEditorModel::saveDropsBlankItemsOfAScrolledGrid() {
  // The box still holds the text of item 20 when the grid returns to the top:
  // it must not be taken for an edit of item 1.
  WordList list = twoFontList(30);
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
  Fixture f(twoFontList(3));
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
  Fixture f(twoFontList(3));
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

  Fixture f(twoFontList(3));
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
  Fixture f(twoFontList(3));
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
  Fixture f(twoFontList(3));
  f.type(QStringLiteral("typed, not yet committed"));
  f.dialogs.answer(Answer::Cancel);
  f.model.fileNew();
  QCOMPARE(f.dialogs.messages.size(), 1);
  QCOMPARE(f.doc().text(0, 1), QStringLiteral("typed, not yet committed"));
}

void TestEditorModel::okWithChangesAnsweredNoKeepsSaverList() {
  Fixture f(twoFontList(3));
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
  Fixture f(twoFontList(3));
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
  saver.setExtraSource([](const QuorlSaver&) { return std::optional(QuorlSaver::ExtraWords{twoFontList(2), "Anki"}); });
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
  saver.words = twoFontList(2);
  saver.settings.linkState = 1;  // following the companion's words
  saver.settings.ownList = 0;
  saver.companionState = 0;
  FakeUserDialogs dialogs;
  EditorModel model(saver, dialogs);
  model.load(kFonts);
  QCOMPARE(model.document().nameBox(), QStringLiteral("Quorling"));

  const QString file = QDir(home.path()).filePath(QStringLiteral("own.dgl"));
  QVERIFY(WordListFile::write(file, twoFontList(14)));
  dialogs.chooseFile(file);
  model.fileOpen();
  QVERIFY(model.document().crossShown());
  model.pickFont(1, 3);  // picked but not yet applied by the timer: OK takes the chooser's text
  QCOMPARE(model.ok(), EditorModel::OkOutcome::Applied);
  QCOMPARE(saver.words.count(), 14);
  QCOMPARE(saver.words.questions, twoFontList(14).questions);
  QCOMPARE(saver.words.answers, twoFontList(14).answers);
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
  Fixture f(twoFontList(3));
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

// The window redraws once for each action, also for one that runs others
// (a key that scrolls, a close that saves), and not for typing.
void TestEditorModel::everyActionReportsOneChange() {
  Fixture f(twoFontList(20));
  QSignalSpy changes(&f.model, &EditorModel::changed);
  const auto changesOf = [&](const std::function<void()>& action) {
    changes.clear();
    action();
    return changes.count();
  };
  QCOMPARE(changesOf([&] { f.model.clickCell(1, 11); }), 1);
  QCOMPARE(changesOf([&] { f.model.keyDown(1, NavKey::Down, 0); }), 1);
  QCOMPARE(f.grid().scrollValue(), 1);
  QCOMPARE(changesOf([&] { f.type(QStringLiteral("typed")); }), 0);
  QCOMPARE(changesOf([&] { f.model.typeFontText(0, QStringLiteral("Typed Face")); }), 0);
  QCOMPARE(changesOf([&] { f.model.pickFont(0, 3); }), 1);
  QCOMPARE(changesOf([&] { f.model.fontTick(); }), 0);  // the tick tells by its result
  QCOMPARE(changesOf([&] { f.model.itemDelete(); }), 1);

  const QString file = f.path(QStringLiteral("closing.dgl"));
  f.model.clickCell(0, 0);
  f.type(QStringLiteral("unsaved"));
  f.dialogs.answer(Answer::Yes);
  f.dialogs.chooseFile(file);
  bool mayClose = true;
  QCOMPARE(changesOf([&] { mayClose = f.model.mayClose(); }), 1);
  QVERIFY(!mayClose);
  QCOMPARE(WordListFile::read(file)->question(2), QStringLiteral("unsaved"));
  QCOMPARE(changesOf([&] { f.model.itemMove(ItemOperations::MoveDirection::Up); }), 1);
}

void TestEditorModel::insertOnLastRowScrolls() {
  Fixture f(twoFontList(20));
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
  Fixture f(twoFontList(13));
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
  Fixture f(twoFontList(1));
  f.model.itemDelete();
  QCOMPARE(f.dialogs.messageTexts(), QStringList{QStringLiteral("これ以上削除できません!")});
  QCOMPARE(f.doc().editCount(), 1);
  QVERIFY(!f.doc().editDirty());
}

void TestEditorModel::moveCarriesTheItem() {
  Fixture f(twoFontList(14));
  f.model.clickCell(1, 10);  // item 11
  for (int i = 0; i < 3; ++i) f.model.itemMove(ItemOperations::MoveDirection::Down);
  QCOMPARE(f.doc().text(1, 14), QStringLiteral("a11"));
  QCOMPARE(f.grid().curItem(), 14);
  QCOMPARE(f.grid().scrollValue(), 2);
  QCOMPARE(f.grid().curRow(), 11);
  QCOMPARE(f.grid().boxText(1), QStringLiteral("a11"));
  QCOMPARE(f.grid().caption(1, 10), QStringLiteral("a14"));
  // At the end nothing moves, and the list still counts as changed.
  Fixture g(twoFontList(3));
  g.model.itemMove(ItemOperations::MoveDirection::Up);
  QCOMPARE(g.doc().editQ(), twoFontList(3).questions);
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
  Fixture f(twoFontList(30));
  RandomSource random;
  random.seed(7);
  f.model.setRandomSource(random);
  f.model.setScrollValue(5);
  f.model.clickCell(1, 3);
  f.model.shuffle();
  QCOMPARE(f.grid().scrollValue(), 0);
  QCOMPARE(f.grid().curItem(), 1);
  QCOMPARE(f.grid().curCol(), 0);
  QVERIFY(f.doc().editQ() != twoFontList(30).questions);
  for (int item = 1; item <= 30; ++item)
    QCOMPARE(f.doc().text(1, item).mid(1), f.doc().text(0, item).mid(1));  // q7 still with a7
  QCOMPARE(f.grid().caption(0, 0), f.doc().text(0, 1));
}

void TestEditorModel::searchMovesTheCellToTheMatch() {
  WordList list = twoFontList(40);
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
  Fixture f(twoFontList(5));
  f.model.clickCell(1, 3);
  QVERIFY(!f.model.findNext(QStringLiteral("absent")));
  QCOMPARE(f.dialogs.messageTexts(), QStringList{QStringLiteral("ありません。")});
  QCOMPARE(f.grid().curItem(), 4);
  QCOMPARE(f.grid().curCol(), 1);
}

void TestEditorModel::importTextMakesNewList() {
  Fixture f(twoFontList(20));
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
  QCOMPARE(types.mid(0, 2).join(u'|'), QStringLiteral("ﾃｷｽﾄ ﾌｧｲﾙ(*.txt;*.csv;*.tsv)|*.txt;*.csv;*.tsv"));
  QCOMPARE(types.mid(2).join(u'|'), (AnkiPackage::available() ? QStringLiteral("Ankiのﾃﾞｯｷ(*.apkg;*.colpkg;*.anki2;*.anki21;*.anki21b)|"
                                                                                  "*.apkg;*.colpkg;*.anki2;*.anki21;*.anki21b|")
                                                                 : QString()) +
                                        QStringLiteral("すべてのﾌｧｲﾙ(*)|*"));
  // A new list has no file yet: overwrite asks for a name.
  f.dialogs.chooseFile(QString());
  f.model.overwrite();
  QVERIFY(f.dialogs.fileDialogs.at(1).save);

  // Another import over the unsaved one asks first: Cancel keeps it, No replaces it.
  f.dialogs.answer(Answer::Cancel);
  f.model.importText();
  QCOMPARE(f.dialogs.messages.last().text, EditorTexts::kReplaceQuestion);
  QCOMPARE(f.dialogs.fileDialogs.size(), 2);  // no chooser
  QCOMPARE(f.doc().editCount(), 2);
  const QString second = f.path(QStringLiteral("more.txt"));
  QVERIFY(FileIo::writeAtomically(second, "cat\r\n猫\r\nlast\r\n"));
  f.dialogs.answer(Answer::No);
  f.dialogs.chooseFile(second);
  f.model.importText();
  QCOMPARE(f.doc().editQ(), QStringList{"cat"});
  // The last question, without an answer, is left out and counted.
  QCOMPARE(f.dialogs.messages.last().text, StartupTexts::notesEmpty(1));
}

void TestEditorModel::importFailureKeepsList_data() {
  QTest::addColumn<QString>("name");  // "" = the dialog is cancelled
  QTest::addColumn<QByteArray>("content");
  QTest::addColumn<QString>("message");
  const QString cannotOpen = QStringLiteral("ﾌｧｲﾙを開けません");
  QTest::addRow("cancelled") << "" << QByteArray() << cannotOpen;
  QTest::addRow("missing file") << "absent.txt" << QByteArray() << cannotOpen;
  QTest::addRow("empty file") << "empty.txt" << QByteArray("") << cannotOpen;
  QTest::addRow("only blanks") << "blank.csv" << QByteArray(" , \r\n") << cannotOpen;
  QTest::addRow("a picture") << "photo.csv" << QByteArray("GIF89a\x01\0\x01\0\0\0\0;", 14)
                             << QStringLiteral("テキストファイルではありません");
}

void TestEditorModel::importFailureKeepsList() {
  QFETCH(QString, name);
  QFETCH(QByteArray, content);
  QFETCH(QString, message);
  Fixture f(twoFontList(20));
  f.model.setScrollValue(4);
  QString file;
  if (!name.isEmpty()) {
    file = f.path(name);
    if (name != QLatin1String("absent.txt")) QVERIFY(FileIo::writeAtomically(file, content));
  }
  f.dialogs.chooseFile(file);
  f.model.importText();
  QCOMPARE(f.dialogs.messageTexts(), QStringList{message});
  QCOMPARE(f.doc().editQ(), twoFontList(20).questions);
  QCOMPARE(f.doc().editFile(), QStringLiteral("DEFAULT"));
  QVERIFY(!f.doc().editDirty());
}

void TestEditorModel::importVcbTakesHeaderFonts() {
  Fixture f(twoFontList(3));
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
