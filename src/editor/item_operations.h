#pragma once

#include <QCollator>
#include <QString>
#include <QStringList>
#include <optional>

class Clipboard;
class RandomSource;

// Pure procedures behind the editor's item commands (insert, delete, move,
// sort, shuffle) and its four text commands (cut, copy, paste, delete). They
// work on the working list as WordListDocument holds it -- item i (1-based)
// is questions[i - 1] / answers[i - 1] -- and on a small description of where
// the edit cell stands in the twelve-row grid. They never touch a widget: the
// document marks the list changed and the grid cursor applies the returned
// position (redraw the grid at `scroll`, open the edit box on `row`/`column`).
//
// Callers commit the open edit box before calling, except before
// deleteCurrentItem(), which drops the current item's uncommitted text with it.

// The editor grid: twelve rows; the scroll bar is live only when the list
// holds more items than that, and then ranges over 0..count - 12.
namespace EditorGrid {

inline constexpr int kVisibleRows = 12;

inline bool scrolls(int count) { return count > kVisibleRows; }
inline int maxScroll(int count) { return scrolls(count) ? count - kVisibleRows : 0; }

}  // namespace EditorGrid

// Where the edit cell is: curItem, curRow, curCol (= openCol) and the scroll
// bar's value. `scroll` is 0 whenever the list fits the grid.
struct GridPosition {
  int item = 1;
  int row = 0;
  int column = 0;
  int scroll = 0;

  bool operator==(const GridPosition&) const = default;
};

namespace EditorGrid {

// What the grid's scroll handler does when the scroll bar takes `scroll`
// (clamped to the bar's range): the current item is pulled into the visible
// rows and its row follows. Column unchanged.
GridPosition scrolledTo(GridPosition at, int scroll, int count);

// First item, question column, top of the grid: where sort, shuffle, import
// and opening a list leave the cell.
inline constexpr GridPosition kTop{};

}  // namespace EditorGrid

namespace ItemOperations {

// The most items the working list may hold: item numbers are 16-bit.
inline constexpr int kMaxItems = 32767;

// Inserts an empty item directly below the current one; it becomes the
// current item in the same column. On the last visible row the grid scrolls
// one line so the new item shows on row 11; elsewhere the scroll position is
// kept. nullopt (list unchanged) when the list already holds kMaxItems.
// The editor then marks the list changed and opens the (empty) edit box on
// the returned cell.
std::optional<GridPosition> insertAfterCurrent(QStringList& questions, QStringList& answers,
                                               const GridPosition& at);

// Removes the current item. nullopt when it is the only item: the list is
// unchanged and the editor shows EditorTexts::kCannotDelete. Otherwise the cell
// stays on the item that took the removed one's place (or the new last item),
// with the text of that item in the edit box.
std::optional<GridPosition> deleteCurrentItem(QStringList& questions, QStringList& answers,
                                              const GridPosition& at);

enum class MoveDirection { Up = 0, Down = 1 };

struct MoveResult {
  bool moved = false;  // false: the item was already at that end
  GridPosition position;
};

// Swaps the current item with its neighbour; the cell follows the item and the
// grid scrolls one line when it would leave the visible rows. The list counts
// as changed even when nothing moved.
MoveResult moveCurrentItem(QStringList& questions, QStringList& answers, const GridPosition& at,
                           MoveDirection direction);

// Orders the items by question with `collator` (the editor passes one for the
// user's locale, case-insensitive -- see questionCollator()). Answers travel
// with their questions; equal questions keep their order. Returns kTop.
GridPosition sortByQuestion(QStringList& questions, QStringList& answers, const QCollator& collator);

// A collator for the user's locale that ignores letter case.
QCollator questionCollator();

// Puts the items in a uniformly random order (Fisher-Yates, one draw from
// `random` per item but the first). Returns kTop.
GridPosition shuffle(QStringList& questions, QStringList& answers, RandomSource& random);

}  // namespace ItemOperations

// The visible edit box's text and selection, for the four text commands.
// None of them commits or marks the list changed; the next commit does.
struct EditBoxText {
  QString text;
  int selectionStart = 0;  // the caret when nothing is selected
  int selectionLength = 0;

  QString selectedText() const { return text.mid(selectionStart, selectionLength); }
  // Replaces the selection; the caret ends after the inserted text.
  void replaceSelection(const QString& replacement);

  bool operator==(const EditBoxText&) const = default;
};

namespace TextCommands {

// Copy puts the selected text (possibly empty) on the clipboard.
void copy(const EditBoxText& box, Clipboard& clipboard);
// Cut copies, then deletes the selection.
void cut(EditBoxText& box, Clipboard& clipboard);
void deleteSelection(EditBoxText& box);
// Paste replaces the selection with the first line of the clipboard text;
// an empty clipboard changes nothing.
void paste(EditBoxText& box, const Clipboard& clipboard);

// The text before the first line feed, without the carriage return before it.
QString firstLine(const QString& text);

}  // namespace TextCommands
