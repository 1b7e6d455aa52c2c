#include "display/label_font.h"

#include <QFontMetrics>
#include <QList>
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

Face forText(const QString& face, int pointSize, bool italic, const QString& text) {
  Face chosen{make(face, pointSize, italic)};
  if (!italic) return chosen;
  const QFontMetrics slanted(chosen.font);
  QFont upright = make(face, pointSize, false);
  const QFontMetrics straight(upright);
  for (const uint c : text.toUcs4()) {
    if (QChar::isSpace(c) || !QChar::isPrint(c) || slanted.inFontUcs4(c) || !straight.inFontUcs4(c)) continue;
    chosen = Face{upright, true};
    break;
  }
  return chosen;
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
