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

void releaseFreedMemory() {
  // Qt's font engines stay: the patterns come back to the same sizes word
  // after word, and loading an engine again costs a font match each time (up
  // to a sixth of the program's CPU). Qt itself bounds the engines not in use.
  // Freed pictures and glyphs otherwise stay with the process's heap.
  HeapTrim::release();
}

}  // namespace LabelFont
