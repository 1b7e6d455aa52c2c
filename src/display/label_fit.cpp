#include "display/label_fit.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr size_t kSlots = 8;

// Cuts `text` to at most `length` characters, never between the halves of a surrogate pair.
QString cut(const QString& text, qsizetype length) {
  if (length >= text.size()) return text;
  if (length > 0 && text.at(length - 1).isHighSurrogate()) --length;
  return text.left(length);
}

}  // namespace

const LabelFit::Fit& LabelFit::of(const TextMetrics& metrics, const QString& caption, const QString& face,
                                  bool italic, int width, int height) const {
  // Labels share their caption's data, so the pointer finds the slot without reading the text.
  for (const Slot& s : slots_)
    if (s.width == width && s.height == height && s.italic == italic && s.caption.size() == caption.size() &&
        (s.caption.constData() == caption.constData() || s.caption == caption) && s.face == face)
      return s.fit;
  if (slots_.size() >= kSlots) slots_.erase(slots_.begin());
  slots_.push_back(Slot{caption, face, italic, width, height, compute(metrics, caption, face, italic, width, height)});
  return slots_.back().fit;
}

LabelFit::Fit LabelFit::compute(const TextMetrics& metrics, const QString& caption, const QString& face,
                                bool italic, int width, int height) {
  Fit fit{INT_MAX, caption};
  if (width <= 0 || height <= 0 || caption.isEmpty()) return fit;
  auto fits = [&](const QString& text, int size) {
    const QSize s = metrics.measure(text, face, size, italic);
    return s.width() <= width && s.height() <= height;
  };
  // No character is narrower than half a pixel at the smallest size: more
  // than twice the width in characters cannot fit, and is never measured.
  const qsizetype most = 2 * qsizetype(width) + 16;
  const QString text = cut(caption, most);
  const bool whole = text.size() == caption.size();

  if (whole) {
    // Text grows in proportion to its size, near enough to start from.
    const QSize at24 = metrics.measure(text, face, 24, italic);
    const double ratio = std::min(double(width) / std::max(1, at24.width()), double(height) / std::max(1, at24.height()));
    int size = int(std::clamp(std::floor(24 * ratio), double(kMinPoints), double(kUnchecked)));
    if (size >= kUnchecked) return fit;
    for (int tries = 0; size > kMinPoints && !fits(text, size) && tries < 64; ++tries)
      size = std::max(kMinPoints, size - std::max(1, size / 50));
    for (int tries = 0; tries < 8 && fits(text, size + 1); ++tries) ++size;
    if (size > kMinPoints || fits(text, size)) {
      fit.maxSize = size;
      return fit;
    }
  }
  // Not even the smallest size holds it all: as much as fits there, and an ellipsis.
  fit.maxSize = kMinPoints;
  const QString ellipsis(QChar(0x2026));
  qsizetype low = 0, high = text.size();
  while (low < high) {
    const qsizetype mid = (low + high + 1) / 2;
    if (fits(cut(text, mid) + ellipsis, kMinPoints))
      low = mid;
    else
      high = mid - 1;
  }
  fit.caption = cut(text, low) + ellipsis;
  return fit;
}
