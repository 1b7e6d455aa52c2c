#pragma once

#include <QString>
#include <QStringList>

// The font chooser of one grid column: the entry the user picked, the entry
// last applied to the column's cells, and the text the chooser shows (the
// name that travels with the list into its file and into the saver).
struct FontChoice {
  QString text;          // what the chooser shows
  int index = -1;        // entry matching `text`; -1 when none does
  int picked = -1;       // entry last picked by the user (or set with the text)
  int applied = -1;      // entry last applied to the cells; -1 = none yet
  QString listFont;      // the list's font as opened or last saved; applying another is an edit
  QString appliedName;   // font of the column's cells; empty = the window's own font
  int inputMode = 0;     // kInputHiragana for names with double-byte characters, else kInputFree
};

inline constexpr int kInputFree = 0;
inline constexpr int kInputHiragana = 4;

namespace FontChoices {

// The installed families the choosers offer, in the platform's order: names
// beginning with "@" (vertical-writing faces) and the bitmap faces "System"
// and "FixedSys" (exact, case-sensitive) are left out.
QStringList listable(const QStringList& families);

// True when the name holds a character that takes two bytes in the Japanese
// ANSI code page: anything beyond ASCII except half-width katakana.
bool hasDoubleByte(const QString& name);

}  // namespace FontChoices
