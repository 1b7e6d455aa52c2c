#include "display/label_font.h"

#include <algorithm>

namespace LabelFont {

QFont make(const QString& face, int pointSize, bool italic) {
  QFont font(face);
  font.setPointSize(std::max(1, pointSize));
  font.setBold(true);
  font.setItalic(italic);
  return font;
}

}  // namespace LabelFont
