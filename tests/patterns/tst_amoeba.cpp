#include <QtTest>
#include <cmath>

#include "patterns/pattern.h"
#include "support/direct_stage.h"
#include "support/pattern_harness.h"

namespace {

constexpr int kAmoeba = 15;

// Piece k: the question label for even k, the answer label for odd k; its
// position and velocity lie crosswise in the tables.
const Label& piece(const TickSnapshot& t, int k) { return k % 2 == 0 ? t.lblQ[size_t(k)] : t.lblF[size_t(k)]; }
int posX(const TickSnapshot& t, int k) { return k % 2 == 0 ? t.QX[size_t(k)] : t.FX[size_t(k)]; }
int posY(const TickSnapshot& t, int k) { return k % 2 == 0 ? t.QY[size_t(k)] : t.FY[size_t(k)]; }
int velX(const TickSnapshot& t, int k) { return k % 2 == 0 ? t.FX[size_t(k)] : t.QX[size_t(k)]; }
int velY(const TickSnapshot& t, int k) { return k % 2 == 0 ? t.FY[size_t(k)] : t.QY[size_t(k)]; }

std::vector<TickSnapshot> runAmoeba(uint32_t seed = 3, QSize display = QSize(1024, 768)) {
  PatternHarness h(display, seed);
  return h.runPattern(kAmoeba);
}

// Number of pieces shown after the tick of phase p.
int piecesAt(int p) { return p < 11 ? 1 : p < 19 ? 2 : p < 26 ? 4 : p < 33 ? 8 : 16; }

}  // namespace

class TestAmoeba : public QObject {
  Q_OBJECT

 private slots:
  void runsToItsEndAndHandsBack() {
    const auto ticks = runAmoeba();
    QCOMPARE(int(ticks.size()), 61);
    for (int p = 0; p < 60; ++p) {
      QCOMPARE(ticks[size_t(p)].enabled, QStringList{"tmSab"});
      QCOMPARE(int(ticks[size_t(p)].PH), p + 1);
    }
    QCOMPARE(ticks[60].enabled, QStringList{"tmQuo"});
    QCOMPARE(int(ticks[60].PH), 60);
  }

  void firstPieceStartsTwoThirdsAcrossAtTheTop_data() {
    QTest::addColumn<QSize>("display");
    QTest::addColumn<int>("x");
    QTest::addRow("1024 wide") << QSize(1024, 768) << 682;
    QTest::addRow("800 wide") << QSize(800, 600) << 533;
    QTest::addRow("1281 wide") << QSize(1281, 1024) << 853;
  }
  void firstPieceStartsTwoThirdsAcrossAtTheTop() {
    QFETCH(QSize, display);
    QFETCH(int, x);
    const auto ticks = runAmoeba(3, display);
    const Label& q = ticks[0].lblQ[0];
    QCOMPARE(posX(ticks[0], 0), x);
    QCOMPARE(q.size, 12);
    QCOMPARE(q.top, 35.0);
    QCOMPARE(q.left, double(x - FakeTextMetrics::width("question", 12) / 2));
    QVERIFY(q.visible);
    QCOMPARE(ticks[0].visibleCount(), 1);
  }

  // Ten steps of 28 pixels at 0.5 pi to 0.7 pi: down by 220 to 280, straight
  // or a little to the left, and grown to 22 points.
  void firstPieceFallsAndGrows_data() {
    QTest::addColumn<uint32_t>("seed");
    for (uint32_t seed : {1u, 2u, 17u, 404u, 65535u, 123457u}) QTest::addRow("seed %u", seed) << seed;
  }
  void firstPieceFallsAndGrows() {
    QFETCH(uint32_t, seed);
    const auto ticks = runAmoeba(seed);
    const int fall = posY(ticks[10], 0) - 35;
    const int drift = posX(ticks[10], 0) - 682;
    QVERIFY2(fall >= 220 && fall <= 280, qPrintable(QString::number(fall)));
    QVERIFY2(drift >= 10 * (-17 - 8) && drift <= 10 * 7, qPrintable(QString::number(drift)));
    for (int p = 1; p <= 10; ++p) QCOMPARE(ticks[size_t(p)].lblQ[0].size, p + 12);
  }

  // One, two, four, eight, sixteen pieces, each shown from its division on.
  void piecesDivide() {
    const auto ticks = runAmoeba();
    for (int p = 0; p <= 60; ++p) {
      const TickSnapshot& t = ticks[size_t(p)];
      QCOMPARE(t.visibleCount(), piecesAt(p));
      for (int k = 0; k < 16; ++k) QCOMPARE(piece(t, k).visible, k < piecesAt(p));
    }
  }

  // New pieces appear exactly on top of existing ones.
  void newPiecesAppearOnTopOfOldOnes_data() {
    QTest::addColumn<int>("phase");
    QTest::addColumn<QList<int>>("sources");  // source piece of each new piece, in order
    QTest::addRow("one to two") << 11 << QList<int>{0};
    QTest::addRow("two to four") << 19 << QList<int>{1, 0};
    QTest::addRow("four to eight") << 26 << QList<int>{3, 2, 1, 0};
    QTest::addRow("eight to sixteen") << 33 << QList<int>{7, 6, 5, 4, 3, 2, 1, 0};
  }
  void newPiecesAppearOnTopOfOldOnes() {
    QFETCH(int, phase);
    QFETCH(QList<int>, sources);
    for (uint32_t seed : {3u, 99u}) {
      const auto ticks = runAmoeba(seed);
      const TickSnapshot& t = ticks[size_t(phase)];
      const int first = int(sources.size());
      for (int n = 0; n < sources.size(); ++n) {
        const int k = first + n, from = sources[n];
        QCOMPARE(posX(t, k), posX(t, from));
        QCOMPARE(posY(t, k), posY(t, from));
        QCOMPARE(piece(t, k).top, double(posY(t, from)));
        QCOMPARE(piece(t, k).left, double(posX(t, from) - FakeTextMetrics::width(piece(t, k).caption, piece(t, k).size) / 2));
      }
    }
  }

  // At the first two divisions the two pieces of a pair part in roughly
  // opposite directions.
  void firstDivisionsPartInOppositeDirections_data() {
    QTest::addColumn<uint32_t>("seed");
    for (uint32_t seed : {1u, 5u, 77u, 2024u}) QTest::addRow("seed %u", seed) << seed;
  }
  void firstDivisionsPartInOppositeDirections() {
    QFETCH(uint32_t, seed);
    const auto ticks = runAmoeba(seed);
    const TickSnapshot& t11 = ticks[11];
    QVERIFY(velX(t11, 0) <= -17);  // 0.9 pi to 1.1 pi: leftwards
    QVERIFY(velX(t11, 1) >= 17);   // 1.9 pi to 2.1 pi: rightwards
    const TickSnapshot& t19 = ticks[19];
    for (int k : {0, 1}) QVERIFY(velY(t19, k) >= 13);   // downwards
    for (int k : {2, 3}) QVERIFY(velY(t19, k) <= -14);  // upwards
  }

  // While the first two pieces part, the question is placed at its centre
  // less half its width without rounding; every other placement rounds down.
  void firstPieceKeepsHalfPixelsWhileParting() {
    const auto ticks = runAmoeba();
    const TickSnapshot& t = ticks[14];  // s = 4: 24 points, 115 pixels wide
    QCOMPARE(t.lblQ[0].size, 24);
    QCOMPARE(t.lblQ[0].left, posX(t, 0) - 57.5);
    QCOMPARE(t.lblF[1].left, double(posX(t, 1) - FakeTextMetrics::width("answer", 24) / 2));
    QCOMPARE(ticks[20].lblQ[0].size, 26);
    QCOMPARE(ticks[20].lblQ[0].left, double(posX(ticks[20], 0) - 62));  // 124 / 2
  }

  // Sizes of all shown pieces: grow, shrink, swell, shrink.
  void sizesFollowThePhases_data() {
    QTest::addColumn<int>("phase");
    QTest::addColumn<int>("size");
    QTest::addRow("12") << 12 << 23;
    QTest::addRow("18") << 18 << 26;
    QTest::addRow("27") << 27 << 27;
    QTest::addRow("32") << 32 << 22;
    QTest::addRow("34") << 34 << 21;
    QTest::addRow("40") << 40 << 15;
    QTest::addRow("41") << 41 << 16;
    QTest::addRow("50") << 50 << 25;
    QTest::addRow("51") << 51 << 23;
  }
  void sizesFollowThePhases() {
    QFETCH(int, phase);
    QFETCH(int, size);
    const auto ticks = runAmoeba();
    for (int k = 0; k < piecesAt(phase); ++k) QCOMPARE(piece(ticks[size_t(phase)], k).size, size);
  }

  // The end: italic at 15 points in phase 55, upright at 13 in phase 56, and
  // no movement from phase 51 on.
  void endsShrinkingAndWobbling() {
    const auto ticks = runAmoeba();
    for (int k = 0; k < 16; ++k) {
      QCOMPARE(piece(ticks[55], k).size, 15);
      QVERIFY(piece(ticks[55], k).italic);
      QCOMPARE(piece(ticks[56], k).size, 13);
      QVERIFY(!piece(ticks[56], k).italic);
      for (int p = 51; p <= 60; ++p) {
        QCOMPARE(piece(ticks[size_t(p)], k).left, piece(ticks[50], k).left);
        QCOMPARE(piece(ticks[size_t(p)], k).top, piece(ticks[50], k).top);
      }
      QCOMPARE(piece(ticks[60], k).size, 13);
    }
  }

  // Phases 41 to 50: question pieces drift with their partner's velocity
  // (0 with 14, 2 with 12, ...), answer pieces likewise (1 with 15, 3 with 13, ...).
  void piecesDriftWithTheirPartnersVelocity() {
    const auto ticks = runAmoeba(11);
    for (int p = 41; p <= 50; ++p) {
      const TickSnapshot& before = ticks[size_t(p - 1)];
      const TickSnapshot& now = ticks[size_t(p)];
      for (int k = 0; k < 16; ++k) {
        const int partner = k % 2 == 0 ? 14 - k : 16 - k;
        QCOMPARE(posX(now, k) - posX(before, k), int(std::floor(0.6 * velX(now, partner))));
        QCOMPARE(posY(now, k) - posY(before, k), int(std::floor(0.6 * velY(now, partner))));
      }
    }
  }

  // Random numbers are drawn only while the pieces are made and jitter.
  void drawsRandomNumbersPhaseByPhase() {
    DirectStage direct(QSize(1024, 768));
    for (int p = 0; p <= 60; ++p) {
      const int expected = p <= 10 ? 1 : p <= 18 ? 2 : p <= 25 ? 4 : p <= 32 ? 8 : p == 33 ? 16 : p <= 40 ? 32 : 0;
      QCOMPARE(int(direct.stage.PH), p);
      QCOMPARE(direct.drawsOfOneTick(Patterns::tickAmoeba, 1000u + uint32_t(p)), expected);
    }
    QVERIFY(direct.stage.timers.isEnabled(TimerId::tmQuo));
  }

  // Two stages with one seed move alike; another seed moves otherwise.
  void sameSeedSameRun() {
    const auto a = runAmoeba(8), b = runAmoeba(8), c = runAmoeba(9);
    for (size_t p = 0; p < a.size(); ++p) {
      QCOMPARE(a[p].lblQ, b[p].lblQ);
      QCOMPARE(a[p].lblF, b[p].lblF);
    }
    QVERIFY(a[40].lblQ != c[40].lblQ);
  }
};

QTEST_GUILESS_MAIN(TestAmoeba)
#include "tst_amoeba.moc"
