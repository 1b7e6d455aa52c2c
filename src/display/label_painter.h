#pragma once

#include <QColor>
#include <QFont>
#include <QHash>
#include <QImage>
#include <QList>
#include <QPainterPath>
#include <QRect>
#include <QStaticText>

#include "display/label_font.h"
#include "display/stage.h"

class QPainter;

// Paints the visible word labels of a stage. Laid-out text is cached per
// caption, face, size and style so that a tick costs little; the cache is
// bounded because sizes change every tick in some patterns.
class LabelPainter {
 public:
  static constexpr int kMaxCached = 512;
  // Large text is kept as ready pictures; they are bounded in bytes because
  // some patterns change the size every tick.
  static constexpr qint64 kMaxPictureBytes = 48 * 1024 * 1024;

  void paint(QPainter& painter, const Stage& stage);
  // The pattern name at the top-left corner: bold Arial 18 pt, pale cyan.
  static void paintPatternName(QPainter& painter, const QString& name);
  static QRect patternNameRect() { return QRect(0, 0, 400, 40); }
  // The screen rectangles of the visible labels, for partial repaints.
  static QList<QRect> visibleRects(const Stage& stage);

 private:
  struct Key {
    LabelTextKey text;
    uint32_t color;
    bool operator==(const Key&) const = default;
  };
  friend size_t qHash(const Key& key, size_t seed) { return qHashMulti(seed, key.text, key.color); }
  // Text up to kMaxGlyphPixels is drawn from Qt's glyph cache; larger text
  // is drawn from its outline, emboldened by hand where the face has no real
  // bold (the cache's synthetic bold does not reach outlines).
  static constexpr int kMaxGlyphPixels = 64;
  struct Entry {
    QStaticText text;
    QFont font;
    bool useOutline = false;
    QImage picture;       // the outline drawn once, for large text
    QPoint pictureOffset;  // where the picture's corner lies from the label's corner
  };
  const Entry& entryFor(const Label& label);
  static bool hasRealBold(const QString& family);
  static void drawOutline(Entry& entry, const QString& text, const QColor& color);
  void paintLabel(QPainter& painter, const Label& label);

  QHash<Key, Entry> cache_;
  qint64 pictureBytes_ = 0;
};
