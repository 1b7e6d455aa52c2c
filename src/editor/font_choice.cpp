#include "editor/font_choice.h"

#include "startup/word_list.h"

QStringList FontChoosers::listable(const QStringList& families) {
  QStringList names;
  names.reserve(families.size());
  for (const QString& family : families) {
    if (family.startsWith(u'@') || family == QLatin1String("System") ||
        family == QLatin1String("FixedSys"))
      continue;
    names.append(family);
  }
  return names;
}

bool FontChoosers::hasDoubleByte(const QString& name) {
  for (const QChar c : name) {
    const char16_t u = c.unicode();
    const bool singleByte = u < 0x80 || (u >= 0xFF61 && u <= 0xFF9F);
    if (!singleByte) return true;
  }
  return false;
}

void FontChoosers::load(const QStringList& families) {
  fontList_ = listable(families);
  fonts_.fill(FontChoice{});
}

void FontChoosers::setFontText(int column, const QString& name) {
  FontChoice& choice = fonts_[column];
  choice.text = name;
  choice.index = int(fontList_.indexOf(name));
  choice.picked = choice.index;
}

void FontChoosers::setListFont(int column, const QString& name) {
  setFontText(column, fontList_.contains(name) ? name : kFallbackListFont);
  fonts_[column].listFont = fonts_[column].text;
}

void FontChoosers::pickFont(int column, int index) {
  if (index < 0 || index >= fontList_.size()) return;
  FontChoice& choice = fonts_[column];
  choice.text = fontList_.at(index);
  choice.index = index;
  choice.picked = index;
}

void FontChoosers::typeFontText(int column, const QString& text) {
  FontChoice& choice = fonts_[column];
  choice.text = text;
  choice.index = int(fontList_.indexOf(text));
}

FontChoosers::Tick FontChoosers::tick() {
  Tick tick;
  for (FontChoice& choice : fonts_) {
    if (choice.picked == choice.applied) continue;
    choice.applied = choice.index;
    choice.appliedName = choice.text;
    choice.inputMode = hasDoubleByte(choice.text) ? kInputHiragana : kInputFree;
    tick.applied = true;
    // The list's own font, applied after opening or saving, is no edit; any other is.
    if (choice.text != choice.listFont) tick.edit = true;
  }
  return tick;
}

void FontChoosers::markSaved() {
  for (FontChoice& choice : fonts_) choice.listFont = choice.text;
}
