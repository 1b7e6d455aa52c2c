#pragma once

#include <QString>
#include <QStringList>
#include <array>

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

// The editor's two font choosers (column 0 questions, column 1 answers) and
// the installed faces they offer. A pick reaches the column's cells on the
// next tick of the window's 300 ms font timer, not at once.
class FontChoosers {
 public:
  // The installed families the choosers offer, in the platform's order: names
  // beginning with "@" (vertical-writing faces) and the bitmap faces "System"
  // and "FixedSys" (exact, case-sensitive) are left out.
  static QStringList listable(const QStringList& families);

  // True when the name holds a character that takes two bytes in the Japanese
  // ANSI code page: anything beyond ASCII except half-width katakana.
  static bool hasDoubleByte(const QString& name);

  // Offers the listable ones of `families`; both choosers start afresh.
  void load(const QStringList& families);

  const QStringList& fontList() const { return fontList_; }
  const FontChoice& font(int column) const { return fonts_[column]; }

  // Sets the chooser to the list's font (or the fallback when it is not
  // installed); picking another font later is an edit.
  void setListFont(int column, const QString& name);
  // The user picked entry `index` of a chooser (cmbQ_Click / cmbA_Click).
  void pickFont(int column, int index);
  // The user typed into a chooser: its text changes, the pick does not.
  void typeFontText(int column, const QString& text);

  struct Tick {
    bool applied = false;  // a column got a new font
    bool edit = false;     // one of them is not the list's own font: the list changed
  };
  // One tick of the font timer: each column's new pick is applied.
  Tick tick();

  // The list was saved with the choosers' texts: they are its own fonts now.
  void markSaved();

 private:
  void setFontText(int column, const QString& name);

  QStringList fontList_;
  std::array<FontChoice, 2> fonts_{};
};
