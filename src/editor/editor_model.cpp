#include "editor/editor_model.h"

#include <QFileInfo>

#include "editor/editor_texts.h"
#include "startup/trim_spaces.h"
#include "desktop/user_dialogs.h"
#include "startup/extra_settings.h"
#include "startup/file_io.h"
#include "startup/paths.h"
#include "startup/quorl_saver.h"
#include "startup/word_list.h"

using namespace EditorTexts;

EditorModel::EditorModel(QuorlSaver& saver, UserDialogs& dialogs)
    : saver_(saver), dialogs_(dialogs), random_(&saver.random) {}

// ---------------------------------------------------------------------------
// Opening

void EditorModel::load(const QStringList& fontFamilies) {
  editDirty_ = false;
  fontList_ = FontChoices::listable(fontFamilies);
  for (int column = 0; column < 2; ++column) {
    fonts_[column] = FontChoice{};
    setListFont(column, column == kQuestion ? saver_.words.questionFont : saver_.words.answerFont);
  }

  // An empty list still opens with one item to edit.
  if (saver_.words.isEmpty())
    takeList({QString()}, {QString()});
  else
    takeList(saver_.words.questions, saver_.words.answers);

  editFile_ = saver_.settings.wordListPath;
  fileLeftOut_ = saver_.words.leftOut;
  editFileStamp_ = fileStamp(editFile_);
  scrollValue_ = 0;
  vscSetE();
  linkState_ = saver_.settings.linkState;
  ownList_ = saver_.settings.ownList;
  companionState_ = saver_.companionState;
  quoShpE();
  // Words from the flashcard link are no list file: saving them asks for a name.
  fromExtraSource_ = !saver_.extraSourceName().isEmpty();
  if (fromExtraSource_) {
    editFile_ = kNewName;
    nameBox_ = saver_.extraSourceName();
  }
  loadedFile_ = editFile_;

  curCol_ = openCol_ = 0;
  curRow_ = 0;
  curItem_ = 1;
  txtSetXY(curCol_, curRow_);

  search_.reset();
  searchBarShown_ = false;
}

void EditorModel::takeList(QStringList questions, QStringList answers) {
  // Both columns always have one entry per item.
  while (answers.size() < questions.size()) answers.append(QString());
  answers.resize(questions.size());
  editQ_ = std::move(questions);
  editA_ = std::move(answers);
}

// ---------------------------------------------------------------------------
// Working list and grid

QString EditorModel::text(int column, int item) const {
  const QStringList& list = column == kQuestion ? editQ_ : editA_;
  return list.value(item - 1);
}

QString& EditorModel::stored(int column, int item) {
  QStringList& list = column == kQuestion ? editQ_ : editA_;
  return list[item - 1];
}

QString EditorModel::caption(int column, int row) const { return grid_[row].caption[column]; }

void EditorModel::txtSetXY(int column, int row) {
  boxColumn_ = column;
  boxRow_ = row;
  boxText_[column] = grid_[row].caption[column];
  ++boxSerial_;
}

void EditorModel::txtOutXY() {
  if (curItem_ < 1 || curItem_ > editCount()) return;
  const QString typed = trimSpaces(boxText_[openCol_]);
  QString& target = stored(openCol_, curItem_);
  if (typed == target) return;
  target = typed;
  editDirty_ = true;
  grid_[curRow_].caption[openCol_] = typed;
}

void EditorModel::vscSetE() {
  const int count = editCount();
  int lastFilled;
  if (count <= kRows) {
    // A disabled bar stands at 0, so that it never scrolls a list it does not show.
    scrollEnabled_ = false;
    scrollMax_ = 0;
    scrollValue_ = 0;
    for (int row = std::max(count, 0); row < kRows; ++row) grid_[row].filled = false;
    lastFilled = count - 1;
  } else {
    scrollEnabled_ = true;
    scrollMax_ = count - kRows;
    // Callers that keep a position redraw it through the scroll handler afterwards.
    if (scrollValue_ > scrollMax_) scrollValue_ = scrollMax_;
    lastFilled = kRows - 1;
  }
  for (int row = 0; row <= lastFilled; ++row) {
    grid_[row].filled = true;
    grid_[row].caption[kQuestion] = editQ_.at(row);
    grid_[row].caption[kAnswer] = editA_.at(row);
  }
  countCaption_ = QStringLiteral("x") + QString::number(count);
}

void EditorModel::setScrollValue(int value) {
  if (scrollEnabled_) value = std::clamp(value, 0, scrollMax_);
  else value = 0;
  if (value == scrollValue_) return;
  scrollValue_ = value;
  onScrollChanged();
}

void EditorModel::drawFromScroll() {
  const int top = scrollValue_ + 1;
  for (int row = 0; row < kRows; ++row) {
    const int item = top + row;
    if (item > editCount()) break;
    grid_[row].caption[kQuestion] = editQ_.at(item - 1);
    grid_[row].caption[kAnswer] = editA_.at(item - 1);
  }
}

void EditorModel::onScrollChanged() {
  txtOutXY();
  drawFromScroll();
  const int top = scrollValue_ + 1;
  curItem_ = std::clamp(curItem_, top, top + kRows - 1);
  curRow_ = curItem_ - top;
  txtSetXY(curCol_, curRow_);
}

void EditorModel::resetToTop() {
  // Callers have committed already; with the bar at 0 before the redraw, the
  // box is never compared against an item it did not come from.
  scrollValue_ = 0;
  curCol_ = openCol_ = 0;
  curRow_ = 0;
  curItem_ = 1;
  vscSetE();
  txtSetXY(curCol_, curRow_);
}

void EditorModel::showAt(const GridPosition& at) {
  scrollValue_ = at.scroll;
  vscSetE();
  if (scrollValue_ > 0) drawFromScroll();
  curItem_ = std::clamp(at.item, 1, std::max(editCount(), 1));
  curCol_ = openCol_ = at.column;
  curRow_ = std::clamp(curItem_ - scrollValue_ - 1, 0, kRows - 1);
  txtSetXY(curCol_, curRow_);
}

void EditorModel::setBoxText(int column, const QString& text) { boxText_[column] = text; }

void EditorModel::clickCell(int column, int row) {
  if (row < 0 || row >= kRows || !grid_[row].filled) return;
  txtOutXY();
  openCol_ = curCol_ = column;
  curRow_ = row;
  curItem_ = scrollEnabled_ ? scrollValue_ + row + 1 : row + 1;
  if (curItem_ <= editCount()) txtSetXY(column, row);
  focusRequest_ = column;
}

int EditorModel::takeFocusRequest() {
  const int column = focusRequest_;
  focusRequest_ = -1;
  return column;
}

void EditorModel::keyDown(int column, NavKey key, int caret) {
  const int lastTop = editCount() - kRows;  // the largest scroll value
  switch (key) {
    case NavKey::Down:
    case NavKey::Enter:
      if (curRow_ == kRows - 1) {
        if (scrollValue_ < lastTop) {
          setScrollValue(scrollValue_ + 1);
          clickCell(column, kRows - 1);
        }
      } else {
        clickCell(column, curRow_ + 1);
      }
      break;
    case NavKey::Up:
      if (curRow_ == 0) {
        if (scrollValue_ > 0) {
          setScrollValue(scrollValue_ - 1);
          clickCell(column, 0);
        }
      } else {
        clickCell(column, curRow_ - 1);
      }
      break;
    case NavKey::Left:
      if (caret != 0) break;
      if (column == kAnswer) {
        clickCell(kQuestion, curRow_);
      } else if (curRow_ == 0) {
        if (scrollValue_ > 0) {
          setScrollValue(scrollValue_ - 1);
          clickCell(kAnswer, 0);
        }
      } else {
        clickCell(kAnswer, curRow_ - 1);
      }
      break;
    case NavKey::Right:
      if (caret != boxText_[column].size()) break;
      if (column == kQuestion) {
        clickCell(kAnswer, curRow_);
      } else if (curRow_ == kRows - 1) {
        if (scrollValue_ < lastTop) {
          setScrollValue(scrollValue_ + 1);
          clickCell(kQuestion, kRows - 1);
        }
      } else {
        clickCell(kQuestion, curRow_ + 1);
      }
      break;
  }
}

// ---------------------------------------------------------------------------
// Companion indicator and file name

QString EditorModel::fileStamp(const QString& path) const {
  const QString file = path == kDefaultName ? saver_.defaultListPath() : path;
  const QFileInfo info(file);
  if (!info.isFile()) return QString();
  return QStringLiteral("%1/%2").arg(info.lastModified().toMSecsSinceEpoch()).arg(info.size());
}

bool EditorModel::namesExistingFile(const QString& path) const {
  // "DEFAULT" and "NEW" are words, not files, even if the working folder holds one so named.
  if (path == kDefaultName || path == kNewName) return false;
  return FileIo::isFile(path);
}

bool EditorModel::isDefaultListPath(const QString& path) const {
  return !path.isEmpty() && Paths::samePath(path, saver_.defaultListPath());
}

void EditorModel::quoShpE() {
  mark_ = CompanionLink::sourceMark(linkState_, ownList_, companionState_);
  QString name;
  if (mark_ == CompanionLink::SourceMark::Circle)
    name = kCompanionName;
  else if (namesExistingFile(editFile_))
    name = QFileInfo(editFile_).fileName();
  if (name.isEmpty()) name = kDefaultName;
  nameBox_ = name;
}

// ---------------------------------------------------------------------------
// Fonts

void EditorModel::setFontText(int column, const QString& name) {
  FontChoice& choice = fonts_[column];
  choice.text = name;
  choice.index = int(fontList_.indexOf(name));
  choice.picked = choice.index;
}

void EditorModel::setListFont(int column, const QString& name) {
  setFontText(column, fontList_.contains(name) ? name : kFallbackListFont);
  fonts_[column].listFont = fonts_[column].text;
}

void EditorModel::pickFont(int column, int index) {
  if (index < 0 || index >= fontList_.size()) return;
  FontChoice& choice = fonts_[column];
  choice.text = fontList_.at(index);
  choice.index = index;
  choice.picked = index;
}

void EditorModel::typeFontText(int column, const QString& text) {
  FontChoice& choice = fonts_[column];
  choice.text = text;
  choice.index = int(fontList_.indexOf(text));
}

void EditorModel::applyFont(int column) {
  FontChoice& choice = fonts_[column];
  choice.applied = choice.index;
  choice.appliedName = choice.text;
  choice.inputMode = FontChoices::hasDoubleByte(choice.text) ? kInputHiragana : kInputFree;
  // The list's own font, applied after opening or saving, is no edit; any other is.
  if (choice.text != choice.listFont) editDirty_ = true;
}

bool EditorModel::fontTick() {
  bool changed = false;
  for (int column = 0; column < 2; ++column) {
    if (fonts_[column].picked == fonts_[column].applied) continue;
    applyFont(column);
    changed = true;
  }
  return changed;
}

// ---------------------------------------------------------------------------
// File operations

bool EditorModel::ffChg() {
  // Text typed into the box counts as an edit before the list is replaced.
  txtOutXY();
  if (!editDirty_) return true;
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

void EditorModel::fileNew() {
  if (!ffChg()) return;
  takeList({QString()}, {QString()});
  resetToTop();
  nameBox_ = kNewName;
  editFile_ = kNewName;
  fileLeftOut_ = {};
}

void EditorModel::fileOpen() {
  if (!ffChg()) return;
  UserDialogs::FileRequest request;
  request.filter = kListFilter;
  const QString path = dialogs_.openFile(request);
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

  if (list->isEmpty())
    takeList({QString()}, {QString()});
  else
    takeList(list->questions, list->answers);

  editFile_ = path;
  fileLeftOut_ = list->leftOut;
  editFileStamp_ = fileStamp(path);
  ownList_ = 1;
  quoShpE();
  if (isDefaultListPath(path)) {
    editFile_ = kDefaultName;
    nameBox_ = kDefaultName;
  }
  setListFont(kQuestion, list->questionFont);
  setListFont(kAnswer, list->answerFont);

  resetToTop();
  editDirty_ = false;
}

EditorModel::SaveOutcome EditorModel::saveAs() {
  txtOutXY();
  bool anyText = false;
  for (int i = 0; i < editCount() && !anyText; ++i)
    anyText = !isBlank(editQ_.at(i)) || !isBlank(editA_.at(i));
  if (!anyText) {
    dialogs_.message(kNothingToSaveAs);
    return SaveOutcome::NothingToSave;
  }
  UserDialogs::FileRequest request;
  request.filter = kListFilter;
  QString path = dialogs_.saveFile(request);
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
  // A file that holds more than the working list is not written over in place,
  // nor, unless the user says so, one whose unreadable bytes would be lost.
  if (fileLeftOut_.any() || !namesExistingFile(editFile_)) return saveAs();
  const auto confirmed = [this](const QString& question) {
    return dialogs_.message(question, UserDialogs::Buttons::YesNo, UserDialogs::Icon::Question) ==
           UserDialogs::Answer::Yes;
  };
  if (fileLeftOut_.badLines > 0 && !confirmed(kOverwriteBadLinesQuestion)) return saveAs();
  if (fileStamp(editFile_) != editFileStamp_ && !confirmed(kChangedOnDiskQuestion)) return saveAs();
  return saveQqAa(editFile_);
}

EditorModel::SaveOutcome EditorModel::saveQqAa(const QString& path) {
  txtOutXY();

  // Items blank in both columns are dropped; the texts kept are written as they stand.
  QStringList questions;
  QStringList answers;
  questions.reserve(editCount());
  answers.reserve(editCount());
  for (int i = 0; i < editCount(); ++i) {
    if (isBlank(editQ_.at(i)) && isBlank(editA_.at(i))) continue;
    questions.append(editQ_.at(i));
    answers.append(editA_.at(i));
  }
  if (questions.isEmpty()) {
    dialogs_.message(kNothingToSave);
    return SaveOutcome::NothingToSave;
  }
  if (questions.size() != editCount()) {
    takeList(std::move(questions), std::move(answers));
    resetToTop();
  }

  WordList out;
  out.questions = editQ_;
  out.answers = editA_;
  out.questionFont = fonts_[kQuestion].text;
  out.answerFont = fonts_[kAnswer].text;
  if (!WordListFile::write(path, out)) {
    // The old file is still whole; the list stays marked as unsaved.
    const QString refused = WordListFile::refusal(out);
    dialogs_.message(refused.isEmpty() ? kCannotSave : kCannotSave + QStringLiteral("\r\n") + refused,
                     UserDialogs::Buttons::Ok, UserDialogs::Icon::Warning);
    return SaveOutcome::Failed;
  }

  editDirty_ = false;
  fonts_[kQuestion].listFont = fonts_[kQuestion].text;
  fonts_[kAnswer].listFont = fonts_[kAnswer].text;
  ownList_ = 1;
  editFile_ = isDefaultListPath(path) ? kDefaultName : path;
  fileLeftOut_ = {};
  editFileStamp_ = fileStamp(path);
  quoShpE();
  return SaveOutcome::Saved;
}

EditorModel::OkOutcome EditorModel::ok() {
  // Text still in the box belongs to the list that OK applies or asks to save.
  txtOutXY();
  if (editDirty_) {
    switch (dialogs_.message(kOkQuestion, UserDialogs::Buttons::YesNoCancel, UserDialogs::Icon::Question)) {
      case UserDialogs::Answer::Yes:
        overwrite();
        return OkOutcome::StayOpen;
      case UserDialogs::Answer::No:
        editDirty_ = false;
        return OkOutcome::Discarded;
      default:
        return OkOutcome::StayOpen;
    }
  }

  if (fromExtraSource_) {
    // The grid opened on the flashcard link's words: OK with no other list keeps the link.
    if (editFile_ == loadedFile_) return OkOutcome::Discarded;
    // A list opened or saved here is the user's choice now, instead of the link.
    ExtraSettings extra = ExtraSettingsFile::load(saver_.homeFolder());
    extra.words = ExtraSettings::WordSource::Settings;
    ExtraSettingsFile::save(saver_.homeFolder(), extra);
    saver_.leaveExtraSource();
  }
  saver_.words.questions = editQ_;
  saver_.words.answers = editA_;
  saver_.words.questionFont = fonts_[kQuestion].text;
  saver_.words.answerFont = fonts_[kAnswer].text;
  saver_.words.leftOut = fileLeftOut_;
  saver_.settings.wordListPath = editFile_;
  saver_.settings.linkState = linkState_;
  saver_.settings.ownList = ownList_;
  saver_.companionState = companionState_;
  return OkOutcome::Applied;
}

bool EditorModel::mayClose() {
  txtOutXY();
  if (!editDirty_) return true;
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
