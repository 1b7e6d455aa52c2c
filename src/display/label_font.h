#pragma once

#include <QFont>
#include <QString>

#include <QHashFunctions>

namespace LabelFont {
// The bold font of a word label.
QFont make(const QString& face, int pointSize, bool italic);
// Lets go of every font engine and glyph that Qt keeps for text drawn so far,
// and gives the freed memory back to the system; for when a new pattern or
// word starts. Fonts still in use load their engines again when next drawn.
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
