#pragma once

#include <QColor>
#include <QFont>
#include <QFontInfo>
#include <QHash>
#include <QImage>
#include <QList>
#include <QPainterPath>
#include <QRect>
#include <QStaticText>

#include "display/glide.h"
#include "display/label_font.h"
#include "display/picture_cache.h"
#include "display/stage.h"

class QPainter;

// Paints the visible word labels of a stage at the device's full resolution.
// Laid-out text is cached per caption, face, size and style so that a tick
// costs little; the cache is bounded because sizes change every tick in some
// patterns.
class LabelPainter {
 public:
  static constexpr int kMaxCached = 512;
  // Large text is kept as ready pictures. Pictures the last frame did not use
  // are dropped once all of them outweigh twice those it used, or the budget
  // floor if that is more: some patterns change the size every tick.
  static constexpr qint64 kMinPictureBudget = 1024 * 1024;
  // Qt makes a font engine for every size drawn, and patterns that grow or
  // shrink text draw a new size at every tick. After this many new sizes the
  // engines go between two frames, within a word too, with the laid-out text
  // the last frame did not use (it holds them).
  static constexpr int kNewSizesPerEngineRelease = 16;

  // A larger floor keeps more pictures for later frames. Drawing a picture
  // again may place its text up to 1/64 px differently, so frame-by-frame
  // output that must not vary between runs keeps them longer.
  explicit LabelPainter(qint64 pictureBudgetFloor = kMinPictureBudget) : cache_(pictureBudgetFloor, kMaxCached) {}

  // Draws one frame's labels.
  void paint(QPainter& painter, const QList<ShownLabel>& labels);
  // Forgets all cached text, for when a new pattern or word starts, and
  // gives the freed memory back to the system.
  void releaseStale();
  qint64 pictureBytes() const { return cache_.bytes(); }
  // The pattern name at the top-left corner: bold Arial 18 pt, pale cyan.
  void paintPatternName(QPainter& painter, const QString& name);
  static QRect patternNameRect() { return QRect(0, 0, 400, 40); }
  // A label's text alone, transparent around the letters, in device pixels,
  // for a surface that blends pictures itself; `corner` is where its top-left
  // lies from the label's place on whole device pixels. Null for no text.
  struct Picture {
    QImage image;
    QPoint corner;
    // The same picture without its wholly transparent margins: a surface that
    // redraws only where letters are covers less.
    Picture trimmed() const;
  };
  static Picture picture(const Label& label, qreal ratio);
  static Picture patternNamePicture(const QString& name, qreal ratio);
  // Where a label's picture goes, in device pixels.
  static QPoint devicePlace(const Label& label, qreal ratio);

  // The screen rectangles of the visible labels, for partial repaints.
  static QList<QRect> visibleRects(const Stage& stage);
  // One label's rectangle among them: nothing of it is drawn outside.
  static QRect rectOf(const Stage& stage, const Label& label);
  // A label of a stage as drawn where the stage placed it.
  static ShownLabel shown(const Stage& stage, const Label& label);
  // The visible labels of a stage, in drawing order.
  static QList<ShownLabel> shownLabels(const Stage& stage);

  // What decides how a label's text looks on a device.
  struct Key {
    LabelTextKey text;
    uint32_t color;
    qreal ratio;           // device pixels per layout pixel
    bool gliding = false;  // drawn between two sizes
    bool operator==(const Key&) const = default;
    static Key of(const Label& label, qreal ratio, bool gliding = false) {
      return {{label.caption, label.face, label.size, label.italic}, label.color, ratio, gliding};
    }
  };
  friend size_t qHash(const Key& key, size_t seed) {
    return qHashMulti(seed, key.text, key.color, key.ratio, key.gliding);
  }

 private:
  // Text up to kMaxGlyphPixels device pixels is drawn from Qt's glyph cache; larger text
  // is drawn from its outline, emboldened by hand where the face has no real
  // bold (the cache's synthetic bold does not reach outlines).
  static constexpr int kMaxGlyphPixels = 64;
  // Qt's FreeType engine gives faces without a bold style a synthetic bold
  // only in fonts of fewer pixels than this (layout pixels: the font's own size).
  static constexpr int kQtSyntheticBoldLimit = 64;
  struct Entry {
    QStaticText text;
    QFont font;
    bool usePicture = false;
    // The text drawn once in device pixels: the outline of large text, or
    // any text drawn between two sizes.
    QImage picture;
    QPoint pictureOffset;  // where the picture's corner lies from the label's corner, in device pixels
  };
  const Entry& entryFor(const Label& label, qreal ratio, bool gliding);
  static bool hasRealBold(const QString& family);
  static bool outlineIsBold(const QFontInfo& info);
  static bool needsOutline(const LabelFont::Face& face, qreal ratio);
  static Picture drawOutline(const QFont& font, const QString& text, const QColor& color, qreal ratio,
                             bool leaning = false);
  // A label's picture, from its outline or as the glyph cache draws it.
  static Picture pictureOf(const LabelFont::Face& face, const Label& label, qreal ratio, bool outline);
  static QFont patternNameFont();
  void paintLabel(QPainter& painter, const ShownLabel& shown, qreal ratio);

  PictureCache<Key, Entry> cache_;
  int newSizes_ = 0;  // still entries made since the engines were last released
  QStaticText patternName_;
  QFont patternNameFont_;
};
