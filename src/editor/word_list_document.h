#pragma once

#include <QString>
#include <QStringList>
#include <cstdint>
#include <optional>

#include "editor/item_operations.h"
#include "startup/companion_link.h"
#include "startup/word_list.h"

class QuorlSaver;
class RandomSource;
namespace WordImport {
struct ImportedWords;
}

// The list the editor works on: its pairs, the file it came from or was last
// saved to, whether it changed since, what that file held beyond it, and the
// file-name box and companion mark that tell the user where it came from. It
// is read from the saver, written to list files and applied to the saver,
// and never asks the user anything: the editor's questions come before.
//
// Items are numbered from 1 as the user sees them; editQ()/editA() hold item
// i at index i - 1 and always hold one entry per item. Column 0 is the
// question, column 1 the answer.
class WordListDocument {
 public:
  static constexpr int kQuestion = 0;
  static constexpr int kAnswer = 1;

  explicit WordListDocument(QuorlSaver& saver);

  // --- where the list comes from ------------------------------------------
  // The saver's list, file and companion state, unchanged. An empty list
  // still holds one item to edit; the flashcard link's words have no file.
  void load();
  // File, New: one empty item named NEW. The changed flag stays as it was.
  void startNew();
  // File, Open: `list` as read from `path`, unchanged and the user's own.
  void open(const QString& path, const WordList& list);
  // An import: changed, named NEW, with no file yet.
  void takeImported(const WordImport::ImportedWords& words);

  // --- pairs --------------------------------------------------------------
  int editCount() const { return int(editQ_.size()); }
  const QStringList& editQ() const { return editQ_; }
  const QStringList& editA() const { return editA_; }
  // Empty beyond the list.
  QString text(int column, int item) const;
  // Stores a committed text; a text that differs marks the list changed.
  // True when it differed; an item beyond the list is left alone.
  bool store(int column, int item, const QString& text);
  // True when any item has a text that is not blank.
  bool hasText() const;
  // Drops the items blank in both columns; true when any went. A list with
  // no text at all is left as it is.
  bool dropBlankItems();

  // --- item commands (see ItemOperations); each marks the list changed when it changes it
  std::optional<GridPosition> insertItem(const GridPosition& at);
  std::optional<GridPosition> deleteItem(const GridPosition& at);
  // Marks the list changed also when the item was already at that end.
  ItemOperations::MoveResult moveItem(const GridPosition& at, ItemOperations::MoveDirection direction);
  GridPosition sortByQuestion();
  GridPosition shuffle(RandomSource& random);

  // --- changed flag and file ----------------------------------------------
  bool editDirty() const { return editDirty_; }
  void markDirty() { editDirty_ = true; }
  // The user chose to drop the changes.
  void forgetChanges() { editDirty_ = false; }
  // A path, or DEFAULT (the default list's file) or NEW (no file yet).
  QString editFile() const { return editFile_; }
  // What editFile holds beyond the list (more pairs than the editor can hold,
  // or more than was read). While there is any, the file is never written
  // over in place.
  const LeftOut& fileLeftOut() const { return fileLeftOut_; }
  // True when editFile may be written over in place: a file of the user's
  // that the list holds whole.
  bool overwritable() const;
  // True when editFile changed on disk since this editor last read or wrote it.
  bool changedOnDisk() const;
  bool isDefaultListPath(const QString& path) const;
  // The folder of the user's file the list came from or was saved to, where
  // the file choosers start; empty for DEFAULT and NEW.
  QString fileFolder() const;

  struct SaveResult {
    bool saved = false;
    // Why the writer refused the list; empty when it did not say.
    QString refusal;
  };
  // Writes the pairs as they stand, with the two fonts, to `path`. Saved,
  // the list is unchanged, the user's own and named after `path`, with
  // nothing left out; failed, the old file is whole and nothing changes.
  SaveResult save(const QString& path, const QString& questionFont, const QString& answerFont);

  // --- the saver ----------------------------------------------------------
  // True while the list is the flashcard link's words the editor opened
  // with: OK then leaves the saver as it is.
  bool keepsLinkedWords() const { return fromExtraSource_ && editFile_ == loadedFile_; }
  // OK: the list, its fonts, its file and the companion state become the
  // saver's. A list opened or saved here replaces the flashcard link.
  void applyToSaver(const QString& questionFont, const QString& answerFont);

  // --- file-name box and companion mark -----------------------------------
  QString nameBox() const { return nameBox_; }
  bool crossShown() const { return mark_ == CompanionLink::SourceMark::Cross; }
  bool circleShown() const { return mark_ == CompanionLink::SourceMark::Circle; }
  bool triangleShown() const { return mark_ == CompanionLink::SourceMark::Triangle; }
  uint8_t linkState() const { return linkState_; }
  uint8_t ownList() const { return ownList_; }
  uint8_t companionState() const { return companionState_; }

 private:
  void takeList(QStringList questions, QStringList answers);
  // The mark from the companion state, the name box from it and editFile.
  void quoShpE();
  bool namesExistingFile(const QString& path) const;
  QString fileStamp(const QString& path) const;

  QuorlSaver& saver_;

  QStringList editQ_;
  QStringList editA_;
  bool editDirty_ = false;
  QString editFile_;
  LeftOut fileLeftOut_;
  // The file's time and size when this editor last read or wrote it: a
  // change since means another program (or editor) saved it meanwhile.
  QString editFileStamp_;
  // The list opened on the flashcard link's words, and the file name it opened with.
  bool fromExtraSource_ = false;
  QString loadedFile_;

  uint8_t linkState_ = 0;
  uint8_t ownList_ = 0;
  uint8_t companionState_ = 0;
  QString nameBox_;
  CompanionLink::SourceMark mark_ = CompanionLink::SourceMark::None;
};
