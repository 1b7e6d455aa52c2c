// The editor's list commands: item operations, search and imports. The list
// work itself lives in item_operations, list_search and word_import; here the
// model commits, applies the result to the grid and talks to the user.
#include "editor/editor_model.h"

#include "anki/anki_package.h"
#include "editor/anki_dialog_choices.h"
#include "editor/editor_texts.h"
#include "editor/file_import.h"
#include "editor/word_import.h"
#include "startup/extra_settings.h"
#include "desktop/user_dialogs.h"
#include "startup/file_io.h"
#include "startup/quorl_saver.h"
#include "startup/word_list.h"

// ---------------------------------------------------------------------------
// Item operations

void EditorModel::itemInsert() {
  txtOutXY();
  const std::optional<GridPosition> next = ItemOperations::insertAfterCurrent(editQ_, editA_, position());
  focusRequest_ = curCol_;
  if (!next) return;  // the list is full
  editDirty_ = true;
  showAt(*next);
}

void EditorModel::itemDelete() {
  // No commit: the current item's uncommitted text goes with it.
  const std::optional<GridPosition> next = ItemOperations::deleteCurrentItem(editQ_, editA_, position());
  focusRequest_ = curCol_;
  if (!next) {
    dialogs_.message(ItemOperations::kCannotDeleteMessage);
    return;
  }
  editDirty_ = true;
  showAt(*next);
}

void EditorModel::itemMove(ItemOperations::MoveDirection direction) {
  editDirty_ = true;  // also when the item is already at that end
  txtOutXY();
  const ItemOperations::MoveResult result = ItemOperations::moveCurrentItem(editQ_, editA_, position(), direction);
  focusRequest_ = curCol_;
  if (result.moved) showAt(result.position);
}

void EditorModel::sortByQuestion() {
  txtOutXY();
  const GridPosition top = ItemOperations::sortByQuestion(editQ_, editA_, ItemOperations::questionCollator());
  editDirty_ = true;
  showAt(top);
}

void EditorModel::shuffle() {
  txtOutXY();
  const GridPosition top = ItemOperations::shuffle(editQ_, editA_, *random_);
  editDirty_ = true;
  showAt(top);
}

// ---------------------------------------------------------------------------
// Search

void EditorModel::toggleSearchBar() {
  txtOutXY();
  searchBarShown_ = !searchBarShown_;
}

std::optional<SearchMatch> EditorModel::findNext(const QString& text) {
  txtOutXY();
  const std::optional<SearchMatch> match =
      ListSearchProcedure::findNext(search_, text, editQ_, editA_, position());
  if (!match) {
    dialogs_.message(kSearchNotFoundMessage);
    return std::nullopt;
  }
  showAt(match->grid);
  focusRequest_ = match->column;
  return match;
}

// ---------------------------------------------------------------------------
// Imports

void EditorModel::importText() {
  if (!ffChg()) return;
  UserDialogs::FileRequest request;
  request.filter = WordImport::kTextFilter;
  // Flashcard packages come as a file type of their own, where this build reads them.
  if (AnkiPackage::available()) request.filter += u'|' + AnkiPackage::kFilter;
  const QString path = dialogs_.openFile(request);
  if (path.isEmpty() || !FileIo::isFile(path)) {
    dialogs_.message(WordImport::kCannotOpenMessage);
    return;
  }
  resetToTop();
  if (AnkiPackage::isPackageName(path)) {
    importAnkiPackage(path);
    return;
  }
  const std::optional<WordImport::ImportedWords> words = WordImport::importTextFile(path);
  if (!words) {
    dialogs_.message(WordImport::kCannotOpenMessage);
    return;
  }
  takeImported(*words);
}

void EditorModel::importAnkiPackage(const QString& path) {
  ExtraSettings remembered = ExtraSettingsFile::load(saver_.homeFolder());
  AnkiDialogChoices choices(dialogs_, remembered);
  const FileImport::Outcome outcome = FileImport::importFile(path, choices);
  // A choice of fields is kept even when the import then fails: it was the user's answer.
  if (choices.rememberedNew()) ExtraSettingsFile::save(saver_.homeFolder(), remembered);
  if (outcome.ankiError == AnkiError::Cancelled) return;
  if (!outcome.words) {
    QString why = outcome.ankiError ? AnkiErrors::japanese(*outcome.ankiError) : WordImport::kCannotOpenMessage;
    if (outcome.skipped.total() > 0) why += QStringLiteral("\r\n") + outcome.skipped.japanese();
    dialogs_.message(why);
    return;
  }
  takeImported(*outcome.words);
}

void EditorModel::importVcb() {
  if (!ffChg()) return;
  UserDialogs::FileRequest request;
  request.filter = WordImport::kVcbFilter;
  if (saver_.settings.linkState == 1) request.initialFolder = saver_.settings.companionFolder;
  const QString path = dialogs_.openFile(request);
  if (path.isEmpty() || !FileIo::isFile(path)) {
    dialogs_.message(WordImport::kCannotOpenMessage);
    return;
  }
  resetToTop();
  const WordImport::VcbImport imported = WordImport::importVcbFile(path);
  // The header's fonts are taken as soon as it is read, even if the entries then fail.
  if (imported.questionFont) setListFont(kQuestion, *imported.questionFont);
  if (imported.answerFont) setListFont(kAnswer, *imported.answerFont);
  if (!imported.words) {
    dialogs_.message(WordImport::kCannotOpenMessage);
    return;
  }
  takeImported(*imported.words);
}

void EditorModel::takeImported(const WordImport::ImportedWords& words) {
  if (const QString leftOut = EditorTexts::leftOutMessage(words.leftOut, words.count(), false); !leftOut.isEmpty())
    dialogs_.message(leftOut);
  if (words.skipped.total() > 0) dialogs_.message(words.skipped.japanese());
  takeList(words.questions, words.answers);
  editFile_ = EditorTexts::kNewName;
  fileLeftOut_ = {};
  nameBox_ = EditorTexts::kNewName;
  editDirty_ = true;
  resetToTop();
}
