#pragma once

#include <QString>
#include <QStringList>
#include <optional>

#include "editor/item_operations.h"

// The editor's search: each SEARCH finds the next item whose answer or
// question holds the search text, ignoring letter case, continuing after the
// last match and wrapping from the last item to the first. The answer of an
// item is looked at before its question, and a match moves the search on to
// the next item, so the question of the same item is not visited again.

// What the search remembers between presses of SEARCH; reset() when the
// editor opens. `position` is the 1-based item of the last match, 0 for
// "before the first item". It outlives edits, sorts and deletions unchanged:
// a position beyond the list makes the next walk start from the top.
struct ListSearch {
  QString text;
  int position = 0;

  void reset() { *this = ListSearch{}; }
};

struct SearchMatch {
  int item = 0;    // 1-based
  int column = 0;  // 0 question, 1 answer
  int start = 0;   // 0-based position of the match in that cell's text
  int length = 0;  // the search text's length: the selection to make
  GridPosition grid;  // where the edit cell goes (the grid scrolled as needed)
};

namespace ListSearchProcedure {

// One press of SEARCH with `boxText` in the search box. The caller commits
// the edit box first, then for a match opens the edit box on `grid`, selects
// `start`..`start + length` in it and gives it the focus; for nullopt it
// shows EditorTexts::kSearchNotFound and leaves the cell where it is.
//
// A search text different from the remembered one (exact comparison)
// restarts at the first item. An empty search text matches the next item
// with any text in its answer or question. When the match lies above the
// visible rows the grid scrolls so that it shows on row 0, below them so
// that it shows on row 11.
std::optional<SearchMatch> findNext(ListSearch& search, const QString& boxText,
                                    const QStringList& questions, const QStringList& answers,
                                    const GridPosition& at);

}  // namespace ListSearchProcedure
