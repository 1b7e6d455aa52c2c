// Sardines on a 1024 x 768 form (W = 1024, H = 763, CY = 381) with the words
// "question" (8 characters) and "answer" (6), measured by the fake metrics:
// width = characters x size x 3/5, height = size x 3/2. At 16 points the
// question is 76 x 24 and the answer 57 x 24.

#include <QtTest>
#include <cmath>

#include "support/pattern_harness.h"

namespace {
constexpr int kSardines = 10;
constexpr int kY0 = 495;     // floor(381 x 1.3): top of the band
constexpr int kQXMax = 948;  // 1024 - 76
constexpr int kFXMax = 967;  // 1024 - 57
constexpr int kYMax = 739;   // 763 - 24
const uint32_t kSeeds[] = {1, 2, 3, 17, 99, 12345};

std::vector<TickSnapshot> runSardines(uint32_t seed, QSize size = QSize(1024, 768)) {
  PatternHarness h(size, seed);
  return h.runPattern(kSardines);
}

QByteArray at(uint32_t seed, int p, int i = -1) {
  QByteArray s = "seed " + QByteArray::number(seed) + ", phase " + QByteArray::number(p);
  if (i >= 0) s += ", fish " + QByteArray::number(i);
  return s;
}

// One coordinate after a twitch: ten either way or none, held within [low, high].
bool isTwitchOf(int before, int after, int low, int high) {
  for (int d : {-10, 0, 10}) {
    int v = before + d;
    if (low > v) v = low;
    if (v > high) v = high;
    if (after == v) return true;
  }
  return false;
}

struct LeapFacts {
  int start;
  bool question;
  int fish;
  int font;
  int firstStep, lastStep;
  int peakPhase;
  int peakTop;
};
}  // namespace
Q_DECLARE_METATYPE(LeapFacts)

class TestSardines : public QObject {
  Q_OBJECT

 private slots:
  void schoolFormsInTheBand() {
    for (uint32_t seed : kSeeds) {
      const std::vector<TickSnapshot> ticks = runSardines(seed);
      QCOMPARE(int(ticks.size()), 61);
      const TickSnapshot& t = ticks[0];
      QCOMPARE(t.visibleCount(), 32);
      QCOMPARE(t.STEP, int16_t(16));
      for (size_t i = 0; i < 16; ++i) {
        QCOMPARE(t.lblQ[i].size, 16);
        QCOMPARE(t.lblF[i].size, 16);
        QCOMPARE(t.lblQ[i].left, double(t.QX[i]));
        QCOMPARE(t.lblQ[i].top, double(t.QY[i]));
        QCOMPARE(t.lblF[i].left, double(t.FX[i]));
        QCOMPARE(t.lblF[i].top, double(t.FY[i]));
        QVERIFY2(t.QX[i] >= 0 && t.QX[i] < kQXMax, at(seed, 0, int(i)));
        QVERIFY2(t.FX[i] >= 0 && t.FX[i] < kFXMax, at(seed, 0, int(i)));
        QVERIFY2(t.QY[i] >= kY0 && t.QY[i] < kYMax, at(seed, 0, int(i)));
        QVERIFY2(t.FY[i] >= kY0 && t.FY[i] < kYMax, at(seed, 0, int(i)));
      }
    }
  }

  // Even fish twitch on even ticks, odd fish on odd ticks; the question and
  // answer of one index move along the same axis; nobody leaves the band.
  void halfTheSchoolTwitchesEachTick() {
    int moves = 0, heldAtBandTop = 0;
    for (uint32_t seed : kSeeds) {
      const std::vector<TickSnapshot> ticks = runSardines(seed);
      for (int p = 1; p <= 56; ++p) {
        const TickSnapshot& b = ticks[size_t(p - 1)];
        const TickSnapshot& t = ticks[size_t(p)];
        for (int i = 0; i < 16; ++i) {
          if (i == t.STEP) continue;  // the leaper, checked on its own
          const size_t k = size_t(i);
          const int dxQ = int(t.lblQ[k].left - b.lblQ[k].left), dyQ = int(t.lblQ[k].top - b.lblQ[k].top);
          const int dxF = int(t.lblF[k].left - b.lblF[k].left), dyF = int(t.lblF[k].top - b.lblF[k].top);
          if (i % 2 != p % 2) {
            QVERIFY2(dxQ == 0 && dyQ == 0 && dxF == 0 && dyF == 0, at(seed, p, i));
            continue;
          }
          QVERIFY2((dxQ == 0 && dxF == 0) || (dyQ == 0 && dyF == 0), at(seed, p, i));
          QVERIFY2(isTwitchOf(b.QX[k], t.QX[k], 0, kQXMax), at(seed, p, i));
          QVERIFY2(isTwitchOf(b.FX[k], t.FX[k], 0, kFXMax), at(seed, p, i));
          QVERIFY2(isTwitchOf(b.QY[k], t.QY[k], kY0, kYMax), at(seed, p, i));
          QVERIFY2(isTwitchOf(b.FY[k], t.FY[k], kY0, kYMax), at(seed, p, i));
          QVERIFY2(t.QY[k] >= kY0 && t.FY[k] >= kY0, at(seed, p, i));
          moves += (dxQ || dyQ) + (dxF || dyF);
          // A step up that would cross the band's top lands on it instead.
          if ((t.QY[k] == kY0 && b.QY[k] - 10 < kY0 && b.QY[k] != kY0) ||
              (t.FY[k] == kY0 && b.FY[k] - 10 < kY0 && b.FY[k] != kY0))
            ++heldAtBandTop;
        }
      }
    }
    // About half of 8 x 2 labels x 56 ticks x 6 runs move.
    QVERIFY2(moves > 2000, qPrintable(QString::number(moves)));
    QVERIFY(heldAtBandTop > 0);
  }

  void schoolStandsStillAtTheEnd() {
    const std::vector<TickSnapshot> ticks = runSardines(7);
    for (int p = 57; p <= 60; ++p) {
      QCOMPARE(ticks[size_t(p)].lblQ, ticks[56].lblQ);
      QCOMPARE(ticks[size_t(p)].lblF, ticks[56].lblF);
    }
    QCOMPARE(ticks[60].visibleCount(), 32);
  }

  void leaps_data() {
    QTest::addColumn<LeapFacts>("leap");
    QTest::addRow("first, a question") << LeapFacts{5, true, 0, 22, 6, 13, 9, 100};
    QTest::addRow("second, an answer") << LeapFacts{19, false, 1, 28, 20, 32, -1, 45};
    QTest::addRow("third, a question") << LeapFacts{34, true, 2, 25, 36, 41, 38, 120};
    QTest::addRow("fourth, an answer") << LeapFacts{43, false, 3, 33, 45, 56, 50, 35};
  }
  void leaps() {
    QFETCH(LeapFacts, leap);
    const size_t k = size_t(leap.fish);
    const int max = leap.question ? kQXMax : kFXMax;
    for (uint32_t seed : kSeeds) {
      const std::vector<TickSnapshot> ticks = runSardines(seed);
      auto label = [&](int p) -> const Label& {
        return leap.question ? ticks[size_t(p)].lblQ[k] : ticks[size_t(p)].lblF[k];
      };
      const Label& other0 = leap.question ? ticks[size_t(leap.start)].lblF[k] : ticks[size_t(leap.start)].lblQ[k];
      const double takeOffX = label(leap.start - 1).left;
      const double takeOffY = label(leap.start - 1).top;

      // The start grows the fish but does not move it.
      QCOMPARE(ticks[size_t(leap.start)].STEP, int16_t(leap.fish));
      QCOMPARE(label(leap.start).size, leap.font);
      for (int p = leap.start; p < leap.firstStep; ++p) {
        QCOMPARE(label(p).left, takeOffX);
        QCOMPARE(label(p).top, takeOffY);
      }
      // Sideways in equal steps to the mirror place, never back.
      const double landX = max - takeOffX;
      const double sign = landX >= takeOffX ? 1 : -1;
      for (int p = leap.firstStep; p <= leap.lastStep; ++p) {
        QVERIFY2((label(p).left - label(p - 1).left) * sign >= 0, at(seed, p));
        QVERIFY2(label(p).top <= takeOffY, at(seed, p));
        // Its partner of the same index stays put while it leaps.
        const Label& other = leap.question ? ticks[size_t(p)].lblF[k] : ticks[size_t(p)].lblQ[k];
        QCOMPARE(other, other0);
      }
      QCOMPARE(label(leap.lastStep).left, landX);
      QCOMPARE(label(leap.lastStep).top, takeOffY);
      const TickSnapshot& landed = ticks[size_t(leap.lastStep)];
      QCOMPARE(double(leap.question ? landed.QX[k] : landed.FX[k]), landX);
      QCOMPARE(double(leap.question ? landed.QY[k] : landed.FY[k]), takeOffY);
      if (leap.peakPhase > 0) QCOMPARE(label(leap.peakPhase).top, double(leap.peakTop));
      else QVERIFY(label((leap.firstStep + leap.lastStep) / 2).top < leap.peakTop + 5);
      // The leaper keeps its larger size to the end.
      QCOMPARE(label(60).size, leap.font);
    }
  }

  void leaperNumberRunsThroughTheLeaps_data() {
    QTest::addColumn<int>("phase");
    QTest::addColumn<int>("leaper");
    const int rows[][2] = {{0, 16}, {4, 16}, {5, 0}, {14, 0}, {15, 16}, {18, 16}, {19, 1}, {33, 1},
                           {34, 2}, {42, 2}, {43, 3}, {56, 3}, {59, 3}};
    for (const auto& r : rows) QTest::addRow("phase %d", r[0]) << r[0] << r[1];
  }
  void leaperNumberRunsThroughTheLeaps() {
    QFETCH(int, phase);
    QFETCH(int, leaper);
    QCOMPARE(int(runSardines(5)[size_t(phase)].STEP), leaper);
  }

  void runsToItsEndAndHandsBack() {
    const std::vector<TickSnapshot> ticks = runSardines(3);
    QCOMPARE(int(ticks.size()), 61);
    for (int p = 0; p < 60; ++p) QCOMPARE(ticks[size_t(p)].enabled, QStringList{"tmSsd"});
    QCOMPARE(ticks[60].enabled, QStringList{"tmQuo"});
  }

  // Two runs with one seed must match tick for tick (no state outside the
  // stage), and another seed must give another school.
  void sameSeedSameSchool() {
    const std::vector<TickSnapshot> a = runSardines(31), b = runSardines(31), c = runSardines(32);
    QCOMPARE(a.size(), b.size());
    for (size_t p = 0; p < a.size(); ++p) {
      QCOMPARE(a[p].lblQ, b[p].lblQ);
      QCOMPARE(a[p].lblF, b[p].lblF);
    }
    QVERIFY(a[0].QX != c[0].QX);
  }

  // Beyond about 2500 pixels the leap's span times its step no longer fits in
  // 16 bits; the leaps must still run straight to the mirror place.
  void leapsOnAVeryWideDisplay() {
    const int qxMax = 8000 - 76, fxMax = 8000 - 57;
    const LeapFacts leaps[] = {{5, true, 0, 22, 6, 13, 9, 100}, {19, false, 1, 28, 20, 32, -1, 45},
                               {34, true, 2, 25, 36, 41, 38, 120}, {43, false, 3, 33, 45, 56, 50, 35}};
    int beyond16Bits = 0;
    for (uint32_t seed : kSeeds) {
      const std::vector<TickSnapshot> ticks = runSardines(seed, QSize(8000, 768));
      for (const LeapFacts& leap : leaps) {
        const size_t k = size_t(leap.fish);
        auto left = [&](int p) {
          return leap.question ? ticks[size_t(p)].lblQ[k].left : ticks[size_t(p)].lblF[k].left;
        };
        const double takeOff = left(leap.start - 1);
        const double land = (leap.question ? qxMax : fxMax) - takeOff;
        const int n = leap.lastStep - leap.firstStep + 1;
        if (std::abs(land - takeOff) * n > 32767) ++beyond16Bits;
        for (int p = leap.firstStep; p <= leap.lastStep; ++p) {
          const double expected = takeOff + (land - takeOff) * (p - leap.firstStep + 1) / n;
          QVERIFY2(std::abs(left(p) - expected) < 1, at(seed, p));
        }
        QCOMPARE(left(leap.lastStep), land);
      }
    }
    QVERIFY(beyond16Bits > 0);
  }
};

QTEST_GUILESS_MAIN(TestSardines)
#include "tst_sardines.moc"
