#include "editor/item_operations.h"

#include <QLocale>
#include <algorithm>
#include <numeric>
#include <vector>

#include "desktop/clipboard.h"
#include "startup/random_source.h"

namespace EditorGrid {

GridPosition scrolledTo(GridPosition at, int scroll, int count) {
  at.scroll = std::clamp(scroll, 0, maxScroll(count));
  const int top = at.scroll + 1;
  at.item = std::clamp(at.item, top, top + kVisibleRows - 1);
  at.row = at.item - top;
  return at;
}

}  // namespace EditorGrid

namespace ItemOperations {

namespace {

bool isValid(const QStringList& questions, const QStringList& answers, const GridPosition& at) {
  return questions.size() == answers.size() && at.item >= 1 && at.item <= questions.size();
}

// Where the cell lands once the list holds `count` items and the grid has
// been redrawn: through the scroll handler while the grid scrolls, else on
// the row that shows the item.
GridPosition settle(GridPosition at, int scroll, int count) {
  if (EditorGrid::scrolls(count)) return EditorGrid::scrolledTo(at, scroll, count);
  at.scroll = 0;
  at.row = at.item - 1;
  return at;
}

// Rearranges both columns so that item p becomes old item order[p].
void applyOrder(QStringList& questions, QStringList& answers, const std::vector<int>& order) {
  QStringList sortedQuestions;
  QStringList sortedAnswers;
  sortedQuestions.reserve(questions.size());
  sortedAnswers.reserve(answers.size());
  for (int index : order) {
    sortedQuestions.append(questions.at(index));
    sortedAnswers.append(answers.at(index));
  }
  questions = std::move(sortedQuestions);
  answers = std::move(sortedAnswers);
}

std::vector<int> identityOrder(qsizetype count) {
  std::vector<int> order(static_cast<size_t>(count));
  std::iota(order.begin(), order.end(), 0);
  return order;
}

}  // namespace

std::optional<GridPosition> insertAfterCurrent(QStringList& questions, QStringList& answers,
                                               const GridPosition& at) {
  if (!isValid(questions, answers, at) || questions.size() >= kMaxItems) return std::nullopt;
  questions.insert(at.item, QString());
  answers.insert(at.item, QString());
  const int count = int(questions.size());

  GridPosition next = at;
  next.item = at.item + 1;
  if (at.row + 1 >= EditorGrid::kVisibleRows) return EditorGrid::scrolledTo(next, at.scroll + 1, count);
  next.row = at.row + 1;
  if (EditorGrid::scrolls(count)) return EditorGrid::scrolledTo(next, at.scroll, count);
  next.scroll = 0;
  return next;
}

std::optional<GridPosition> deleteCurrentItem(QStringList& questions, QStringList& answers,
                                              const GridPosition& at) {
  if (!isValid(questions, answers, at) || questions.size() <= 1) return std::nullopt;
  GridPosition next = at;
  if (at.item == questions.size()) {
    next.item -= 1;
    next.row -= 1;
  }
  questions.removeAt(at.item - 1);
  answers.removeAt(at.item - 1);
  const int count = int(questions.size());
  // When the list has just stopped scrolling the grid is drawn from the top
  // again, so the cell goes to the row that now shows its item; a list that
  // was already short keeps the cell where it is, which is the same row.
  return settle(next, at.scroll, count);
}

MoveResult moveCurrentItem(QStringList& questions, QStringList& answers, const GridPosition& at,
                           MoveDirection direction) {
  if (!isValid(questions, answers, at)) return {false, at};
  const int count = int(questions.size());
  const int upper = direction == MoveDirection::Up ? at.item - 1 : at.item;  // j: swap j and j + 1
  if (upper <= 0 || upper >= count) return {false, at};
  questions.swapItemsAt(upper - 1, upper);
  answers.swapItemsAt(upper - 1, upper);

  GridPosition next = at;
  next.item = direction == MoveDirection::Up ? at.item - 1 : at.item + 1;
  if (!EditorGrid::scrolls(count)) return {true, settle(next, 0, count)};
  int scroll = at.scroll;
  if (next.item > scroll + EditorGrid::kVisibleRows)
    scroll += 1;
  else if (next.item < scroll + 1)
    scroll -= 1;
  return {true, EditorGrid::scrolledTo(next, scroll, count)};
}

QCollator questionCollator() {
  QCollator collator{QLocale()};
  collator.setCaseSensitivity(Qt::CaseInsensitive);
  return collator;
}

GridPosition sortByQuestion(QStringList& questions, QStringList& answers, const QCollator& collator) {
  std::vector<int> order = identityOrder(questions.size());
  std::stable_sort(order.begin(), order.end(), [&](int left, int right) {
    return collator.compare(questions.at(left), questions.at(right)) < 0;
  });
  applyOrder(questions, answers, order);
  return EditorGrid::kTop;
}

GridPosition shuffle(QStringList& questions, QStringList& answers, RandomSource& random) {
  // Fisher-Yates: the item for each place, from the last down, is drawn from
  // those not yet placed, so every order is equally likely.
  for (qsizetype i = questions.size() - 1; i > 0; --i) {
    const qsizetype j = random.choose(int(i + 1));
    questions.swapItemsAt(i, j);
    answers.swapItemsAt(i, j);
  }
  return EditorGrid::kTop;
}

}  // namespace ItemOperations

void EditBoxText::replaceSelection(const QString& replacement) {
  const int start = std::clamp(selectionStart, 0, int(text.size()));
  const int length = std::clamp(selectionLength, 0, int(text.size()) - start);
  text.replace(start, length, replacement);
  selectionStart = start + int(replacement.size());
  selectionLength = 0;
}

namespace TextCommands {

void copy(const EditBoxText& box, Clipboard& clipboard) { clipboard.setText(box.selectedText()); }

void cut(EditBoxText& box, Clipboard& clipboard) {
  copy(box, clipboard);
  deleteSelection(box);
}

void deleteSelection(EditBoxText& box) { box.replaceSelection(QString()); }

void paste(EditBoxText& box, const Clipboard& clipboard) {
  const QString text = clipboard.text();
  if (text.isEmpty()) return;
  box.replaceSelection(firstLine(text));
}

QString firstLine(const QString& text) {
  const qsizetype lineFeed = text.indexOf(u'\n');
  if (lineFeed < 0) return text;
  QString line = text.left(lineFeed);
  if (line.endsWith(u'\r')) line.chop(1);
  return line;
}

}  // namespace TextCommands
