#include "desktop/font_substitutes.h"

#include <QFont>
#include <QStringList>

namespace FontSubstitutes {

void install() {
  // Tried in order where the named face is missing: Windows' own faces
  // first, then the IPA fonts (Linux, and Windows programs under Wine).
  const QStringList gothic{QStringLiteral("Meiryo"), QStringLiteral("Yu Gothic"), QStringLiteral("MS PGothic"),
                           QStringLiteral("IPAPGothic"), QStringLiteral("IPAGothic")};
  const QStringList fixedGothic{QStringLiteral("MS Gothic"), QStringLiteral("IPAGothic")};
  const QStringList mincho{QStringLiteral("Yu Mincho"), QStringLiteral("MS PMincho"), QStringLiteral("IPAPMincho"),
                           QStringLiteral("IPAMincho")};
  const QStringList fixedMincho{QStringLiteral("MS Mincho"), QStringLiteral("IPAMincho")};
  QFont::insertSubstitutions(QStringLiteral("ＭＳ Ｐゴシック"), gothic);
  QFont::insertSubstitutions(QStringLiteral("MS PGothic"), gothic.mid(3));
  QFont::insertSubstitutions(QStringLiteral("MS UI Gothic"), gothic);
  QFont::insertSubstitutions(QStringLiteral("ＭＳ ゴシック"), fixedGothic);
  QFont::insertSubstitutions(QStringLiteral("ＭＳ Ｐ明朝"), mincho);
  QFont::insertSubstitutions(QStringLiteral("ＭＳ 明朝"), fixedMincho);
  QFont::insertSubstitutions(QStringLiteral("Arial"), {QStringLiteral("Liberation Sans")});
}

}  // namespace FontSubstitutes
