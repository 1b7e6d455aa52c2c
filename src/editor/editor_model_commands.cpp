// The editor's list commands: item operations, search and imports. The list
// work itself lives in item_operations, list_search and word_import; here the
// session commits, applies the result to the grid and talks to the user.
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

namespace {

constexpr int kQuestion = WordListDocument::kQuestion;
constexpr int kAnswer = WordListDocument::kAnswer;

}  // namespace

// ---------------------------------------------------------------------------
// Item operations

void EditorModel::itemInsert() {
  const Action action(*this);
  grid_.commit();
  const std::optional<GridPosition> next = document_.insertItem(grid_.position());
  grid_.requestFocus(grid_.curCol());
  if (next) grid_.showAt(*next);  // else the list is full
}

void EditorModel::itemDelete() {
  const Action action(*this);
  // No commit: the current item's uncommitted text goes with it.
  const std::optional<GridPosition> next = document_.deleteItem(grid_.position());
  grid_.requestFocus(grid_.curCol());
  if (!next) {
    dialogs_.message(EditorTexts::kCannotDelete);
    return;
  }
  grid_.showAt(*next);
}

void EditorModel::itemMove(ItemOperations::MoveDirection direction) {
  const Action action(*this);
  grid_.commit();
  const ItemOperations::MoveResult result = document_.moveItem(grid_.position(), direction);
  grid_.requestFocus(grid_.curCol());
  if (result.moved) grid_.showAt(result.position);
}

void EditorModel::sortByQuestion() {
  const Action action(*this);
  grid_.commit();
  grid_.showAt(document_.sortByQuestion());
}

void EditorModel::shuffle() {
  const Action action(*this);
  grid_.commit();
  grid_.showAt(document_.shuffle(*random_));
}

// ---------------------------------------------------------------------------
// Search

void EditorModel::toggleSearchBar() {
  const Action action(*this);
  grid_.commit();
  searchBarShown_ = !searchBarShown_;
}

std::optional<SearchMatch> EditorModel::findNext(const QString& text) {
  const Action action(*this);
  grid_.commit();
  const std::optional<SearchMatch> match =
      ListSearchProcedure::findNext(search_, text, document_.editQ(), document_.editA(), grid_.position());
  if (!match) {
    dialogs_.message(EditorTexts::kSearchNotFound);
    return std::nullopt;
  }
  grid_.showAt(match->grid);
  grid_.requestFocus(match->column);
  return match;
}

// ---------------------------------------------------------------------------
// Imports

void EditorModel::importText() {
  const Action action(*this);
  if (!ffChg()) return;
  UserDialogs::FileRequest request = fileRequest(EditorTexts::kTextFilter);
  // Flashcard packages come as a file type of their own, where this build reads them.
  if (AnkiPackage::available()) request.filter += u'|' + AnkiPackage::kFilter;
  request.filter += u'|' + EditorTexts::kAllFilesFilter;
  const QString path = dialogs_.openFile(request);
  if (path.isEmpty() || !FileIo::isFile(path)) {
    dialogs_.message(EditorTexts::kCannotOpen);
    return;
  }
  grid_.resetToTop();
  if (FileImport::isAnkiName(path)) {
    importAnkiPackage(path);
    return;
  }
  if (!FileImport::isText(path)) {
    dialogs_.message(EditorTexts::kNotText);
    return;
  }
  const std::optional<WordImport::ImportedWords> words = WordImport::importTextFile(path);
  if (!words) {
    dialogs_.message(EditorTexts::kCannotOpen);
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
    QString why = outcome.ankiError ? AnkiErrors::japanese(*outcome.ankiError) : EditorTexts::kCannotOpen;
    if (outcome.skipped.total() > 0) why += QStringLiteral("\r\n") + outcome.skipped.japanese();
    dialogs_.message(why);
    return;
  }
  takeImported(*outcome.words);
}

void EditorModel::importVcb() {
  const Action action(*this);
  if (!ffChg()) return;
  UserDialogs::FileRequest request = fileRequest(EditorTexts::kVcbFilter);
  if (saver_.settings.linkState == 1) request.initialFolder = saver_.settings.companionFolder;
  const QString path = dialogs_.openFile(request);
  if (path.isEmpty() || !FileIo::isFile(path)) {
    dialogs_.message(EditorTexts::kCannotOpen);
    return;
  }
  grid_.resetToTop();
  if (!FileImport::isText(path)) {
    dialogs_.message(EditorTexts::kNotText);
    return;
  }
  const WordImport::VcbImport imported = WordImport::importVcbFile(path);
  // The header's fonts are taken as soon as it is read, even if the entries then fail.
  if (imported.questionFont) fonts_.setListFont(kQuestion, *imported.questionFont);
  if (imported.answerFont) fonts_.setListFont(kAnswer, *imported.answerFont);
  if (!imported.words) {
    dialogs_.message(EditorTexts::kCannotOpen);
    return;
  }
  takeImported(*imported.words);
}

void EditorModel::takeImported(const WordImport::ImportedWords& words) {
  if (const QString leftOut = EditorTexts::leftOutMessage(words.leftOut, words.count(), false); !leftOut.isEmpty())
    dialogs_.message(leftOut);
  if (words.skipped.total() > 0) dialogs_.message(words.skipped.japanese());
  document_.takeImported(words);
  grid_.resetToTop();
}
