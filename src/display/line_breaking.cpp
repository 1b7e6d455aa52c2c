#include "display/line_breaking.h"

#include "display/monotone_search.h"

#include <QTextBoundaryFinder>
#include <algorithm>

namespace {

// Evening out lines costs a layout per halving of the width: worth it for
// the few lines of a sentence, not for a page.
constexpr int kMostLinesEvened = 12;

bool isSpace(QChar c) { return c.isSpace(); }

}  // namespace

LineBreaking::LineBreaking(const QString& text) : text_(text) {
  QTextBoundaryFinder finder(QTextBoundaryFinder::Line, text_);
  while (finder.toNextBoundary() > 0) breaks_.push_back(finder.position());
  if (breaks_.empty() || breaks_.back() != text_.size()) breaks_.push_back(text_.size());
}

QString LineBreaking::lineText(qsizetype start, qsizetype end) const {
  while (end > start && isSpace(text_.at(end - 1))) --end;
  return text_.mid(start, end - start);
}

qsizetype LineBreaking::fill(const MeasureWidth& measure, qsizetype start, int width) const {
  const qsizetype limit = start + mostCharacters(width);
  auto first = std::upper_bound(breaks_.begin(), breaks_.end(), start);
  auto last = std::upper_bound(first, breaks_.end(), limit);
  // The last break whose line fits; widths grow with the line.
  qsizetype best = start;
  while (first < last) {
    const auto mid = first + (last - first) / 2;
    if (measure(lineText(start, *mid)) <= width) {
      best = *mid;
      first = mid + 1;
    } else {
      last = mid;
    }
  }
  return best;
}

qsizetype LineBreaking::breakRun(const MeasureWidth& measure, qsizetype start, qsizetype end, int width,
                                 qsizetype lastPiece) const {
  const qsizetype most = std::min(end, start + mostCharacters(width)) - start;
  const auto fits = [&](qsizetype n) { return measure(text_.mid(start, n)) <= width; };
  // The answer lies in [low, high]; a piece of one character is taken even if too wide.
  qsizetype low = 1, high = most;
  if (lastPiece > 1 && lastPiece < most) {
    // Gallop from the last piece's length towards the answer.
    if (fits(lastPiece)) {
      low = lastPiece;
      for (qsizetype step = 1; low < high; step *= 2) {
        const qsizetype next = std::min(high, low + step);
        if (!fits(next)) {
          high = next - 1;
          break;
        }
        low = next;
      }
    } else {
      high = lastPiece - 1;
      for (qsizetype step = 1; high > 1; step *= 2) {
        const qsizetype next = std::max<qsizetype>(1, high - step);
        if (fits(next)) {
          low = next;
          break;
        }
        high = next - 1;
      }
    }
  }
  low = MonotoneSearch::largestHolding(low, high, fits);
  qsizetype cut = start + std::max<qsizetype>(1, low);
  // Never between the halves of a surrogate pair.
  if (cut < text_.size() && text_.at(cut).isLowSurrogate()) cut += cut - 1 > start ? -1 : 1;
  return cut;
}

LineBreaking::Lines LineBreaking::greedy(const MeasureWidth& measure, int width, int maxLines) const {
  Lines result;
  qsizetype start = 0, lastPiece = 0;
  const qsizetype length = text_.size();
  while (start < length && isSpace(text_.at(start))) ++start;
  while (start < length) {
    if (result.lines.size() >= maxLines) {
      result.complete = false;
      break;
    }
    qsizetype end = fill(measure, start, width);
    if (end == start) {
      const auto run = std::upper_bound(breaks_.begin(), breaks_.end(), start);
      end = breakRun(measure, start, *run, width, lastPiece);
      lastPiece = end - start;
      result.brokeWords = true;
    }
    result.lines.append(lineText(start, end));
    start = end;
    while (start < length && isSpace(text_.at(start))) ++start;
  }
  return result;
}

LineBreaking::Lines LineBreaking::layout(const MeasureWidth& measure, int width, int maxLines, bool even) const {
  Lines widest = greedy(measure, width, maxLines);
  const qsizetype count = widest.lines.size();
  if (!even || count < 2 || count > kMostLinesEvened || !widest.complete || widest.brokeWords) return widest;
  // The narrowest width that still takes no more lines: no less than the
  // lines' mean width.
  int widestLine = 0, total = 0;
  for (const QString& line : widest.lines) {
    const int w = measure(line);
    widestLine = std::max(widestLine, w);
    total += w;
  }
  int low = total / int(count), high = widestLine;
  Lines best = widest;
  while (low < high) {
    const int mid = (low + high) / 2;
    Lines tried = greedy(measure, mid, int(count));
    if (tried.complete && !tried.brokeWords && tried.lines.size() == count) {
      best = std::move(tried);
      high = mid;
    } else {
      low = mid + 1;
    }
  }
  return best;
}
