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
#ifdef Q_OS_WIN
  // Qt draws hinted text on Windows with GDI, whose engine keeps its own copy
  // of the face's character map for every size (a quarter megabyte for a
  // Japanese face), and the patterns draw in dozens of sizes. Unhinted text
  // goes through DirectWrite, which looks characters up in the face itself
  // and copies no map. Hinting would only sharpen the smallest words a
  // little; Qt takes the same path on high-DPI screens anyway.
  font.setHintingPreference(QFont::PreferNoHinting);
#endif
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
  QFont::cleanup();
  HeapTrim::release();
}

void releaseFreedMemory() {
  // Qt keeps an engine for every face and pixel size drawn, and in each the
  // glyphs of every word drawn at that size: in the sizes the patterns use
  // all the time they would pile up all night. Dropping the engines at every
  // word instead made each size cost a new engine and font match again;
  // dropping them every few words keeps both small.
  static int words = 0;
  // Freed pictures and glyphs otherwise stay with the process's heap.
  if (++words % kWordsPerEngineRelease == 0)
    releaseEngines();
  else
    HeapTrim::release();
}

}  // namespace LabelFont
