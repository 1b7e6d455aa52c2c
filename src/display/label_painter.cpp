#include "display/label_painter.h"

#include <QPainter>
#include <cmath>

#include "display/label_font.h"

const LabelPainter::Entry& LabelPainter::entryFor(const Label& label) {
  const Key key{label.caption, label.face, label.size, label.italic};
  auto it = cache_.find(key);
  if (it != cache_.end()) return *it;
  if (cache_.size() >= kMaxCached) cache_.clear();
  Entry entry;
  entry.font = LabelFont::make(label.face, label.size, label.italic);
  entry.text.setText(label.caption);
  entry.text.setTextFormat(Qt::PlainText);
  entry.text.setPerformanceHint(QStaticText::AggressiveCaching);
  entry.text.prepare(QTransform(), entry.font);
  return *cache_.insert(key, entry);
}

void LabelPainter::paintLabel(QPainter& painter, const Label& label) {
  if (!label.visible || label.caption.isEmpty()) return;
  const Entry& entry = entryFor(label);
  painter.setFont(entry.font);
  painter.setPen(colorOf(label.color));
  painter.drawStaticText(QPointF(std::round(label.left), std::round(label.top)), entry.text);
}

void LabelPainter::paint(QPainter& painter, const Stage& stage) {
  for (const Label& label : stage.lblQ) paintLabel(painter, label);
  for (const Label& label : stage.lblF) paintLabel(painter, label);
}

QList<QRect> LabelPainter::visibleRects(const Stage& stage) {
  QList<QRect> rects;
  auto add = [&](const Label& label) {
    if (!label.visible) return;
    const QSize size = stage.size(label);
    // A little slack for italic overhang and antialiasing.
    rects.append(QRect(int(std::floor(label.left)) - 4, int(std::floor(label.top)) - 2,
                       size.width() + 12, size.height() + 4));
  };
  for (const Label& label : stage.lblQ) add(label);
  for (const Label& label : stage.lblF) add(label);
  return rects;
}

void LabelPainter::paintPatternName(QPainter& painter, const QString& name) {
  if (name.isEmpty()) return;
  QFont font(QStringLiteral("Arial"));
  font.setPointSize(18);
  font.setBold(true);
  painter.setFont(font);
  painter.setPen(colorOf(0x00FFFFC0));
  painter.drawText(patternNameRect(), Qt::AlignLeft | Qt::AlignTop, name);
}
