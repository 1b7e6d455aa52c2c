#include "display/label_fit.h"

#include "display/monotone_search.h"

#include <QStringList>
#include <algorithm>
#include <cmath>

namespace {

constexpr size_t kSlots = 8;
// The one-line fit looks no lower than this.
constexpr int kMinPoints = 8;

}  // namespace


LabelFit::Fit LabelFit::of(const TextMetrics& metrics, const QString& caption, const QString& face, bool italic,
                           int pointSize, int width, int height) const {
  const Fit asGiven{pointSize, caption, {}, false};
  if (width <= 0 || height <= 0 || caption.isEmpty()) return asGiven;
  Slot* slot = nullptr;
  // Labels share their caption's data, so the pointer finds the slot without reading the text.
  for (Slot& s : slots_)
    if (s.width == width && s.height == height && s.italic == italic && s.caption.size() == caption.size() &&
        (s.caption.constData() == caption.constData() || s.caption == caption) && s.face == face) {
      slot = &s;
      break;
    }
  if (!slot) {
    if (slots_.size() >= kSlots) slots_.erase(slots_.begin());
    slot = &slots_.emplace_back(Slot{caption, face, italic, width, height, 0, -1, std::nullopt, {}, {}});
    slot->oneLine = oneLineMax(metrics, *slot);
  }
  if (pointSize <= slot->oneLine) return asGiven;
  if (const auto it = slot->fits.constFind(pointSize); it != slot->fits.constEnd()) return *it;
  return *slot->fits.insert(pointSize, wrapped(metrics, *slot, pointSize));
}

int LabelFit::oneLineMax(const TextMetrics& metrics, const Slot& slot) {
  // A text already broken into lines is laid out afresh.
  if (slot.caption.contains(kLineBreak)) return 0;
  if (slot.caption.size() > LineBreaking::mostCharacters(slot.width)) return 0;
  auto fits = [&](int size) {
    const QSize s = metrics.measure(slot.caption, slot.face, size, slot.italic);
    return s.width() <= slot.width && s.height() <= slot.height;
  };
  // Text grows in proportion to its size, near enough to start from.
  const QSize at24 = metrics.measure(slot.caption, slot.face, 24, slot.italic);
  const double ratio = std::min(double(slot.width) / std::max(1, at24.width()),
                                double(slot.height) / std::max(1, at24.height()));
  int size = int(std::clamp(std::floor(24 * ratio), double(kMinPoints), double(kUnchecked)));
  if (size >= kUnchecked) return INT_MAX;
  for (int tries = 0; size > kMinPoints && !fits(size) && tries < 64; ++tries)
    size = std::max(kMinPoints, size - std::max(1, size / 50));
  for (int tries = 0; tries < 8 && fits(size + 1); ++tries) ++size;
  return size > kMinPoints || fits(size) ? size : 0;
}

LabelFit::Fit LabelFit::wrapped(const TextMetrics& metrics, Slot& slot, int pointSize) {
  // One line's height at a size, from the text's first character.
  const QString sample = slot.caption.left(slot.caption.at(0).isHighSurrogate() ? 2 : 1);
  auto lineHeight = [&](int size) { return std::max(1, metrics.measure(sample, slot.face, size, slot.italic).height()); };
  if (slot.floorSize < 0) {
    const double floorPixels = double(kFloorPixels) * slot.height / kFloorScreenLines;
    // The largest size under the floor, and one more.
    slot.floorSize = 1 + MonotoneSearch::largestHolding(0, kUnchecked - 1,
                                                        [&](int size) { return lineHeight(size) < floorPixels; });
  }
  if (!slot.breaking) {
    QString text = slot.caption;
    slot.breaking.emplace(text.replace(kLineBreak, u' '));
  }

  // The text in lines at `size`; nullopt where it does not all fit and `cut` is false.
  auto attempt = [&](int size, bool cut, bool even) -> std::optional<Fit> {
    const int height = lineHeight(size);
    const auto widthOf = [&](const QString& line) {
      return metrics.measure(line, slot.face, size, slot.italic).width();
    };
    const int maxLines = slot.height / height;
    if (!cut && maxLines == 0) return std::nullopt;
    LineBreaking::Lines laid = slot.breaking->layout(widthOf, slot.width, std::max(1, maxLines), even);
    if (!cut && (!laid.complete || laid.brokeWords)) return std::nullopt;
    if (!laid.complete && !laid.lines.isEmpty()) {
      // Cut at the last line's end, with an ellipsis that fits beside it.
      const QString ellipsis(QChar(0x2026));
      QString& last = laid.lines.last();
      const qsizetype low = MonotoneSearch::largestHolding(
          qsizetype(0), last.size(), [&](qsizetype n) { return widthOf(last.left(n) + ellipsis) <= slot.width; });
      const qsizetype keep = low > 0 && last.at(low - 1).isHighSurrogate() ? low - 1 : low;
      last = last.left(keep).trimmed() + ellipsis;
    }
    int widest = 0;
    for (const QString& line : laid.lines) widest = std::max(widest, widthOf(line));
    return Fit{size, laid.lines.join(kLineBreak), QSize(widest, height * int(laid.lines.size())), true};
  };
  auto holds = [&](int size) {
    if (const auto it = slot.holdsAt.constFind(size); it != slot.holdsAt.constEnd()) return *it;
    return *slot.holdsAt.insert(size, attempt(size, false, false).has_value());
  };

  if (holds(pointSize)) return *attempt(pointSize, false, true);
  // Too tall at the pattern's size: the largest smaller size that holds it all, down to the floor.
  const int floor = std::min(slot.floorSize, pointSize);
  if (floor < pointSize && holds(floor)) {
    return *attempt(MonotoneSearch::largestHolding(floor, pointSize - 1, holds), false, true);
  }
  return *attempt(floor, true, true);
}
