#pragma once

#include <QString>
#include <QStringList>
#include <array>
#include <cstdint>

#include "editor/font_choice.h"
#include "editor/item_operations.h"
#include "editor/list_search.h"
#include "editor/word_import.h"
#include "startup/companion_link.h"
#include "startup/random_source.h"
#include "startup/word_list.h"

class Clipboard;
class QuorlSaver;
class UserDialogs;

// The word-list editor without its window: the working list, the twelve-row
// grid it is shown in, the floating edit box, the scroll bar, the two font
// choosers, the companion indicator and every operation on them. The window
// forwards clicks, keys, scroll moves and typing here and then redraws itself
// from what this model holds; questions to the user go through UserDialogs.
//
// Items are numbered from 1 as the user sees them; editQ()/editA() hold item i
// at index i - 1. Grid rows and columns count from 0 (column 0 questions,
// column 1 answers).
class EditorModel {
 public:
  static constexpr int kRows = 12;
  static constexpr int kQuestion = 0;
  static constexpr int kAnswer = 1;

  enum class NavKey { Down, Enter, Up, Left, Right };
  enum class SaveOutcome { Saved, NothingToSave, Cancelled, Declined, Failed };
  enum class OkOutcome { Applied, Discarded, StayOpen };

  EditorModel(QuorlSaver& saver, UserDialogs& dialogs);

  // Opens the editor on the saver's word list; `fontFamilies` are the
  // installed font families in the platform's order.
  void load(const QStringList& fontFamilies);

  // --- working list -------------------------------------------------------
  int editCount() const { return int(editQ_.size()); }
  const QStringList& editQ() const { return editQ_; }
  const QStringList& editA() const { return editA_; }
  QString text(int column, int item) const;

  // --- edit position ------------------------------------------------------
  int curItem() const { return curItem_; }
  int curRow() const { return curRow_; }
  int curCol() const { return curCol_; }
  int openCol() const { return openCol_; }

  // --- grid, edit box, scroll bar, labels ---------------------------------
  bool rowFilled(int row) const { return grid_[row].filled; }
  QString caption(int column, int row) const;
  // Column of the visible edit box, -1 before the first placement.
  int boxColumn() const { return boxColumn_; }
  int boxRow() const { return boxRow_; }
  QString boxText(int column) const { return boxText_[column]; }
  // Grows each time an edit box is placed on a cell and given the cell's text.
  quint64 boxSerial() const { return boxSerial_; }
  bool scrollEnabled() const { return scrollEnabled_; }
  int scrollMaximum() const { return scrollMax_; }
  int scrollValue() const { return scrollValue_; }
  QString countCaption() const { return countCaption_; }

  // --- companion indicator and file name ----------------------------------
  QString nameBox() const { return nameBox_; }
  bool crossShown() const { return mark_ == CompanionLink::SourceMark::Cross; }
  bool circleShown() const { return mark_ == CompanionLink::SourceMark::Circle; }
  bool triangleShown() const { return mark_ == CompanionLink::SourceMark::Triangle; }

  // --- flags --------------------------------------------------------------
  bool editDirty() const { return editDirty_; }
  QString editFile() const { return editFile_; }
  // What editFile holds beyond the working list (more pairs than the editor
  // can hold, or more than was read). While there is any, the file is never
  // overwritten in place.
  const LeftOut& fileLeftOut() const { return fileLeftOut_; }
  uint8_t linkState() const { return linkState_; }
  uint8_t ownList() const { return ownList_; }
  uint8_t companionState() const { return companionState_; }

  // --- fonts --------------------------------------------------------------
  const QStringList& fontList() const { return fontList_; }
  const FontChoice& font(int column) const { return fonts_[column]; }
  // The user picked entry `index` of a chooser (cmbQ_Click / cmbA_Click).
  void pickFont(int column, int index);
  // The user typed into a chooser: its text changes, the pick does not.
  void typeFontText(int column, const QString& text);
  // One tick of the 300 ms font timer; true when a column got a new font.
  bool fontTick();

  // --- what the window reports --------------------------------------------
  // The user changed the text of an edit box.
  void setBoxText(int column, const QString& text);
  // Cell click on an empty row is ignored.
  void clickCell(int column, int row);
  // A key in edit box `column`; `caret` is where the caret (or the selection's start) stands.
  void keyDown(int column, NavKey key, int caret);
  // The scroll bar moved (vscEdit_Change when the value differs).
  void setScrollValue(int value);
  // The edit box that should take the keyboard focus, -1 when none; clears the request.
  int takeFocusRequest();

  // --- grid procedures ----------------------------------------------------
  void txtSetXY(int column, int row);
  void txtOutXY();
  void vscSetE();
  void quoShpE();

  // --- file operations ----------------------------------------------------
  // True when the working list may be replaced (after asking to save it).
  bool ffChg();
  void fileNew();
  void fileOpen();
  SaveOutcome saveAs();
  SaveOutcome overwrite();
  SaveOutcome saveQqAa(const QString& path);
  // OK: apply the working list to the saver, or ask to save it first.
  OkOutcome ok();
  // The window is asked to close; true when it may.
  bool mayClose();

  bool isDefaultListPath(const QString& path) const;

  // --- item operations ----------------------------------------------------
  void itemInsert();
  void itemDelete();
  void itemMove(ItemOperations::MoveDirection direction);
  void sortByQuestion();
  void shuffle();
  // The generator the shuffle draws from; the program's shared one by default.
  void setRandomSource(RandomSource& random) { random_ = &random; }

  // --- search -------------------------------------------------------------
  bool searchBarShown() const { return searchBarShown_; }
  // Commits, then shows or hides the search bar.
  void toggleSearchBar();
  // SEARCH with `text` in the search box: the cell moves to the next match,
  // whose place in the edit box is returned; nullopt after telling the user
  // that there is none.
  std::optional<SearchMatch> findNext(const QString& text);
  const ListSearch& search() const { return search_; }

  // --- imports ------------------------------------------------------------
  void importText();
  void importVcb();

 private:
  struct GridRow {
    bool filled = false;
    std::array<QString, 2> caption;
  };

  QString& stored(int column, int item);
  void setFontText(int column, const QString& name);
  // Sets the chooser to the list's font (or the fallback when it is not
  // installed); picking another font later is an edit.
  void setListFont(int column, const QString& name);
  void takeList(QStringList questions, QStringList answers);
  // An import becomes the working list: unsaved, named "NEW".
  void takeImported(const WordImport::ImportedWords& words);
  // A flashcard package: the deck and field choices are asked through the dialogs.
  void importAnkiPackage(const QString& path);
  void resetToTop();
  GridPosition position() const { return {curItem_, curRow_, curCol_, scrollValue_}; }
  // Redraws the grid at `at.scroll` and opens the edit box on `at`, committing nothing.
  void showAt(const GridPosition& at);
  void drawFromScroll();
  void onScrollChanged();
  bool namesExistingFile(const QString& path) const;
  QString fileStamp(const QString& path) const;
  void applyFont(int column);

  QuorlSaver& saver_;
  UserDialogs& dialogs_;

  QStringList editQ_;
  QStringList editA_;

  int curItem_ = 1;
  int curRow_ = 0;
  int curCol_ = 0;
  int openCol_ = 0;

  std::array<GridRow, kRows> grid_{};
  int boxColumn_ = -1;
  int boxRow_ = 0;
  std::array<QString, 2> boxText_;
  quint64 boxSerial_ = 0;
  bool scrollEnabled_ = false;
  int scrollMax_ = 0;
  int scrollValue_ = 0;
  QString countCaption_;
  int focusRequest_ = -1;

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

  QStringList fontList_;
  std::array<FontChoice, 2> fonts_{};

  // The editor's search restarts whenever the window opens.
  ListSearch search_;
  bool searchBarShown_ = false;

  RandomSource* random_;
};
