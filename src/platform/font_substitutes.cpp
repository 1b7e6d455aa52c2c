#include "platform/font_substitutes.h"

#include <QFont>
#include <QStringList>

namespace FontSubstitutes {

void install() {
  const QStringList gothic{QStringLiteral("IPAPGothic"), QStringLiteral("IPAGothic")};
  const QStringList mincho{QStringLiteral("IPAPMincho"), QStringLiteral("IPAMincho")};
  QFont::insertSubstitutions(QStringLiteral("ＭＳ Ｐゴシック"), gothic);
  QFont::insertSubstitutions(QStringLiteral("ＭＳ ゴシック"), {QStringLiteral("IPAGothic")});
  QFont::insertSubstitutions(QStringLiteral("MS PGothic"), gothic);
  QFont::insertSubstitutions(QStringLiteral("MS UI Gothic"), gothic);
  QFont::insertSubstitutions(QStringLiteral("ＭＳ Ｐ明朝"), mincho);
  QFont::insertSubstitutions(QStringLiteral("ＭＳ 明朝"), {QStringLiteral("IPAMincho")});
  QFont::insertSubstitutions(QStringLiteral("Arial"), {QStringLiteral("Liberation Sans")});
}

}  // namespace FontSubstitutes
