#include <QtTest>
#include <cmath>

#include "patterns/pattern.h"
#include "support/pattern_harness.h"

namespace {

constexpr int kEagle = 14;
constexpr int kRows = 12;

// Row i: even rows have the question on the left, odd rows the answer.
const Label& leftWord(const TickSnapshot& t, int i) { return i % 2 == 0 ? t.lblQ[size_t(i)] : t.lblF[size_t(i)]; }
const Label& rightWord(const TickSnapshot& t, int i) { return i % 2 == 0 ? t.lblF[size_t(i)] : t.lblQ[size_t(i)]; }

int widthOf(const Label& l) { return FakeTextMetrics::width(l.caption, l.size); }

// The glide against the place at phase 44, for s = 1 to 9.
constexpr int kGlideRight[9] = {84, 144, 180, 192, 180, 144, 84, 0, -108};
constexpr int kGlideDown[9] = {72, 128, 168, 192, 200, 192, 168, 128, 72};

std::vector<TickSnapshot> runEagle(QSize display = QSize(1024, 768)) {
  PatternHarness h(display, 4);
  return h.runPattern(kEagle);
}

}  // namespace

class TestEagle : public QObject {
  Q_OBJECT

 private slots:
  void runsToItsEndAndHandsBack() {
    const auto ticks = runEagle();
    QCOMPARE(int(ticks.size()), 61);
    for (int p = 0; p < 60; ++p) QCOMPARE(ticks[size_t(p)].enabled, QStringList{"tmSeg"});
    QCOMPARE(ticks[60].enabled, QStringList{"tmQuo"});
    // Every tick, the last one too, advances the phase.
    for (int p = 0; p <= 60; ++p) QCOMPARE(int(ticks[size_t(p)].PH), p + 1);
  }

  // Twelve rows of 11 to 22 points, all shown from the first tick on; the
  // sizes never change and labels 12 to 15 stay hidden.
  void twelveRowsGrowingFrom11To22Points() {
    const auto ticks = runEagle();
    for (const TickSnapshot& t : ticks) {
      for (int i = 0; i < 16; ++i) {
        const bool inBird = i < kRows;
        QCOMPARE(t.lblQ[size_t(i)].visible, inBird);
        QCOMPARE(t.lblF[size_t(i)].visible, inBird);
        if (inBird) {
          QCOMPARE(t.lblQ[size_t(i)].size, i + 11);
          QCOMPARE(t.lblF[size_t(i)].size, i + 11);
        }
      }
    }
  }

  // Row 0 touches the centre line at a quarter of the height; each row hangs
  // one answer height plus 3 below the one above and reaches further out.
  void foldedWingsHangInAV() {
    const auto ticks = runEagle();
    const TickSnapshot& t = ticks[0];
    QCOMPARE(t.lblQ[0].left, 512.0 - widthOf(t.lblQ[0]));
    QCOMPARE(t.lblF[0].left, 512.0);
    QCOMPARE(t.lblQ[0].top, 190.0);  // floor(381 / 2)
    for (int i = 1; i < kRows; ++i) {
      const double gap = rightWord(t, i).top - rightWord(t, i - 1).top;
      QCOMPARE(gap, double(FakeTextMetrics::height(i - 1 + 11) + 3));
      QCOMPARE(leftWord(t, i).top, rightWord(t, i).top);
      const double out = rightWord(t, i).left - rightWord(t, i - 1).left;
      // 1.5 i plus half the question height of the row above, rounded down.
      QCOMPARE(out, std::floor(i * 1.5 + FakeTextMetrics::height(i - 1 + 11) / 2.0));
    }
  }

  // Left words end at CX - x and right words start at CX + x: the bird is
  // symmetric about the centre line, and during the glide about the line
  // moved by the glide offset.
  void wingsStaySymmetric_data() {
    QTest::addColumn<QSize>("display");
    QTest::addColumn<QString>("question");
    QTest::addColumn<QString>("answer");
    QTest::addRow("1024x768") << QSize(1024, 768) << "question" << "answer";
    QTest::addRow("odd width, long answer") << QSize(1281, 1001) << "q" << "a long answer indeed";
    QTest::addRow("small display") << QSize(640, 480) << "ptarmigan" << "bird";
  }
  void wingsStaySymmetric() {
    QFETCH(QSize, display);
    QFETCH(QString, question);
    QFETCH(QString, answer);
    PatternHarness h(display, 4);
    h.setWords(question, answer);
    const auto ticks = h.runPattern(kEagle);
    const int cx = display.width() / 2;
    for (int p = 0; p <= 60; ++p) {
      const TickSnapshot& t = ticks[size_t(p)];
      const int shift = (p >= 46 && p <= 54) ? kGlideRight[p - 46] : (p > 54 ? kGlideRight[8] : 0);
      for (int i = 0; i < kRows; ++i) {
        const Label& l = leftWord(t, i);
        const Label& r = rightWord(t, i);
        const double leftEnd = l.left + widthOf(l);
        if (leftEnd + r.left != 2.0 * (cx + shift))
          QFAIL(qPrintable(QString("phase %1 row %2: %3 and %4").arg(p).arg(i).arg(leftEnd).arg(r.left)));
      }
    }
  }

  // Phase 15: the wings stand in the arch 4 i (12 - i) out and mirrored
  // upwards, and the body line is 180 pixels lower.
  void wingsUpFormAnArch() {
    const auto ticks = runEagle();
    for (int i = 0; i < kRows; ++i) {
      const double hang = rightWord(ticks[0], i).top - 190;
      QCOMPARE(rightWord(ticks[15], i).left - 512, double(4 * i * (12 - i)));
      QCOMPARE(rightWord(ticks[15], i).top, 370 - hang);
    }
  }

  // Phases 21 to 29 bring the wings down to the V widened by 1.4.
  void wingsDownToAWidenedV() {
    const auto ticks = runEagle();
    for (int i = 0; i < kRows; ++i) {
      const double out = rightWord(ticks[0], i).left - 512;
      const double hang = rightWord(ticks[0], i).top - 190;
      QCOMPARE(rightWord(ticks[29], i).left - 512, std::floor(out * 1.4));
      QCOMPARE(rightWord(ticks[29], i).top, 298 + hang);  // floor(190.5 + 180 - 72)
    }
  }

  void birdRisesTwentyPixelsPerTick() {
    const auto ticks = runEagle();
    for (int p = 30; p <= 35; ++p) {
      for (int i = 0; i < kRows; ++i) {
        QCOMPARE(rightWord(ticks[size_t(p)], i).top, rightWord(ticks[size_t(p - 1)], i).top - 20);
        QCOMPARE(leftWord(ticks[size_t(p)], i).top, leftWord(ticks[size_t(p - 1)], i).top - 20);
        QCOMPARE(rightWord(ticks[size_t(p)], i).left, rightWord(ticks[size_t(p - 1)], i).left);
        QCOMPARE(leftWord(ticks[size_t(p)], i).left, leftWord(ticks[size_t(p - 1)], i).left);
      }
    }
  }

  // At phase 44 the wings are open: ceil(2.5 i (22 - i)) to each side.
  void wingsOpenWide() {
    const auto ticks = runEagle();
    const int open[kRows] = {0, 53, 100, 143, 180, 213, 240, 263, 280, 293, 300, 303};
    for (int i = 0; i < kRows; ++i) {
      const double hang = rightWord(ticks[0], i).top - 190;
      QCOMPARE(rightWord(ticks[44], i).left - 512, double(open[i]));
      QCOMPARE(rightWord(ticks[44], i).top, 298 - hang);  // floor(190.5 - 12 + 120)
    }
  }

  void glideSwoopsRightDownAndBackLeft_data() {
    QTest::addColumn<int>("s");
    for (int s = 1; s <= 9; ++s) QTest::addRow("s = %d", s) << s;
  }
  void glideSwoopsRightDownAndBackLeft() {
    QFETCH(int, s);
    const auto ticks = runEagle();
    const TickSnapshot& before = ticks[44];
    const TickSnapshot& now = ticks[size_t(45 + s)];
    for (int i = 0; i < kRows; ++i) {
      QCOMPARE(rightWord(now, i).left - rightWord(before, i).left, double(kGlideRight[s - 1]));
      QCOMPARE(leftWord(now, i).left - leftWord(before, i).left, double(kGlideRight[s - 1]));
      QCOMPARE(rightWord(now, i).top - rightWord(before, i).top, double(kGlideDown[s - 1]));
      QCOMPARE(leftWord(now, i).top - leftWord(before, i).top, double(kGlideDown[s - 1]));
    }
  }

  void stillAfterTheGlide() {
    const auto ticks = runEagle();
    for (int p = 55; p <= 60; ++p) {
      QCOMPARE(ticks[size_t(p)].lblQ, ticks[54].lblQ);
      QCOMPARE(ticks[size_t(p)].lblF, ticks[54].lblF);
    }
  }

  // Italic on odd phases 17 and 19, upright on even ones; ends upright at 20.
  void italicFlickerEndsUpright_data() {
    QTest::addColumn<int>("phase");
    QTest::addColumn<bool>("italic");
    QTest::addRow("16") << 16 << false;
    QTest::addRow("17") << 17 << true;
    QTest::addRow("18") << 18 << false;
    QTest::addRow("19") << 19 << true;
    QTest::addRow("20") << 20 << false;
    QTest::addRow("21") << 21 << false;
    QTest::addRow("60") << 60 << false;
  }
  void italicFlickerEndsUpright() {
    QFETCH(int, phase);
    QFETCH(bool, italic);
    const auto ticks = runEagle();
    for (size_t i = 0; i < kRows; ++i) {
      QCOMPARE(ticks[size_t(phase)].lblQ[i].italic, italic);
      QCOMPARE(ticks[size_t(phase)].lblF[i].italic, italic);
    }
    // Nothing moves while the words flicker.
    if (phase >= 17 && phase <= 20) {
      for (size_t i = 0; i < kRows; ++i) {
        QCOMPARE(ticks[size_t(phase)].lblQ[i].left, ticks[15].lblQ[i].left);
        QCOMPARE(ticks[size_t(phase)].lblQ[i].top, ticks[15].lblQ[i].top);
      }
    }
  }
};

QTEST_GUILESS_MAIN(TestEagle)
#include "tst_eagle.moc"
