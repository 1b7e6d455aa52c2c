#include <QtTest>

#include "display/host_layout.h"
#include "display/layout_procedures.h"
#include "display/stage.h"
#include "fake_text_metrics.h"

namespace {

// Metrics with a fixed size per caption, so label sizes are whatever a case needs.
class FixedMetrics final : public TextMetrics {
 public:
  QSize measure(const QString& text, const QString&, int, bool) const override { return sizes.value(text); }
  QHash<QString, QSize> sizes;
};

struct Fixture {
  Fixture(QSize question, QSize answer, int16_t cx) {
    metrics.sizes.insert("Q", question);
    metrics.sizes.insert("A", answer);
    for (Label& l : stage.lblQ) l.caption = "Q";
    for (Label& l : stage.lblF) l.caption = "A";
    stage.CX = cx;
  }
  FixedMetrics metrics;
  RandomSource random;
  Stage stage{metrics, random};
};

// The fake metrics, counting how many characters they were asked to measure.
struct CountingMetrics final : TextMetrics {
  QSize measure(const QString& text, const QString& face, int size, bool italic) const override {
    return measured += text.size(), FakeTextMetrics().measure(text, face, size, italic);
  }
  mutable qint64 measured = 0;
};

}  // namespace

class TestLayoutProcedures : public QObject {
  Q_OBJECT

 private slots:
  void overLongLabelsFit_data();
  void overLongLabelsFit();
  void hundredThousandCharactersFitOnce();
  // A host's preview shows the 1920x1080 screen's layout in small, filling
  // the window to the pixel; windows of half the screen or more are laid out
  // at their own size.
  void hostWindowLayout_data() {
    QTest::addColumn<QSize>("window");
    QTest::addColumn<QSize>("layout");
    QTest::addRow("settings program's preview") << QSize(726, 408) << QSize(1922, 1080);
    QTest::addRow("320x200 preview keeps its shape") << QSize(320, 200) << QSize(1920, 1200);
    QTest::addRow("half the screen each way") << QSize(960, 540) << QSize(960, 540);
    QTest::addRow("less than half the width") << QSize(959, 1080) << QSize(1920, 2162);
    QTest::addRow("no window yet") << QSize() << QSize();
  }
  void hostWindowLayout() {
    QFETCH(QSize, window);
    QFETCH(QSize, layout);
    const HostLayout host = HostLayout::of(window, QSize(1920, 1080));
    QCOMPARE(host.layout, layout);
    QCOMPARE((QSizeF(host.layout) * host.ratio).toSize(), window);
  }

  void sEgFxInterpolates_data() {
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("to");
    QTest::addColumn<int>("step");
    QTest::addColumn<int>("steps");
    QTest::addColumn<double>("expected");
    QTest::addRow("a third up") << 100 << 200 << 1 << 3 << 133.0;
    QTest::addRow("a third down rounds down, not towards the start") << 200 << 100 << 1 << 3 << 166.0;
    QTest::addRow("step 0 is the start") << 37 << -250 << 0 << 9 << 37.0;
    QTest::addRow("last step is the end") << 37 << -250 << 9 << 9 << -250.0;
    QTest::addRow("negative values round down") << 0 << -10 << 1 << 3 << -4.0;
    QTest::addRow("exact division") << -40 << 80 << 3 << 4 << 50.0;
    // The distance times the step is a 16-bit product: 20000 x 2 wraps to -25536.
    QTest::addRow("16-bit product wraps") << 0 << 20000 << 2 << 4 << -6384.0;
  }
  void sEgFxInterpolates() {
    QFETCH(int, from);
    QFETCH(int, to);
    QFETCH(int, step);
    QFETCH(int, steps);
    QFETCH(double, expected);
    QCOMPARE(Layout::sEgFx(int16_t(from), int16_t(to), int16_t(step), int16_t(steps)), expected);
  }

  // A question 80 wide and an answer 120 wide on a display with CX = 512:
  // the pair is centred from 412, the rows alternate which word leads.
  void astVcStacksThreeRows_data() {
    QTest::addColumn<QSize>("question");
    QTest::addColumn<QSize>("answer");
    QTest::addColumn<int>("rowHeight");
    QTest::addRow("question taller") << QSize(80, 36) << QSize(120, 30) << 36;
    QTest::addRow("answer taller uses the answer's height") << QSize(80, 30) << QSize(120, 45) << 45;
  }
  void astVcStacksThreeRows() {
    QFETCH(QSize, question);
    QFETCH(QSize, answer);
    QFETCH(int, rowHeight);
    Fixture f(question, answer, 512);
    Stage& st = f.stage;
    Layout::AstVc(st, 600);

    QCOMPARE(st.lblF[0].left, 412.0);
    QCOMPARE(st.lblQ[0].left, 532.0);
    QCOMPARE(st.lblQ[1].left, 412.0);
    QCOMPARE(st.lblF[1].left, 492.0);
    QCOMPARE(st.lblF[2].left, 412.0);
    QCOMPARE(st.lblQ[2].left, 532.0);
    for (int row = 0; row < 3; ++row) {
      const double top = 600 - (row + 1) * rowHeight;
      QCOMPARE(st.lblQ[size_t(row)].top, top);
      QCOMPARE(st.lblF[size_t(row)].top, top);
    }
    // The row height is left in QY(1) and the left edge in QX(2).
    QCOMPARE(int(st.QY[1]), rowHeight);
    QCOMPARE(int(st.QX[2]), 412);
  }

  void astVcRoundsTheHalfWidthDown() {
    Fixture f(QSize(81, 20), QSize(120, 20), 512);  // floor(201 / 2) = 100
    Layout::AstVc(f.stage, 100);
    QCOMPARE(f.stage.lblF[0].left, 412.0);
    QCOMPARE(f.stage.lblQ[0].left, 532.0);
    QCOMPARE(f.stage.lblF[1].left, 493.0);
  }

  void astVcMovesOnlyTheSixColumnLabels() {
    Fixture f(QSize(80, 30), QSize(120, 30), 512);
    Stage& st = f.stage;
    for (size_t i = 0; i < 16; ++i) {
      st.lblQ[i].size = st.lblF[i].size = 18;
      st.lblQ[i].left = st.lblF[i].left = -7;
      st.lblQ[i].visible = (i % 2 == 0);
    }
    const auto before = st.lblQ;
    Layout::AstVc(st, 300);
    for (size_t i = 0; i < 16; ++i) {
      QCOMPARE(st.lblQ[i].visible, before[i].visible);
      QCOMPARE(st.lblQ[i].size, 18);
      QCOMPARE(st.lblF[i].size, 18);
      if (i >= 3) {
        QCOMPARE(st.lblQ[i].left, -7.0);
        QCOMPARE(st.lblF[i].left, -7.0);
      }
    }
  }
};

// Every word visible and readable: a label too wide for the display is
// broken into lines at the pattern's size, and shrunk only when too tall; a
// word without a place to break is shrunk to fit on one line (a character is
// 3/5 of the size wide, a line 3/2 of it high; the floor is 12 points here).
void TestLayoutProcedures::overLongLabelsFit_data() {
  QTest::addColumn<QString>("text");
  QTest::addColumn<int>("size");
  QTest::addColumn<int>("drawnSize");
  QTest::addColumn<int>("lines");
  QTest::addColumn<int>("height");
  const QString sentence = QStringLiteral("a word of an example sentence ").repeated(5).trimmed();
  QTest::addRow("fits: unchanged") << QString(10, u'x') << 40 << 40 << 1 << 763;
  QTest::addRow("one long word: the largest size that fits") << QString(60, u'x') << 40 << 28 << 1 << 763;
  QTest::addRow("taller: the largest size that fits") << QString(1, u'x') << 150 << 100 << 1 << 150;
  QTest::addRow("sentence: lines at the pattern's size") << sentence << 24 << 24 << 3 << 763;
  QTest::addRow("Japanese: lines between characters") << QStringLiteral("日本語の長い説明文です。").repeated(15) << 24
                                                      << 24 << 3 << 763;
  QTest::addRow("too tall in lines: shrunk") << sentence << 60 << 44 << 4 << 300;
  QTest::addRow("2000 characters without a space: broken anywhere at the floor")
      << QString(2000, u'x') << 24 << 12 << 15 << 763;
}

void TestLayoutProcedures::overLongLabelsFit() {
  QFETCH(QString, text);
  QFETCH(int, size);
  QFETCH(int, drawnSize);
  QFETCH(int, lines);
  QFETCH(int, height);
  FakeTextMetrics metrics;
  RandomSource random;
  Stage stage(metrics, random);
  std::tie(stage.SW, stage.SH) = std::pair<int16_t, int16_t>(1024, height);
  Label& label = stage.lblQ[0];
  label.caption = text;
  label.size = size;
  const Label drawn = stage.drawn(label);
  QCOMPARE(drawn.size, drawnSize);
  const QStringList drawnLines = drawn.caption.split(LabelFit::kLineBreak);
  QCOMPARE(drawnLines.size(), lines);
  QCOMPARE(drawnLines.join(QString()).remove(u' '), QString(text).remove(u' '));  // nothing lost
  int widest = 0;
  for (const QString& line : drawnLines) widest = std::max(widest, FakeTextMetrics::width(line, drawnSize));
  QCOMPARE(stage.size(label), QSize(widest, lines * FakeTextMetrics::height(drawnSize)));
  QVERIFY(widest <= 1024 && stage.height(label) <= height);
}

// A text longer than the display holds at the floor shows its beginning
// there, cut with an ellipsis, and costs measurements once, not per tick.
void TestLayoutProcedures::hundredThousandCharactersFitOnce() {
  CountingMetrics metrics;
  RandomSource random;
  Stage stage(metrics, random);
  std::tie(stage.SW, stage.SH) = std::pair<int16_t, int16_t>(1024, 763);
  QString word(100000, u'w');
  for (Label& l : stage.lblQ) l.caption = word;
  const Label drawn = stage.drawn(stage.lblQ[0]);
  QCOMPARE(drawn.size, 12);
  QVERIFY(drawn.caption.startsWith(u'w') && drawn.caption.endsWith(QChar(0x2026)));
  QCOMPARE(drawn.caption.count(LabelFit::kLineBreak) + 1, 763 / FakeTextMetrics::height(12));
  QVERIFY(stage.width(stage.lblQ[0]) <= 1024 && stage.width(stage.lblQ[0]) > 1000);
  const qint64 once = metrics.measured;
  QVERIFY2(once < 200 * 2100, qPrintable(QString::number(once)));  // never the whole word
  // Ticks and frames after that measure no more.
  for (int tick = 0; tick < 100; ++tick)
    for (Label& l : stage.lblQ) {
      l.size = 10 + tick % 3;
      stage.size(l);
    }
  QVERIFY(metrics.measured - once < 2100 * 300);
}

QTEST_GUILESS_MAIN(TestLayoutProcedures)
#include "tst_layout_procedures.moc"
