#include "editor/editor_model.h"

#include <QFileInfo>

#include "editor/editor_texts.h"
#include "desktop/user_dialogs.h"
#include "startup/file_io.h"
#include "startup/quorl_saver.h"
#include "startup/word_list.h"

using namespace EditorTexts;

namespace {

constexpr int kQuestion = WordListDocument::kQuestion;
constexpr int kAnswer = WordListDocument::kAnswer;

}  // namespace

EditorModel::EditorModel(QuorlSaver& saver, UserDialogs& dialogs, QObject* parent)
    : QObject(parent), saver_(saver), dialogs_(dialogs), document_(saver), random_(&saver.random) {}

// ---------------------------------------------------------------------------
// Opening and what the window reports

void EditorModel::load(const QStringList& fontFamilies) {
  const Action action(*this);
  fonts_.load(fontFamilies);
  fonts_.setListFont(kQuestion, saver_.words.questionFont);
  fonts_.setListFont(kAnswer, saver_.words.answerFont);
  document_.load();
  grid_.resetToTop();
  search_.reset();
  searchBarShown_ = false;
}

void EditorModel::clickCell(int column, int row) {
  const Action action(*this);
  grid_.clickCell(column, row);
}

void EditorModel::keyDown(int column, GridCursor::NavKey key, int caret) {
  const Action action(*this);
  grid_.keyDown(column, key, caret);
}

void EditorModel::setScrollValue(int value) {
  const Action action(*this);
  grid_.setScrollValue(value);
}

void EditorModel::pickFont(int column, int index) {
  const Action action(*this);
  fonts_.pickFont(column, index);
}

bool EditorModel::fontTick() {
  const FontChoosers::Tick tick = fonts_.tick();
  if (tick.edit) document_.markDirty();
  return tick.applied;
}

// ---------------------------------------------------------------------------
// File operations

bool EditorModel::ffChg() {
  // Text typed into the box counts as an edit before the list is replaced.
  grid_.commit();
  if (!document_.editDirty()) return true;
  switch (dialogs_.message(kReplaceQuestion, UserDialogs::Buttons::YesNoCancel, UserDialogs::Icon::Question)) {
    case UserDialogs::Answer::No:
      return true;
    case UserDialogs::Answer::Yes: {
      // Only a list that was written, or had nothing in it, may be dropped.
      const SaveOutcome outcome = saveAs();
      return outcome == SaveOutcome::Saved || outcome == SaveOutcome::NothingToSave;
    }
    default:
      return false;
  }
}

UserDialogs::FileRequest EditorModel::fileRequest(const QString& filter) const {
  UserDialogs::FileRequest request;
  request.filter = filter;
  request.initialFolder = document_.fileFolder();  // none: the dialogs start in the user's documents
  return request;
}

void EditorModel::fileNew() {
  const Action action(*this);
  if (!ffChg()) return;
  document_.startNew();
  grid_.resetToTop();
}

void EditorModel::fileOpen() {
  const Action action(*this);
  if (!ffChg()) return;
  const QString path = dialogs_.openFile(fileRequest(kListFilter));
  if (path.isEmpty()) return;
  if (!FileIo::isFile(path)) {
    dialogs_.message(kCannotOpen);
    return;
  }
  // A file that is not a word list changes nothing: list, fonts and file stay.
  const std::optional<WordList> list = WordListFile::readChecked(path);
  if (!list) {
    dialogs_.message(kCannotOpen);
    return;
  }
  if (const QString leftOut = leftOutMessage(list->leftOut, list->count(), true); !leftOut.isEmpty())
    dialogs_.message(leftOut);

  document_.open(path, *list);
  fonts_.setListFont(kQuestion, list->questionFont);
  fonts_.setListFont(kAnswer, list->answerFont);
  grid_.resetToTop();
}

EditorModel::SaveOutcome EditorModel::saveAs() {
  const Action action(*this);
  grid_.commit();
  if (!document_.hasText()) {
    dialogs_.message(kNothingToSaveAs);
    return SaveOutcome::NothingToSave;
  }
  QString path = dialogs_.saveFile(fileRequest(kListFilter));
  if (path.isEmpty()) return SaveOutcome::Cancelled;
  // A name typed without an extension is a list file all the same.
  if (!QFileInfo(path).fileName().contains(u'.')) path += QStringLiteral(".dgl");
  if (QFileInfo::exists(path) &&
      dialogs_.message(kOverwriteQuestion, UserDialogs::Buttons::YesNo, UserDialogs::Icon::Question) !=
          UserDialogs::Answer::Yes)
    return SaveOutcome::Declined;
  return saveQqAa(path);
}

EditorModel::SaveOutcome EditorModel::overwrite() {
  const Action action(*this);
  // A file that holds more than the working list is not written over in place,
  // nor, unless the user says so, one whose unreadable bytes would be lost.
  if (!document_.overwritable()) return saveAs();
  const auto confirmed = [this](const QString& question) {
    return dialogs_.message(question, UserDialogs::Buttons::YesNo, UserDialogs::Icon::Question) ==
           UserDialogs::Answer::Yes;
  };
  if (document_.fileLeftOut().badLines > 0 && !confirmed(kOverwriteBadLinesQuestion)) return saveAs();
  if (document_.changedOnDisk() && !confirmed(kChangedOnDiskQuestion)) return saveAs();
  return saveQqAa(document_.editFile());
}

EditorModel::SaveOutcome EditorModel::saveQqAa(const QString& path) {
  const Action action(*this);
  grid_.commit();
  if (!document_.hasText()) {
    dialogs_.message(kNothingToSave);
    return SaveOutcome::NothingToSave;
  }
  if (document_.dropBlankItems()) grid_.resetToTop();

  const WordListDocument::SaveResult result =
      document_.save(path, fonts_.font(kQuestion).text, fonts_.font(kAnswer).text);
  if (!result.saved) {
    // The old file is still whole; the list stays marked as unsaved.
    dialogs_.message(result.refusal.isEmpty() ? kCannotSave : kCannotSave + QStringLiteral("\r\n") + result.refusal,
                     UserDialogs::Buttons::Ok, UserDialogs::Icon::Warning);
    return SaveOutcome::Failed;
  }
  fonts_.markSaved();
  return SaveOutcome::Saved;
}

EditorModel::OkOutcome EditorModel::ok() {
  const Action action(*this);
  // Text still in the box belongs to the list that OK applies or asks to save.
  grid_.commit();
  if (document_.editDirty()) {
    switch (dialogs_.message(kOkQuestion, UserDialogs::Buttons::YesNoCancel, UserDialogs::Icon::Question)) {
      case UserDialogs::Answer::Yes:
        overwrite();
        return OkOutcome::StayOpen;
      case UserDialogs::Answer::No:
        document_.forgetChanges();
        return OkOutcome::Discarded;
      default:
        return OkOutcome::StayOpen;
    }
  }
  // The grid opened on the flashcard link's words: OK with no other list keeps the link.
  if (document_.keepsLinkedWords()) return OkOutcome::Discarded;
  document_.applyToSaver(fonts_.font(kQuestion).text, fonts_.font(kAnswer).text);
  return OkOutcome::Applied;
}

bool EditorModel::mayClose() {
  const Action action(*this);
  grid_.commit();
  if (!document_.editDirty()) return true;
  switch (dialogs_.message(kCloseQuestion, UserDialogs::Buttons::YesNoCancel, UserDialogs::Icon::Question)) {
    case UserDialogs::Answer::No:
      return true;
    case UserDialogs::Answer::Yes:
      overwrite();
      return false;
    default:
      return false;
  }
}
