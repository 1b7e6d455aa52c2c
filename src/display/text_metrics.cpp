#include "display/text_metrics.h"

#include <QFont>
#include <QFontMetrics>


QSize QtTextMetrics::measure(const QString& text, const QString& face, int pointSize, bool italic) const {
  const LabelTextKey key{text, face, pointSize, italic};
  if (const auto it = cache_.constFind(key); it != cache_.constEnd()) return *it;
  if (cache_.size() > 4096) cache_.clear();
  const QFontMetrics metrics(LabelFont::forText(face, pointSize, italic, text).font);
  const QSize size(metrics.horizontalAdvance(text), metrics.height());
  cache_.insert(key, size);
  return size;
}
