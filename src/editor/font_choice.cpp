#include "editor/font_choice.h"

namespace FontChoices {

QStringList listable(const QStringList& families) {
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

bool hasDoubleByte(const QString& name) {
  for (const QChar c : name) {
    const char16_t u = c.unicode();
    const bool singleByte = u < 0x80 || (u >= 0xFF61 && u <= 0xFF9F);
    if (!singleByte) return true;
  }
  return false;
}

}  // namespace FontChoices
