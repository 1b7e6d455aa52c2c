#include <QtTest>
#include <cmath>

#include "patterns/pattern.h"
#include "support/direct_stage.h"
#include "support/pattern_harness.h"

namespace {

constexpr int kHighway = 5;

// Fake metrics that count how often a label is measured.
class CountingMetrics final : public TextMetrics {
 public:
  QSize measure(const QString& text, const QString& face, int size, bool italic) const override {
    ++calls;
    return fake.measure(text, face, size, italic);
  }
  mutable int calls = 0;
  FakeTextMetrics fake;
};

int width(const QString& text, int size) { return FakeTextMetrics::width(text, size); }
int height(int size) { return FakeTextMetrics::height(size); }

}  // namespace

class TestHighway : public QObject {
  Q_OBJECT

 private slots:
  void runsToItsEndAndHandsBack() {
    PatternHarness h(QSize(1024, 768), 7);
    const auto ticks = h.runPattern(kHighway);
    QCOMPARE(int(ticks.size()), 61);
    for (int p = 0; p < 60; ++p) QCOMPARE(ticks[size_t(p)].enabled, QStringList{"tmShw"});
    QCOMPARE(ticks[60].enabled, QStringList{"tmQuo"});
    // Only the two cars and the two road travellers are ever shown.
    for (const TickSnapshot& t : ticks) {
      for (size_t i = 2; i < 16; ++i) {
        QVERIFY(!t.lblQ[i].visible);
        QVERIFY(!t.lblF[i].visible);
      }
    }
    QCOMPARE(ticks[60].visibleCount(), 4);
  }

  void carsReachTheOppositeEdges_data() {
    QTest::addColumn<QString>("question");
    QTest::addColumn<QString>("answer");
    QTest::addColumn<QSize>("display");
    QTest::addRow("short words") << "a" << "b" << QSize(1024, 768);
    QTest::addRow("long answer") << "cat" << "a rather long answer text" << QSize(1024, 768);
    QTest::addRow("long question, small display") << "a rather long question" << "dog" << QSize(640, 480);
    QTest::addRow("odd height") << "question" << "answer" << QSize(1280, 1001);
  }
  void carsReachTheOppositeEdges() {
    QFETCH(QString, question);
    QFETCH(QString, answer);
    QFETCH(QSize, display);
    PatternHarness h(display, 3);
    h.setWords(question, answer);
    const auto ticks = h.runPattern(kHighway);
    QCOMPARE(int(ticks.size()), 61);
    const int W = display.width();
    const int CY = (display.height() - 5) / 2;
    const int wQ = width(question, 25), wF = width(answer, 25);

    const Label& q0 = ticks[0].lblQ[0];
    const Label& f0 = ticks[0].lblF[0];
    QCOMPARE(q0.size, 25);
    QCOMPARE(q0.left, double(W - wQ));
    QCOMPARE(f0.left, 0.0);
    // Opposite lanes: the question sits on the centre line, the answer just under it.
    QCOMPARE(q0.top + height(25), double(CY));
    QCOMPARE(f0.top, double(CY + 1));

    QCOMPARE(ticks[5].lblQ[0].left, 0.0);
    QCOMPARE(ticks[5].lblF[0].left + wF, double(W));
    // Back at the start at phase 10, and parked there to the end.
    for (int p = 10; p <= 60; ++p) {
      QCOMPARE(ticks[size_t(p)].lblQ[0], q0);
      QCOMPARE(ticks[size_t(p)].lblF[0], f0);
    }
    // Between the ends each car stays on its own lane.
    for (int p = 1; p < 10; ++p) {
      QVERIFY(ticks[size_t(p)].lblQ[0].left >= 0 && ticks[size_t(p)].lblQ[0].left <= W - wQ);
      QCOMPARE(ticks[size_t(p)].lblQ[0].top, q0.top);
      QCOMPARE(ticks[size_t(p)].lblF[0].top, f0.top);
    }
  }

  void roadRunsFromFarToNear_data() {
    QTest::addColumn<QSize>("display");
    QTest::addRow("1024x768") << QSize(1024, 768);
    QTest::addRow("1920x1080") << QSize(1920, 1080);
    QTest::addRow("640x480") << QSize(640, 480);
  }
  void roadRunsFromFarToNear() {
    QFETCH(QSize, display);
    PatternHarness h(display, 11);
    const QString q = QStringLiteral("question"), a = QStringLiteral("answer");
    const auto ticks = h.runPattern(kHighway);
    QCOMPARE(int(ticks.size()), 61);
    const int W = display.width(), H = display.height() - 5, CX = W / 2;
    const int halfPairFar = (width(q, 5) + width(a, 5)) / 2;
    const int halfPairNear = (width(q, 50) + width(a, 50)) / 2;
    // Far end: the 5-point pair centred on a quarter of the width at Top 35.
    const double farQuestionLeft = std::floor(CX / 2.0 - halfPairFar);
    // Near end: the 50-point pair centred on a third of the width on the bottom edge.
    const double nearQuestionLeft = std::floor(W / 3.0 - halfPairNear);

    const TickSnapshot& start = ticks[11];
    QCOMPARE(start.lblQ[1].size, 5);
    QCOMPARE(start.lblQ[1].left, farQuestionLeft);
    QCOMPARE(start.lblQ[1].top, 35.0);
    QVERIFY(start.lblQ[1].visible);
    QCOMPARE(start.lblF[1].size, 45);
    QCOMPARE(start.lblF[1].left, std::nearbyint(W / 3.0 - halfPairNear + width(q, 50)));
    QCOMPARE(start.lblF[1].top, double(H - height(50)));
    QVERIFY(start.lblF[1].visible);
    QCOMPARE(ticks[12].lblF[1].size, 44);
    QCOMPARE(ticks[12].lblQ[1].size, 5);

    for (int p : {26, 41, 56}) {
      const TickSnapshot& t = ticks[size_t(p)];
      QCOMPARE(t.STEP, int16_t(15));
      QCOMPARE(t.lblQ[1].size, 50);
      QCOMPARE(t.lblQ[1].left, nearQuestionLeft);
      QCOMPARE(t.lblQ[1].top, double(H - height(50)));
      QCOMPARE(t.lblF[1].size, 5);
      QCOMPARE(t.lblF[1].left, farQuestionLeft + width(q, 5));
      QCOMPARE(t.lblF[1].top, 35.0);
    }
    // Each pass starts over: the question far and small, the answer near.
    for (int p : {27, 42}) {
      QCOMPARE(ticks[size_t(p)].STEP, int16_t(1));
      QCOMPARE(ticks[size_t(p)].lblQ[1].size, 5);
      QCOMPARE(ticks[size_t(p)].lblF[1].size, 44);
    }
    // The three passes are the same picture, and the last stands still to the end.
    for (int p = 12; p <= 41; ++p) {
      QCOMPARE(ticks[size_t(p + 15)].lblQ[1], ticks[size_t(p)].lblQ[1]);
      QCOMPARE(ticks[size_t(p + 15)].lblF[1], ticks[size_t(p)].lblF[1]);
    }
    for (int p = 57; p <= 60; ++p) {
      QCOMPARE(ticks[size_t(p)].lblQ[1], ticks[56].lblQ[1]);
      QCOMPARE(ticks[size_t(p)].lblF[1], ticks[56].lblF[1]);
    }
    // Within a pass the question only grows and the answer only shrinks.
    for (int p = 13; p <= 26; ++p) {
      QVERIFY(ticks[size_t(p)].lblQ[1].size >= ticks[size_t(p - 1)].lblQ[1].size);
      QVERIFY(ticks[size_t(p)].lblF[1].size <= ticks[size_t(p - 1)].lblF[1].size);
      QVERIFY(ticks[size_t(p)].lblQ[1].top >= ticks[size_t(p - 1)].lblQ[1].top);
    }
  }

  void roadBendsOnceEachWay() {
    PatternHarness h(QSize(1024, 768), 5);
    const auto ticks = h.runPattern(kHighway);
    QCOMPARE(int(ticks.size()), 61);
    const int CX = 512;
    const auto& X = ticks[11].QX;
    auto straight = [&](int k) { return k * X[2] / 15.0 + X[1]; };
    // Question at k = 5 (phase 16): pushed 0.144 CX to the left of the straight road.
    QVERIFY(std::abs(ticks[16].lblQ[1].left - (straight(5) - 0.144 * CX)) <= 1.5);
    // Question at k = 12 (phase 23): pushed 0.913 CX to the right.
    QVERIFY(std::abs(ticks[23].lblQ[1].left - (straight(12) + 0.913 * CX)) <= 1.5);
  }

  void roadReadsNoLabelSizeAfterSetUp() {
    CountingMetrics metrics;
    RandomSource random;
    Stage stage(metrics, random);
    prepareStage(stage);
    stage.PH = 0;
    stage.timers.enable(TimerId::tmShw);
    Patterns::tickHighway(stage);
    QVERIFY(metrics.calls > 0);
    metrics.calls = 0;
    int ticks = 1;
    while (!stage.timers.isEnabled(TimerId::tmQuo) && ticks < 100) {
      Patterns::tickHighway(stage);
      ++ticks;
    }
    QCOMPARE(ticks, 61);
    QCOMPARE(metrics.calls, 0);
    QVERIFY(!stage.timers.isEnabled(TimerId::tmShw));
  }
};

QTEST_GUILESS_MAIN(TestHighway)
#include "tst_highway.moc"
