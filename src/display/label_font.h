#pragma once

#include <QFont>
#include <QString>

#include <QHashFunctions>

namespace LabelFont {
// The bold font of a word label.
QFont make(const QString& face, int pointSize, bool italic);

// The font a label's text is drawn in. Qt falls back only to italic faces
// for italic text, so where no installed italic face holds some of the
// text's characters (Arabic, say) they would be boxes: such text is drawn
// with the upright font, leaning by hand (kLean).
struct Face {
  QFont font;
  bool leaning = false;
};
Face forText(const QString& face, int pointSize, bool italic, const QString& text);
// How far a leaning label slants: x moves by this much of the height above the baseline.
inline constexpr qreal kLean = 0.2;
// Gives the memory freed with the last word's pictures back to the system,
// and every kWordsPerEngineRelease calls Qt's font engines and glyphs too;
// for when a new pattern or word starts. Fonts in use load their engines
// again when next drawn.
void releaseFreedMemory();
inline constexpr int kWordsPerEngineRelease = 16;
// Lets Qt's font engines go now (fonts in use load theirs again when next
// drawn), with the memory freed.
void releaseEngines();
}

// What decides how a label's text looks, as a key for caches.
struct LabelTextKey {
  QString text;
  QString face;
  int size;
  bool italic;
  bool operator==(const LabelTextKey&) const = default;
};

inline size_t qHash(const LabelTextKey& key, size_t seed = 0) {
  return qHashMulti(seed, key.text, key.face, key.size, key.italic);
}
