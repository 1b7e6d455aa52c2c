#include "editor/word_list_document.h"

#include <QFileInfo>

#include "editor/editor_texts.h"
#include "editor/word_import.h"
#include "startup/extra_settings.h"
#include "startup/file_io.h"
#include "startup/paths.h"
#include "startup/quorl_saver.h"
#include "startup/trim_spaces.h"

using namespace EditorTexts;

WordListDocument::WordListDocument(QuorlSaver& saver) : saver_(saver) {}

// ---------------------------------------------------------------------------
// Where the list comes from

void WordListDocument::load() {
  editDirty_ = false;
  if (saver_.words.isEmpty())
    takeList({QString()}, {QString()});
  else
    takeList(saver_.words.questions, saver_.words.answers);

  editFile_ = saver_.settings.wordListPath;
  fileLeftOut_ = saver_.words.leftOut;
  editFileStamp_ = fileStamp(editFile_);
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
}

void WordListDocument::startNew() {
  takeList({QString()}, {QString()});
  nameBox_ = kNewName;
  editFile_ = kNewName;
  fileLeftOut_ = {};
}

void WordListDocument::open(const QString& path, const WordList& list) {
  if (list.isEmpty())
    takeList({QString()}, {QString()});
  else
    takeList(list.questions, list.answers);

  editFile_ = path;
  fileLeftOut_ = list.leftOut;
  editFileStamp_ = fileStamp(path);
  ownList_ = 1;
  quoShpE();
  if (isDefaultListPath(path)) {
    editFile_ = kDefaultName;
    nameBox_ = kDefaultName;
  }
  editDirty_ = false;
}

void WordListDocument::takeImported(const WordImport::ImportedWords& words) {
  takeList(words.questions, words.answers);
  editFile_ = kNewName;
  fileLeftOut_ = {};
  nameBox_ = kNewName;
  editDirty_ = true;
}

void WordListDocument::takeList(QStringList questions, QStringList answers) {
  // Both columns always have one entry per item.
  while (answers.size() < questions.size()) answers.append(QString());
  answers.resize(questions.size());
  editQ_ = std::move(questions);
  editA_ = std::move(answers);
}

// ---------------------------------------------------------------------------
// Pairs

QString WordListDocument::text(int column, int item) const {
  const QStringList& list = column == kQuestion ? editQ_ : editA_;
  return list.value(item - 1);
}

bool WordListDocument::store(int column, int item, const QString& text) {
  if (item < 1 || item > editCount()) return false;
  QString& target = (column == kQuestion ? editQ_ : editA_)[item - 1];
  if (text == target) return false;
  target = text;
  editDirty_ = true;
  return true;
}

bool WordListDocument::hasText() const {
  for (int i = 0; i < editCount(); ++i)
    if (!isBlank(editQ_.at(i)) || !isBlank(editA_.at(i))) return true;
  return false;
}

bool WordListDocument::dropBlankItems() {
  // The texts kept stay as they stand.
  QStringList questions;
  QStringList answers;
  questions.reserve(editCount());
  answers.reserve(editCount());
  for (int i = 0; i < editCount(); ++i) {
    if (isBlank(editQ_.at(i)) && isBlank(editA_.at(i))) continue;
    questions.append(editQ_.at(i));
    answers.append(editA_.at(i));
  }
  if (questions.isEmpty() || questions.size() == editCount()) return false;
  takeList(std::move(questions), std::move(answers));
  return true;
}

// ---------------------------------------------------------------------------
// Item commands

std::optional<GridPosition> WordListDocument::insertItem(const GridPosition& at) {
  const std::optional<GridPosition> next = ItemOperations::insertAfterCurrent(editQ_, editA_, at);
  if (next) editDirty_ = true;
  return next;
}

std::optional<GridPosition> WordListDocument::deleteItem(const GridPosition& at) {
  const std::optional<GridPosition> next = ItemOperations::deleteCurrentItem(editQ_, editA_, at);
  if (next) editDirty_ = true;
  return next;
}

ItemOperations::MoveResult WordListDocument::moveItem(const GridPosition& at,
                                                      ItemOperations::MoveDirection direction) {
  editDirty_ = true;
  return ItemOperations::moveCurrentItem(editQ_, editA_, at, direction);
}

GridPosition WordListDocument::sortByQuestion() {
  editDirty_ = true;
  return ItemOperations::sortByQuestion(editQ_, editA_, ItemOperations::questionCollator());
}

GridPosition WordListDocument::shuffle(RandomSource& random) {
  editDirty_ = true;
  return ItemOperations::shuffle(editQ_, editA_, random);
}

// ---------------------------------------------------------------------------
// File

QString WordListDocument::fileStamp(const QString& path) const {
  const QString file = path == kDefaultName ? saver_.defaultListPath() : path;
  const QFileInfo info(file);
  if (!info.isFile()) return QString();
  return QStringLiteral("%1/%2").arg(info.lastModified().toMSecsSinceEpoch()).arg(info.size());
}

bool WordListDocument::namesExistingFile(const QString& path) const {
  // "DEFAULT" and "NEW" are words, not files, even if the working folder holds one so named.
  if (path == kDefaultName || path == kNewName) return false;
  return FileIo::isFile(path);
}

bool WordListDocument::isDefaultListPath(const QString& path) const {
  return !path.isEmpty() && Paths::samePath(path, saver_.defaultListPath());
}

QString WordListDocument::fileFolder() const {
  return namesExistingFile(editFile_) ? QFileInfo(editFile_).absolutePath() : QString();
}

bool WordListDocument::overwritable() const { return !fileLeftOut_.any() && namesExistingFile(editFile_); }

bool WordListDocument::changedOnDisk() const { return fileStamp(editFile_) != editFileStamp_; }

WordListDocument::SaveResult WordListDocument::save(const QString& path, const QString& questionFont,
                                                    const QString& answerFont) {
  WordList out;
  out.questions = editQ_;
  out.answers = editA_;
  out.questionFont = questionFont;
  out.answerFont = answerFont;
  if (!WordListFile::write(path, out)) return {false, WordListFile::refusal(out)};

  editDirty_ = false;
  ownList_ = 1;
  editFile_ = isDefaultListPath(path) ? kDefaultName : path;
  fileLeftOut_ = {};
  editFileStamp_ = fileStamp(path);
  quoShpE();
  return {true, QString()};
}

// ---------------------------------------------------------------------------
// The saver

void WordListDocument::applyToSaver(const QString& questionFont, const QString& answerFont) {
  if (fromExtraSource_) {
    // A list opened or saved here is the user's choice now, instead of the link.
    ExtraSettings extra = ExtraSettingsFile::load(saver_.homeFolder());
    extra.words = ExtraSettings::WordSource::Settings;
    ExtraSettingsFile::save(saver_.homeFolder(), extra);
    saver_.leaveExtraSource();
  }
  saver_.words.questions = editQ_;
  saver_.words.answers = editA_;
  saver_.words.questionFont = questionFont;
  saver_.words.answerFont = answerFont;
  saver_.words.leftOut = fileLeftOut_;
  saver_.settings.wordListPath = editFile_;
  saver_.settings.linkState = linkState_;
  saver_.settings.ownList = ownList_;
  saver_.companionState = companionState_;
}

// ---------------------------------------------------------------------------
// File-name box and companion mark

void WordListDocument::quoShpE() {
  mark_ = CompanionLink::sourceMark(linkState_, ownList_, companionState_);
  QString name;
  if (mark_ == CompanionLink::SourceMark::Circle)
    name = kCompanionName;
  else if (namesExistingFile(editFile_))
    name = QFileInfo(editFile_).fileName();
  if (name.isEmpty()) name = kDefaultName;
  nameBox_ = name;
}
