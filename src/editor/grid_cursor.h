#pragma once

#include <QString>
#include <QtGlobal>
#include <array>

#include "editor/item_operations.h"

class WordListDocument;

// The twelve-row grid a WordListDocument is shown in, and where the user
// edits it: the current cell, the column whose edit box is open, the
// floating edit box and its text, the scroll bar and the item count below
// it. It takes the window's clicks, keys and scroll moves and commits the
// box's text into the document; the window draws from what it holds.
//
// Rows and columns count from 0 (column 0 questions, column 1 answers);
// items from 1 as in the document.
class GridCursor {
 public:
  static constexpr int kRows = EditorGrid::kVisibleRows;

  enum class NavKey { Down, Enter, Up, Left, Right };

  explicit GridCursor(WordListDocument& document);

  // --- edit position ------------------------------------------------------
  int curItem() const { return curItem_; }
  int curRow() const { return curRow_; }
  int curCol() const { return curCol_; }
  int openCol() const { return openCol_; }
  GridPosition position() const { return {curItem_, curRow_, curCol_, scrollValue_}; }

  // --- grid, edit box, scroll bar, count ----------------------------------
  bool rowFilled(int row) const { return grid_[row].filled; }
  QString caption(int column, int row) const { return grid_[row].caption[column]; }
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

  // --- what the window reports --------------------------------------------
  // The user changed the text of an edit box.
  void setBoxText(int column, const QString& text) { boxText_[column] = text; }
  // A click on an empty row is ignored.
  void clickCell(int column, int row);
  // A key in edit box `column`; `caret` is where the caret (or the selection's start) stands.
  void keyDown(int column, NavKey key, int caret);
  // The scroll bar moved: the box is committed and the cell kept in view.
  void setScrollValue(int value);
  // The edit box that should take the keyboard focus, -1 when none; clears the request.
  int takeFocusRequest();
  void requestFocus(int column) { focusRequest_ = column; }

  // --- around the list's commands -----------------------------------------
  // Stores the open box's text, trimmed of spaces, into the document.
  void commit() { txtOutXY(); }
  // Redraws the list from its first item and opens the box on item 1's
  // question, committing nothing: callers commit first or drop the text.
  void resetToTop();
  // Redraws the grid at `at.scroll` and opens the box on `at`, committing nothing.
  void showAt(const GridPosition& at);

 private:
  struct GridRow {
    bool filled = false;
    std::array<QString, 2> caption;
  };

  // Opens the box on a cell with the cell's text.
  void txtSetXY(int column, int row);
  // Commits the box into the current item.
  void txtOutXY();
  // Sets the scroll bar and the count for the list's length and redraws from the top.
  void vscSetE();
  void drawFromScroll();
  void onScrollChanged();

  WordListDocument& document_;

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
};
