#include "editor/grid_cursor.h"

#include <algorithm>

#include "editor/word_list_document.h"
#include "startup/trim_spaces.h"

namespace {

constexpr int kQuestion = WordListDocument::kQuestion;
constexpr int kAnswer = WordListDocument::kAnswer;

}  // namespace

GridCursor::GridCursor(WordListDocument& document) : document_(document) {}

void GridCursor::txtSetXY(int column, int row) {
  boxColumn_ = column;
  boxRow_ = row;
  boxText_[column] = grid_[row].caption[column];
  ++boxSerial_;
}

void GridCursor::txtOutXY() {
  const QString typed = trimSpaces(boxText_[openCol_]);
  if (document_.store(openCol_, curItem_, typed)) grid_[curRow_].caption[openCol_] = typed;
}

void GridCursor::vscSetE() {
  const int count = document_.editCount();
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
    grid_[row].caption[kQuestion] = document_.editQ().at(row);
    grid_[row].caption[kAnswer] = document_.editA().at(row);
  }
  countCaption_ = QStringLiteral("x") + QString::number(count);
}

void GridCursor::setScrollValue(int value) {
  if (scrollEnabled_) value = std::clamp(value, 0, scrollMax_);
  else value = 0;
  if (value == scrollValue_) return;
  scrollValue_ = value;
  onScrollChanged();
}

void GridCursor::drawFromScroll() {
  const int top = scrollValue_ + 1;
  for (int row = 0; row < kRows; ++row) {
    const int item = top + row;
    if (item > document_.editCount()) break;
    grid_[row].caption[kQuestion] = document_.editQ().at(item - 1);
    grid_[row].caption[kAnswer] = document_.editA().at(item - 1);
  }
}

void GridCursor::onScrollChanged() {
  txtOutXY();
  drawFromScroll();
  const int top = scrollValue_ + 1;
  curItem_ = std::clamp(curItem_, top, top + kRows - 1);
  curRow_ = curItem_ - top;
  txtSetXY(curCol_, curRow_);
}

void GridCursor::resetToTop() {
  // With the bar at 0 before the redraw, the box is never compared against
  // an item it did not come from.
  scrollValue_ = 0;
  curCol_ = openCol_ = 0;
  curRow_ = 0;
  curItem_ = 1;
  vscSetE();
  txtSetXY(curCol_, curRow_);
}

void GridCursor::showAt(const GridPosition& at) {
  scrollValue_ = at.scroll;
  vscSetE();
  if (scrollValue_ > 0) drawFromScroll();
  curItem_ = std::clamp(at.item, 1, std::max(document_.editCount(), 1));
  curCol_ = openCol_ = at.column;
  curRow_ = std::clamp(curItem_ - scrollValue_ - 1, 0, kRows - 1);
  txtSetXY(curCol_, curRow_);
}

void GridCursor::clickCell(int column, int row) {
  if (row < 0 || row >= kRows || !grid_[row].filled) return;
  txtOutXY();
  openCol_ = curCol_ = column;
  curRow_ = row;
  curItem_ = scrollEnabled_ ? scrollValue_ + row + 1 : row + 1;
  if (curItem_ <= document_.editCount()) txtSetXY(column, row);
  focusRequest_ = column;
}

int GridCursor::takeFocusRequest() {
  const int column = focusRequest_;
  focusRequest_ = -1;
  return column;
}

void GridCursor::keyDown(int column, NavKey key, int caret) {
  const int lastTop = document_.editCount() - kRows;  // the largest scroll value
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
