#pragma once

#include <QColor>
#include <QFont>
#include <QHash>
#include <QList>
#include <QRect>
#include <QStaticText>

#include "display/stage.h"

class QPainter;

// Paints the visible word labels of a stage. Laid-out text is cached per
// caption, face, size and style so that a tick costs little; the cache is
// bounded because sizes change every tick in some patterns.
class LabelPainter {
 public:
  static constexpr int kMaxCached = 512;

  void paint(QPainter& painter, const Stage& stage);
  // The pattern name at the top-left corner: bold Arial 18 pt, pale cyan.
  static void paintPatternName(QPainter& painter, const QString& name);
  static QRect patternNameRect() { return QRect(0, 0, 400, 40); }
  // The screen rectangles of the visible labels, for partial repaints.
  static QList<QRect> visibleRects(const Stage& stage);

  static QColor colorOf(uint32_t bgr) { return QColor(bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF); }

 private:
  struct Key {
    QString text;
    QString face;
    int size;
    bool italic;
    bool operator==(const Key&) const = default;
  };
  friend size_t qHash(const Key& key, size_t seed) {
    return qHashMulti(seed, key.text, key.face, key.size, key.italic);
  }
  struct Entry {
    QStaticText text;
    QFont font;
  };
  const Entry& entryFor(const Label& label);
  void paintLabel(QPainter& painter, const Label& label);

  QHash<Key, Entry> cache_;
};
