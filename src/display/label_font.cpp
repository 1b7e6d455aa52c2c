#include "display/label_font.h"

#include <algorithm>

#include "os/heap_trim.h"

namespace LabelFont {

QFont make(const QString& face, int pointSize, bool italic) {
  QFont font(face);
  font.setPointSize(std::max(1, pointSize));
  font.setBold(true);
  font.setItalic(italic);
  return font;
}

void releaseEngines() {
  // Qt keeps an engine with its glyphs for every face and pixel size drawn,
  // and shrinks that cache only slowly: with patterns that change the size
  // every tick, a night's display would hold several megabytes of glyphs it
  // may never draw again. Dropping the cache costs well under a millisecond
  // per word; it is what Qt itself does when the application ends.
  QFont::cleanup();
  // Freed pictures and glyphs otherwise stay with the process's heap.
  HeapTrim::release();
}

}  // namespace LabelFont
