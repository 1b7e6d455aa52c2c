#include "editor/list_search.h"

namespace ListSearchProcedure {

namespace {

// The first occurrence of `needle` in `cell`, ignoring case; the empty text
// occurs at the start of any non-empty cell.
qsizetype occurrence(const QString& cell, const QString& needle) {
  if (cell.isEmpty()) return -1;
  return cell.indexOf(needle, 0, Qt::CaseInsensitive);
}

GridPosition cellFor(int item, int column, const GridPosition& at, int count) {
  GridPosition cell = at;
  cell.column = column;
  cell.item = item;
  if (!EditorGrid::scrolls(count)) {
    cell.scroll = 0;
    cell.row = item - 1;
    return cell;
  }
  const int scroll = at.scroll;
  if (item < scroll + 1) return EditorGrid::scrolledTo(cell, item - 1, count);
  if (item > scroll + EditorGrid::kVisibleRows)
    return EditorGrid::scrolledTo(cell, item - EditorGrid::kVisibleRows, count);
  cell.row = item - scroll - 1;
  return cell;
}

}  // namespace

std::optional<SearchMatch> findNext(ListSearch& search, const QString& boxText,
                                    const QStringList& questions, const QStringList& answers,
                                    const GridPosition& at) {
  if (boxText != search.text) {
    search.text = boxText;
    search.position = 0;
  }
  const int count = int(std::min(questions.size(), answers.size()));
  if (count == 0) return std::nullopt;
  if (search.position < 0 || search.position >= count) search.position = 0;

  // Exactly one pass: every item once, starting after the last match. A
  // pass without a match ends where it started.
  int item = search.position;
  for (int visited = 0; visited < count; ++visited) {
    item = item % count + 1;
    for (int column : {1, 0}) {
      const QString& cell = column == 1 ? answers.at(item - 1) : questions.at(item - 1);
      const qsizetype start = occurrence(cell, search.text);
      if (start < 0) continue;
      search.position = item;
      return SearchMatch{item, column, int(start), int(search.text.size()), cellFor(item, column, at, count)};
    }
  }
  return std::nullopt;
}

}  // namespace ListSearchProcedure
