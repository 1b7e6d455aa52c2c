#include <QtTest>

#include "editor/font_choice.h"
#include "startup/word_list.h"

namespace {

const QStringList kFonts{QStringLiteral("DejaVu Sans"), QStringLiteral("IPAGothic"),
                         QStringLiteral("ＭＳ 明朝"), QStringLiteral("Liberation Serif")};

// Choosers over `families`, set to a list's fonts as the editor opens them.
FontChoosers choosersFor(const QStringList& families = kFonts) {
  FontChoosers fonts;
  fonts.load(families);
  fonts.setListFont(0, QStringLiteral("DejaVu Sans"));
  fonts.setListFont(1, QStringLiteral("IPAGothic"));
  return fonts;
}

}  // namespace

class TestFontChoosers : public QObject {
  Q_OBJECT

 private slots:
  void fontListLeavesOutSystemFaces();
  void firstFontApplicationIsNotAnEdit();
  void doubleByteFontAsksForKana();
};

void TestFontChoosers::fontListLeavesOutSystemFaces() {
  const QStringList families{QStringLiteral("@IPAGothic"), QStringLiteral("System"), QStringLiteral("FixedSys"),
                             QStringLiteral("Fixedsys"),   QStringLiteral("system"), QStringLiteral("IPAGothic"),
                             QStringLiteral("Sans @ Serif")};
  const FontChoosers fonts = choosersFor(families);
  QCOMPARE(fonts.fontList(), (QStringList{QStringLiteral("Fixedsys"), QStringLiteral("system"),
                                          QStringLiteral("IPAGothic"), QStringLiteral("Sans @ Serif")}));
  // The list's question font is listed, its answer font (IPAGothic) too.
  QCOMPARE(fonts.font(1).text, QStringLiteral("IPAGothic"));
  QCOMPARE(fonts.font(1).picked, 2);
  // DejaVu Sans is not installed here: the fallback name, with no entry picked.
  QCOMPARE(fonts.font(0).text, kFallbackListFont);
  QCOMPARE(fonts.font(0).picked, -1);
}

void TestFontChoosers::firstFontApplicationIsNotAnEdit() {
  FontChoosers fonts = choosersFor();
  FontChoosers::Tick tick = fonts.tick();  // applies the list's own fonts
  QVERIFY(tick.applied);
  QVERIFY(!tick.edit);
  QCOMPARE(fonts.font(0).appliedName, QStringLiteral("DejaVu Sans"));
  QCOMPARE(fonts.font(1).appliedName, QStringLiteral("IPAGothic"));
  QVERIFY(!fonts.tick().applied);  // nothing new picked

  fonts.pickFont(0, 3);
  QCOMPARE(fonts.font(0).appliedName, QStringLiteral("DejaVu Sans"));  // a pick alone changes nothing until the tick
  tick = fonts.tick();
  QVERIFY(tick.applied);
  QCOMPARE(fonts.font(0).appliedName, QStringLiteral("Liberation Serif"));
  QVERIFY(tick.edit);

  // A font picked and then saved with the list is the list's own: applying it is no edit.
  fonts.pickFont(1, 0);
  fonts.markSaved();
  tick = fonts.tick();
  QVERIFY(tick.applied);
  QVERIFY(!tick.edit);
}

void TestFontChoosers::doubleByteFontAsksForKana() {
  FontChoosers fonts = choosersFor();
  fonts.tick();
  QCOMPARE(fonts.font(0).inputMode, kInputFree);
  fonts.pickFont(0, 2);  // "ＭＳ 明朝"
  fonts.tick();
  QCOMPARE(fonts.font(0).inputMode, kInputHiragana);
  QVERIFY(!FontChoosers::hasDoubleByte(QStringLiteral("ｺﾞｼｯｸ Sans")));  // half-width kana are single bytes
  QVERIFY(FontChoosers::hasDoubleByte(QStringLiteral("IPAゴシック")));
}

QTEST_GUILESS_MAIN(TestFontChoosers)
#include "tst_font_choosers.moc"
