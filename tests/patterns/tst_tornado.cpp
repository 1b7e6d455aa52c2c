// Tornado on a 1024 x 768 form (W = 1024, H = 763, CX = 512) with the
// words "question" and "answer" and the fake metrics (width = characters x
// size x 3/5, height = size x 3/2).

#include <QtTest>
#include <cmath>

#include "support/pattern_harness.h"

namespace {
constexpr double kH = 763;
constexpr double kFirstX = 512 / 3.0 * 5;  // five sixths across
constexpr double kSecondX = 1024 / 3.0;    // one third across

struct Centre {
  double x, y;
};
Centre centreOf(const Label& l) { return {centreX(l), centreY(l)}; }
}  // namespace

class TestTornado : public QObject {
  Q_OBJECT

 private:
  std::vector<TickSnapshot> ticks_;

 private slots:
  void initTestCase() {
    PatternHarness h;
    ticks_ = h.runPattern(3);
    QCOMPARE(int(ticks_.size()), 61);
  }

  // The question stands on the bottom line, the answer is centred on it.
  void startsAtTheFoot() {
    const Label& q = ticks_[0].lblQ[0];
    const Label& f = ticks_[0].lblF[0];
    QCOMPARE(q.size, 9);
    QCOMPARE(f.size, 9);
    QCOMPARE(q.top, kH - 13);
    QCOMPARE(f.top, std::floor(kH - 6.5));
    QCOMPARE(q.left, std::floor(kFirstX - 43 / 2.0));
    QCOMPARE(f.left, std::floor(kFirstX - 32 / 2.0));
    QCOMPARE(ticks_[0].visibleCount(), 2);

    const Label& q1 = ticks_[15].lblQ[1];
    const Label& f1 = ticks_[15].lblF[1];
    QCOMPARE(q1.size, 9);
    QCOMPARE(q1.top, kH - 13);
    QCOMPARE(f1.top, std::floor(kH - 6.5));
    QCOMPARE(q1.left, std::floor(kSecondX - 43 / 2.0));
    QCOMPARE(f1.left, std::floor(kSecondX - 32 / 2.0));
    QCOMPARE(ticks_[14].visibleCount(), 2);
    QCOMPARE(ticks_[15].visibleCount(), 6);
  }

  void wordsGrow_data() {
    QTest::addColumn<int>("phase");
    QTest::addColumn<int>("first");
    QTest::addColumn<int>("second");  // -1: the second whirlwind is not there yet
    QTest::addRow("p = 1") << 1 << 9 << -1;
    QTest::addRow("p = 2") << 2 << 10 << -1;
    QTest::addRow("p = 10") << 10 << 18 << -1;
    QTest::addRow("p = 16, s = 1") << 16 << 23 << 9;
    QTest::addRow("p = 25, s = 10") << 25 << 31 << 17;
    QTest::addRow("p = 49, s = 34") << 49 << 53 << 39;
    QTest::addRow("p = 50, s = 35") << 50 << 54 << 40;
    QTest::addRow("first stopped, s = 40") << 55 << 54 << 44;
    QTest::addRow("pause") << 59 << 54 << 44;
  }
  void wordsGrow() {
    QFETCH(int, phase);
    QFETCH(int, first);
    QFETCH(int, second);
    const TickSnapshot& t = ticks_[size_t(phase)];
    QCOMPARE(t.lblQ[0].size, first);
    QCOMPARE(t.lblF[0].size, first);
    if (second > 0) {
      QCOMPARE(t.lblQ[1].size, second);
      QCOMPARE(t.lblF[1].size, second);
    } else {
      QVERIFY(!t.lblQ[1].visible);
    }
  }

  // The two words of the first whirlwind sit on opposite ends of an ellipse
  // of radii 5p x 1.5p whose centre drifts 5 pixels left and H/70 up a tick.
  void firstWhirlwindOrbit() {
    for (int p = 10; p <= 50; ++p) {
      const Centre q = centreOf(ticks_[size_t(p)].lblQ[0]);
      const Centre f = centreOf(ticks_[size_t(p)].lblF[0]);
      const QByteArray where = "phase " + QByteArray::number(p);
      QVERIFY2(std::abs((q.x + f.x) / 2 - (kFirstX - 5 * p)) <= 1, where.constData());
      QVERIFY2(std::abs((q.y + f.y) / 2 - (kH - p / 70.0 * kH)) <= 1, where.constData());
      const double rx = (q.x - f.x) / 2 / (5.0 * p);
      const double ry = (q.y - f.y) / 2 / (1.5 * p);
      QVERIFY2(std::abs(rx * rx + ry * ry - 1) < 0.1, where.constData());
      // One turn every 12 ticks, starting along the horizontal axis.
      const double angle = M_PI / 6 * p;
      QVERIFY2(std::abs(rx - std::cos(angle)) < 0.1, where.constData());
    }
    // At phase 50 the centre is at H x 2/7, 250 pixels left of its start.
    const Centre q = centreOf(ticks_[50].lblQ[0]);
    const Centre f = centreOf(ticks_[50].lblF[0]);
    QVERIFY(std::abs((q.y + f.y) / 2 - kH * 2 / 7) <= 1);
    QVERIFY(std::abs((q.x + f.x) / 2 - (kFirstX - 250)) <= 1);
  }

  // The second turns the other way (answer first on the right at s = 0)
  // with radii 7s x s, drifting 4 pixels right and H/90 up a tick.
  void secondWhirlwindOrbit() {
    for (int p = 16; p <= 55; ++p) {
      const int s = p - 15;
      const Centre q = centreOf(ticks_[size_t(p)].lblQ[1]);
      const Centre f = centreOf(ticks_[size_t(p)].lblF[1]);
      const QByteArray where = "phase " + QByteArray::number(p);
      QVERIFY2(std::abs((q.x + f.x) / 2 - (kSecondX + 4 * s)) <= 1, where.constData());
      QVERIFY2(std::abs((q.y + f.y) / 2 - (kH - s / 90.0 * kH)) <= 1, where.constData());
      const double beta = -M_PI / 7 * s;
      QVERIFY2(std::abs((f.x - q.x) / 2 - 7 * s * std::cos(beta)) <= 1, where.constData());
      QVERIFY2(std::abs((f.y - q.y) / 2 - s * std::sin(beta)) <= 1, where.constData());
    }
  }

  void stillCopies() {
    const TickSnapshot& t = ticks_[15];
    for (const auto* kind : {&t.lblQ, &t.lblF}) {
      const Label& copy = (*kind)[2];
      const Label& original = (*kind)[0];
      QVERIFY(copy.visible);
      QCOMPARE(copy.size, original.size);
      QCOMPARE(copy.left, original.left);
      QCOMPARE(copy.top, original.top);
    }
    QVERIFY(!ticks_[14].lblQ[2].visible);
    QVERIFY(ticks_[16].lblQ[0].left != ticks_[16].lblQ[2].left);
    // The copies stay where they were left.
    for (int p = 16; p <= 60; ++p) {
      QCOMPARE(ticks_[size_t(p)].lblQ[2], t.lblQ[2]);
      QCOMPARE(ticks_[size_t(p)].lblF[2], t.lblF[2]);
    }
  }

  void firstStopsAtFifty() {
    for (int p = 51; p <= 60; ++p) {
      QCOMPARE(ticks_[size_t(p)].lblQ[0], ticks_[50].lblQ[0]);
      QCOMPARE(ticks_[size_t(p)].lblF[0], ticks_[50].lblF[0]);
    }
    QVERIFY(ticks_[55].lblQ[1] != ticks_[54].lblQ[1]);
  }

  void pauseChangesNothing() {
    for (int p = 56; p <= 60; ++p) {
      QCOMPARE(ticks_[size_t(p)].lblQ, ticks_[55].lblQ);
      QCOMPARE(ticks_[size_t(p)].lblF, ticks_[55].lblF);
    }
  }

  void handsBack() {
    for (int p = 0; p < 60; ++p) QCOMPARE(ticks_[size_t(p)].enabled, QStringList{"tmStn"});
    QCOMPARE(ticks_[60].enabled, QStringList{"tmQuo"});
    QCOMPARE(ticks_[60].visibleCount(), 6);
  }

  // At quarter and half turns the cosine is all but zero or minus one, and
  // the angle's last bit decides a pixel. Four-letter words give even widths
  // (40, 60, 64), so the rest of each Left is a whole number and the true
  // sign of the cosine's error shows in the floor.
  void quarterTurnsLandOnTheFormula_data() {
    QTest::addColumn<QSize>("display");
    QTest::addColumn<int>("phase");
    QTest::addColumn<bool>("question");
    QTest::addColumn<int>("index");
    QTest::addColumn<double>("left");
    // floor(9 cos(9 pi/6) 5 + 1600 - 20 - 45), the cosine just below zero.
    QTest::addRow("1920x1080 p = 9 question") << QSize(1920, 1080) << 9 << true << 0 << 1534.0;
    QTest::addRow("1920x1080 p = 9 answer") << QSize(1920, 1080) << 9 << false << 0 << 1535.0;
    // floor(1600 - 18 cos(3 pi) 5 - 30 - 90), the cosine just above -1.
    QTest::addRow("1920x1080 p = 18 answer") << QSize(1920, 1080) << 18 << false << 0 << 1569.0;
    // Second whirlwind, s = 21: floor(640 - 21 cos(-3 pi) 7 - 32 + 84).
    QTest::addRow("1920x1080 s = 21 question") << QSize(1920, 1080) << 36 << true << 1 << 838.0;
  }
  void quarterTurnsLandOnTheFormula() {
    QFETCH(QSize, display);
    QFETCH(int, phase);
    QFETCH(bool, question);
    QFETCH(int, index);
    QFETCH(double, left);
    PatternHarness h(display);
    h.setWords(QStringLiteral("wind"), QStringLiteral("kaze"));
    const auto ticks = h.runPattern(3);
    const TickSnapshot& t = ticks[size_t(phase)];
    QCOMPARE((question ? t.lblQ : t.lblF)[size_t(index)].left, left);
  }

  // Nothing keeps the whirlwind on a narrow display: its left end runs
  // about 500 pixels left of five sixths of the width.
  void narrowDisplayRunsOffTheEdge() {
    PatternHarness h(QSize(480, 400));
    const auto ticks = h.runPattern(3);
    QCOMPARE(int(ticks.size()), 61);
    double leftmost = 1e9;
    for (const TickSnapshot& t : ticks) leftmost = std::min({leftmost, t.lblQ[0].left, t.lblF[0].left});
    QVERIFY(leftmost < -50);
  }
};

QTEST_GUILESS_MAIN(TestTornado)
#include "tst_tornado.moc"
