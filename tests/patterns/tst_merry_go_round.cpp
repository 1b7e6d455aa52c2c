#include <QtTest>
#include <cmath>

#include "patterns/pattern.h"
#include "support/pattern_harness.h"

namespace {

constexpr int kMerryGoRound = 13;
constexpr double kRadius[3] = {40, 160, 280};
constexpr double kTurn = 6.283185307179586;

struct Point {
  double x, y;
};

// Centre of a label as the ring places it: edges plus half the size, rounded down.
Point centreOf(const Label& l) {
  return {l.left + std::floor(FakeTextMetrics::width(l.caption, l.size) / 2.0),
          l.top + std::floor(FakeTextMetrics::height(l.size) / 2.0)};
}

// Angle of a point around the display centre, screen y downwards.
double angleOf(Point p, Point centre) { return std::atan2(p.y - centre.y, p.x - centre.x); }

// Smallest signed difference b - a between two angles.
double angleStep(double a, double b) {
  double d = std::fmod(b - a, kTurn);
  if (d > kTurn / 2) d -= kTurn;
  if (d < -kTurn / 2) d += kTurn;
  return d;
}

const Label& ringLabel(const TickSnapshot& t, int ring, bool question) {
  return question ? t.lblQ[size_t(ring)] : t.lblF[size_t(ring)];
}

}  // namespace

class TestMerryGoRound : public QObject {
  Q_OBJECT

 private slots:
  void runsToItsEndAndHandsBack() {
    PatternHarness h(QSize(1024, 768), 5);
    const auto ticks = h.runPattern(kMerryGoRound);
    QCOMPARE(int(ticks.size()), 61);
    for (int p = 0; p < 60; ++p) {
      QCOMPARE(ticks[size_t(p)].enabled, QStringList{"tmSmg"});
      QCOMPARE(int(ticks[size_t(p)].PH), p + 1);
    }
    QCOMPARE(ticks[60].enabled, QStringList{"tmQuo"});
    QCOMPARE(int(ticks[60].PH), 60);  // the last tick does not advance
    for (const TickSnapshot& t : ticks) {
      for (size_t i = 3; i < 16; ++i) QVERIFY(!t.lblQ[i].visible && !t.lblF[i].visible);
    }
    QCOMPARE(ticks[60].visibleCount(), 6);
  }

  void drawsNoRandomNumbers() {
    PatternHarness a(QSize(1024, 768), 1);
    PatternHarness b(QSize(1024, 768), 987654);
    const auto ta = a.runPattern(kMerryGoRound);
    const auto tb = b.runPattern(kMerryGoRound);
    QCOMPARE(ta.size(), tb.size());
    for (size_t p = 0; p < ta.size(); ++p) {
      QCOMPARE(ta[p].lblQ, tb[p].lblQ);
      QCOMPARE(ta[p].lblF, tb[p].lblF);
    }
  }

  // While the rings turn every label is centred on its ring.
  void labelsRideOnTheirRings_data() {
    QTest::addColumn<QSize>("display");
    QTest::addColumn<QString>("question");
    QTest::addColumn<QString>("answer");
    QTest::addRow("1024x768") << QSize(1024, 768) << "question" << "answer";
    QTest::addRow("small display, long words") << QSize(640, 480) << "a long question" << "an answer of some length";
    QTest::addRow("odd sizes") << QSize(1281, 1001) << "odd" << "tiny";
  }
  void labelsRideOnTheirRings() {
    QFETCH(QSize, display);
    QFETCH(QString, question);
    QFETCH(QString, answer);
    PatternHarness h(display, 2);
    h.setWords(question, answer);
    const auto ticks = h.runPattern(kMerryGoRound);
    const Point centre{double(display.width() / 2), double((display.height() - 5) / 2)};
    for (int p = 0; p <= 55; ++p) {
      if (p > 20 && p < 28) continue;  // the spotlight leaves labels off-centre
      for (int ring = 0; ring < 3; ++ring) {
        for (bool q : {true, false}) {
          const Point c = centreOf(ringLabel(ticks[size_t(p)], ring, q));
          const double r = std::hypot(c.x - centre.x, c.y - centre.y);
          if (std::abs(r - kRadius[ring]) > 1.5)
            QFAIL(qPrintable(QString("phase %1 ring %2 %3: radius %4").arg(p).arg(ring).arg(q).arg(r)));
        }
      }
    }
  }

  // Each ring's question and answer face each other across the centre.
  void pairsFaceEachOther() {
    PatternHarness h(QSize(1024, 768), 2);
    const auto ticks = h.runPattern(kMerryGoRound);
    const Point centre{512, 381};
    for (int p : {0, 5, 13, 20, 28, 40, 55}) {
      for (int ring = 1; ring < 3; ++ring) {  // the inner ring is too small to measure an angle well
        const double aq = angleOf(centreOf(ticks[size_t(p)].lblQ[size_t(ring)]), centre);
        const double af = angleOf(centreOf(ticks[size_t(p)].lblF[size_t(ring)]), centre);
        QVERIFY2(std::abs(std::abs(angleStep(aq, af)) - kTurn / 2) < 0.03,
                 qPrintable(QString("phase %1 ring %2").arg(p).arg(ring)));
      }
    }
  }

  // Inner ring clockwise, middle anticlockwise, outer half as fast
  // clockwise; in the second turn every ring the other way.
  void ringsTurnInTheirDirections_data() {
    QTest::addColumn<int>("ring");
    QTest::addColumn<double>("firstStep");
    QTest::addColumn<double>("secondStep");
    QTest::addRow("inner") << 0 << kTurn / 20 << -kTurn / 25;
    QTest::addRow("middle") << 1 << -kTurn / 20 << kTurn / 25;
    QTest::addRow("outer") << 2 << kTurn / 40 << -kTurn / 25 / 1.166;
  }
  void ringsTurnInTheirDirections() {
    QFETCH(int, ring);
    QFETCH(double, firstStep);
    QFETCH(double, secondStep);
    PatternHarness h(QSize(1024, 768), 2);
    const auto ticks = h.runPattern(kMerryGoRound);
    const Point centre{512, 381};
    // Rounding to whole pixels blurs the angle most on the inner ring.
    const double tolerance = ring == 0 ? 0.05 : 0.012;
    auto check = [&](int from, int to, double expected) {
      for (int p = from; p < to; ++p) {
        for (bool q : {true, false}) {
          const double a = angleOf(centreOf(ringLabel(ticks[size_t(p)], ring, q)), centre);
          const double b = angleOf(centreOf(ringLabel(ticks[size_t(p + 1)], ring, q)), centre);
          if (std::abs(angleStep(a, b) - expected) > tolerance)
            QFAIL(qPrintable(QString("phase %1 to %2: step %3, expected %4")
                                 .arg(p).arg(p + 1).arg(angleStep(a, b)).arg(expected)));
        }
      }
    };
    check(0, 20, firstStep);
    check(28, 55, secondStep);
  }

  void afterTheFirstTurnTheOuterRingHasSwappedSides() {
    PatternHarness h(QSize(1024, 768), 2);
    const auto ticks = h.runPattern(kMerryGoRound);
    const TickSnapshot& start = ticks[0];
    const TickSnapshot& end = ticks[20];
    const Point c0q = centreOf(start.lblQ[2]), c0f = centreOf(start.lblF[2]);
    const Point c20q = centreOf(end.lblQ[2]), c20f = centreOf(end.lblF[2]);
    QVERIFY(c0q.x < 512 && c0f.x > 512);  // question left, answer right
    QVERIFY(std::abs(c20q.x - c0f.x) <= 1 && std::abs(c20q.y - c0f.y) <= 1);
    QVERIFY(std::abs(c20f.x - c0q.x) <= 1 && std::abs(c20f.y - c0q.y) <= 1);
    // The inner and middle rings are back where they started.
    for (size_t i = 0; i < 2; ++i) {
      QVERIFY(std::abs(end.lblQ[i].left - start.lblQ[i].left) <= 1);
      QVERIFY(std::abs(end.lblQ[i].top - start.lblQ[i].top) <= 1);
      QVERIFY(std::abs(end.lblF[i].left - start.lblF[i].left) <= 1);
      QVERIFY(std::abs(end.lblF[i].top - start.lblF[i].top) <= 1);
    }
  }

  void startSizes() {
    PatternHarness h(QSize(1024, 768), 2);
    const auto ticks = h.runPattern(kMerryGoRound);
    const int sizes[3] = {18, 25, 35};
    for (size_t i = 0; i < 3; ++i) {
      QCOMPARE(ticks[0].lblQ[i].size, sizes[i]);
      QCOMPARE(ticks[0].lblF[i].size, sizes[i]);
      QVERIFY(ticks[0].lblQ[i].visible && ticks[0].lblF[i].visible);
    }
    // Question 0 on the left of the inner ring, centred with half its width: 512 - 40 - 86 / 2.
    QCOMPARE(ticks[0].lblQ[0].left, 429.0);
  }

  // One ring at a time, at its new size, where it stood at phase 20.
  void spotlightPassesInward_data() {
    QTest::addColumn<int>("phase");
    QTest::addColumn<QList<int>>("visibleRings");
    QTest::addColumn<QList<int>>("sizes");
    QTest::addRow("21 outer") << 21 << QList<int>{2} << QList<int>{18, 25, 20};
    QTest::addRow("22 hold") << 22 << QList<int>{2} << QList<int>{18, 25, 20};
    QTest::addRow("23 middle") << 23 << QList<int>{1} << QList<int>{18, 30, 20};
    QTest::addRow("24 hold") << 24 << QList<int>{1} << QList<int>{18, 30, 20};
    QTest::addRow("25 inner") << 25 << QList<int>{0} << QList<int>{25, 30, 20};
    QTest::addRow("26 hold") << 26 << QList<int>{0} << QList<int>{25, 30, 20};
    QTest::addRow("27 all") << 27 << QList<int>{0, 1, 2} << QList<int>{25, 30, 20};
  }
  void spotlightPassesInward() {
    QFETCH(int, phase);
    QFETCH(QList<int>, visibleRings);
    QFETCH(QList<int>, sizes);
    PatternHarness h(QSize(1024, 768), 2);
    const auto ticks = h.runPattern(kMerryGoRound);
    const TickSnapshot& t = ticks[size_t(phase)];
    for (int ring = 0; ring < 3; ++ring) {
      const size_t i = size_t(ring);
      QCOMPARE(t.lblQ[i].visible, visibleRings.contains(ring));
      QCOMPARE(t.lblF[i].visible, visibleRings.contains(ring));
      QCOMPARE(t.lblQ[i].size, sizes[ring]);
      QCOMPARE(t.lblF[i].size, sizes[ring]);
      QCOMPARE(t.lblQ[i].left, ticks[20].lblQ[i].left);
      QCOMPARE(t.lblQ[i].top, ticks[20].lblQ[i].top);
      QCOMPARE(t.lblF[i].left, ticks[20].lblF[i].left);
      QCOMPARE(t.lblF[i].top, ticks[20].lblF[i].top);
    }
  }

  // The second turn carries on from where the first stopped: at phase 28
  // every label is one step of the second turn away from its phase-20 angle.
  void noLabelJumpsIntoTheSecondTurn() {
    PatternHarness h(QSize(1024, 768), 2);
    const auto ticks = h.runPattern(kMerryGoRound);
    const Point centre{512, 381};
    const double steps[3] = {-kTurn / 25, kTurn / 25, -kTurn / 25 / 1.166};
    for (int ring = 1; ring < 3; ++ring) {
      for (bool q : {true, false}) {
        // At phase 20 the label is centred for its old size.
        const double before = angleOf(centreOf(ringLabel(ticks[20], ring, q)), centre);
        const double after = angleOf(centreOf(ringLabel(ticks[28], ring, q)), centre);
        QVERIFY2(std::abs(angleStep(before, after) - steps[ring]) < 0.02,
                 qPrintable(QString("ring %1 %2: %3").arg(ring).arg(q).arg(angleStep(before, after))));
      }
    }
    // The inner ring: still on the same side of the centre.
    for (bool q : {true, false}) {
      const Point before = centreOf(ringLabel(ticks[20], 0, q));
      const Point after = centreOf(ringLabel(ticks[28], 0, q));
      QVERIFY(std::abs(after.x - before.x) <= 2 && std::abs(after.y - before.y) <= 11);
    }
  }

  void holdsAtTheEnd() {
    PatternHarness h(QSize(1024, 768), 2);
    const auto ticks = h.runPattern(kMerryGoRound);
    for (int p = 56; p <= 60; ++p) {
      QCOMPARE(ticks[size_t(p)].lblQ, ticks[55].lblQ);
      QCOMPARE(ticks[size_t(p)].lblF, ticks[55].lblF);
    }
  }
};

QTEST_GUILESS_MAIN(TestMerryGoRound)
#include "tst_merry_go_round.moc"
