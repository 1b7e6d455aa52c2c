// Waterdrop on a 1024 x 768 form (W = 1024, H = 763, CX = 512) with the
// words "question" (8 characters) and "answer" (6), measured by the fake
// metrics: width = characters x size x 3/5, height = size x 3/2.

#include <QtTest>
#include <cmath>

#include "support/pattern_harness.h"

namespace {
constexpr int kH = 763;
constexpr int kQuestionX = 682;  // two thirds across: floor(512 / 3 x 4)
constexpr int kAnswerX = 409;    // two fifths across: floor(1024 / 5 x 2)
}  // namespace

class TestWaterdrop : public QObject {
  Q_OBJECT

 private:
  std::vector<TickSnapshot> ticks_;

 private slots:
  void initTestCase() {
    PatternHarness h;
    ticks_ = h.runPattern(1);
    QCOMPARE(int(ticks_.size()), 61);
  }

  void firstPictureKeepsHalfPixel() {
    const Label& drop = ticks_[0].lblQ[0];
    QCOMPARE(drop.top, 15.0);
    QCOMPARE(drop.left, kQuestionX - 115 / 2.0);  // 624.5: not rounded
    QVERIFY(drop.visible);
    QCOMPARE(ticks_[0].visibleCount(), 1);
    // The fall starts 20 pixels lower than the first picture.
    QCOMPARE(ticks_[1].lblQ[0].top, 36.0);
  }

  void questionDropSize_data() {
    QTest::addColumn<int>("phase");
    QTest::addColumn<int>("size");
    const int swell[] = {30, 35, 39, 41, 42, 41, 39, 35, 30, 24};
    for (int p = 1; p <= 10; ++p) QTest::addRow("swelling, phase %d", p) << p << swell[p - 1];
    QTest::addRow("falling at rest size") << 15 << 24;
    QTest::addRow("last fall tick") << 20 << 24;
    QTest::addRow("landed") << 21 << 18;
    QTest::addRow("after landing") << 59 << 18;
  }
  void questionDropSize() {
    QFETCH(int, phase);
    QFETCH(int, size);
    const Label& drop = ticks_[size_t(phase)].lblQ[0];
    QCOMPARE(drop.size, size);
    // Whatever its size, the drop stays centred two thirds across (rounded down).
    QCOMPARE(drop.left, std::floor(kQuestionX - FakeTextMetrics::width(drop.caption, drop.size) / 2.0));
  }

  void questionDropFallsFaster() {
    QCOMPARE(ticks_[20].lblQ[0].top, double(kH - 115));
    double lastStep = 0;
    for (int p = 2; p <= 20; ++p) {
      const double step = ticks_[size_t(p)].lblQ[0].top - ticks_[size_t(p - 1)].lblQ[0].top;
      QVERIFY2(step >= lastStep - 1, qPrintable(QStringLiteral("phase %1").arg(p)));
      lastStep = step;
    }
    QVERIFY(lastStep >= 55);  // the last tick falls about (H - 150) x 39/400
  }

  void answerSplash_data() {
    QTest::addColumn<int>("phase");
    QTest::addColumn<int>("size");
    QTest::addColumn<double>("lift");
    const int sizes[] = {14, 14, 15, 15, 16, 16, 17, 17, 18, 18, 19};
    // A parabola over s = 0 to 10, from 0 up to 80 at s = 5 and back:
    // 80 x (1 - ((s - 5) / 5)^2).
    const double lifts[] = {0, 28.8, 51.2, 67.2, 76.8, 80, 76.8, 67.2, 51.2, 28.8, 0};
    for (int s = 0; s <= 10; ++s) QTest::addRow("s = %d", s) << 22 + s << sizes[s] << lifts[s];
  }
  // Seven answers on an ellipse of radii 180 x 80 around the landing point,
  // 2 pi / 7 apart from 0.2 radians, raised by the lift.
  void answerSplash() {
    QFETCH(int, phase);
    QFETCH(int, size);
    QFETCH(double, lift);
    const TickSnapshot& t = ticks_[size_t(phase)];
    const int s = phase - 22;
    const int landingY = t.QY[0];
    QCOMPARE(landingY, 662);  // nearest(27 / 2 + 648)
    for (int i = 0; i <= 6; ++i) {
      const Label& l = t.lblF[size_t(i)];
      QCOMPARE(l.size, size);
      QVERIFY(l.visible);
      const double angle = 0.2 + 2 * M_PI * i / 7;
      QVERIFY(std::abs(centreX(l) - (kQuestionX + s * 18.0 * std::cos(angle))) <= 1.0);
      QVERIFY(std::abs(l.top + t.FY[size_t(i)] - (landingY + s * 8.0 * std::sin(angle) - lift)) <= 1.0);
      // The splash starts from the landing point.
      QCOMPARE(t.FY[size_t(i)], int16_t(FakeTextMetrics::height(14) / 2));
    }
  }

  void answerDrop_data() {
    QTest::addColumn<int>("phase");
    QTest::addColumn<int>("size");
    QTest::addColumn<double>("top");
    QTest::addRow("shown") << 33 << 28 << 30.0;
    QTest::addRow("s = 1") << 34 << 33 << 54.0;  // floor(493 / 100 + 50)
    const int sizes[] = {33, 38, 43, 48, 53, 48, 43, 38, 33, 28};
    for (int s = 2; s <= 9; ++s) QTest::addRow("s = %d", s) << 33 + s << sizes[s - 1] << -1.0;
    QTest::addRow("s = 10") << 43 << 28 << double(kH - 220);
    QTest::addRow("landed") << 44 << 22 << double(kH - 220);
  }
  void answerDrop() {
    QFETCH(int, phase);
    QFETCH(int, size);
    QFETCH(double, top);
    const Label& drop = ticks_[size_t(phase)].lblF[7];
    QVERIFY(drop.visible);
    QCOMPARE(drop.size, size);
    if (top >= 0) QCOMPARE(drop.top, top);
    QCOMPARE(drop.left, std::floor(kAnswerX - FakeTextMetrics::width(drop.caption, drop.size) / 2.0));
  }

  // Six questions 60 degrees apart from 0.35 radians, radii 190 x 80 at
  // s = 6, thrown up by a lift that peaks at 180 at s = 3.8:
  // 180 x (1 - ((s - 3.8) / 3.8)^2) = 180 x s x (7.6 - s) / 14.44. At s = 6
  // they still hang about 120 pixels above the ellipse.
  void questionSplash() {
    const double lifts[] = {0, 82.27, 139.61, 172.02, 179.50, 162.05, 119.67};
    const int landingY = ticks_[44].FY[7];
    QCOMPARE(landingY, 560);  // nearest(33 / 2 + 543): 559.5 goes to the even 560
    for (int s = 0; s <= 6; ++s) {
      const TickSnapshot& t = ticks_[size_t(45 + s)];
      const double lift = lifts[s];
      for (int i = 1; i <= 6; ++i) {
        const Label& l = t.lblQ[size_t(i)];
        QCOMPARE(l.size, 20 + s);
        const double angle = 0.35 + M_PI / 3 * i;
        QVERIFY(std::abs(centreX(l) - (kAnswerX + s / 6.0 * 190 * std::cos(angle))) <= 1.0);
        QVERIFY(std::abs(centreY(l) - (landingY + s / 6.0 * 80 * std::sin(angle) - lift)) <= 1.0);
      }
    }
  }

  void holdsThenHandsBack() {
    for (int p = 53; p <= 60; ++p) {
      QCOMPARE(ticks_[size_t(p)].lblQ, ticks_[51].lblQ);
      QCOMPARE(ticks_[size_t(p)].lblF, ticks_[51].lblF);
    }
    for (int p = 0; p < 60; ++p) QCOMPARE(ticks_[size_t(p)].enabled, QStringList{"tmSwf"});
    QCOMPARE(ticks_[60].enabled, QStringList{"tmQuo"});
    QCOMPARE(ticks_[60].PH, int16_t(61));  // the counter still advances
  }

  void onlyItsLabelsAppear() {
    const TickSnapshot& last = ticks_[60];
    for (int i = 0; i < 16; ++i) {
      QCOMPARE(last.lblQ[size_t(i)].visible, i <= 6);
      QCOMPARE(last.lblF[size_t(i)].visible, i <= 7);
    }
  }

  // Below 270 pixels of height the answer "drop" rises instead of falling.
  void lowDisplayAnswerDropRises() {
    PatternHarness h(QSize(800, 255));
    const auto ticks = h.runPattern(1);
    QCOMPARE(int(ticks.size()), 61);
    QCOMPARE(ticks[34].lblF[7].top, 49.0);  // floor(-20 / 100 + 50)
    QCOMPARE(ticks[43].lblF[7].top, 30.0);  // H - 220
    QVERIFY(ticks[43].lblF[7].top < ticks[34].lblF[7].top);
  }
};

QTEST_GUILESS_MAIN(TestWaterdrop)
#include "tst_waterdrop.moc"
