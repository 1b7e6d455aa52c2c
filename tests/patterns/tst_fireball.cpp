#include <QtTest>
#include <cmath>

#include "patterns/pattern.h"
#include "support/direct_stage.h"
#include "support/pattern_harness.h"

namespace {

constexpr int kFireball = 6;

const Label& labelOf(const TickSnapshot& t, bool question, int i) {
  return question ? t.lblQ[size_t(i)] : t.lblF[size_t(i)];
}
double centreX(const TickSnapshot& t, bool question, int i) { return ::centreX(labelOf(t, question, i)); }
double centreY(const TickSnapshot& t, bool question, int i) { return ::centreY(labelOf(t, question, i)); }

// Angle difference folded into [0, pi].
double angleBetween(double a, double b) {
  const double d = std::fmod(std::abs(a - b), 2 * M_PI);
  return std::min(d, 2 * M_PI - d);
}

// Fake metrics in which the answer stands taller than the question.
class TallAnswerMetrics final : public TextMetrics {
 public:
  QSize measure(const QString& text, const QString& face, int size, bool italic) const override {
    QSize s = FakeTextMetrics().measure(text, face, size, italic);
    if (text == QStringLiteral("answer")) s.rheight() += 40;
    return s;
  }
};

}  // namespace

class TestFireball : public QObject {
  Q_OBJECT

 private slots:
  void runsToItsEndAndHandsBack() {
    PatternHarness h(QSize(1024, 768), 2);
    const auto ticks = h.runPattern(kFireball);
    QCOMPARE(int(ticks.size()), 61);
    for (int p = 0; p < 60; ++p) {
      QCOMPARE(ticks[size_t(p)].enabled, QStringList{"tmSfb"});
      QCOMPARE(ticks[size_t(p)].PH, int16_t(p + 1));
    }
    QCOMPARE(ticks[60].enabled, QStringList{"tmQuo"});
    QCOMPARE(ticks[60].PH, int16_t(60));
    // The third burst's rings stay up: labels 0 to 7 of each kind.
    QCOMPARE(ticks[60].visibleCount(), 16);
    for (size_t i = 0; i < 8; ++i) QVERIFY(ticks[60].lblQ[i].visible && ticks[60].lblF[i].visible);
    // The last four ticks hold the picture.
    for (int p = 56; p <= 60; ++p) {
      QCOMPARE(ticks[size_t(p)].lblQ, ticks[55].lblQ);
      QCOMPARE(ticks[size_t(p)].lblF, ticks[55].lblF);
    }
  }

  void drawsNoRandomNumbers() {
    PatternHarness first(QSize(1280, 1024), 1);
    PatternHarness second(QSize(1280, 1024), 987654);
    const auto a = first.runPattern(kFireball);
    const auto b = second.runPattern(kFireball);
    QCOMPARE(a.size(), b.size());
    for (size_t p = 0; p < a.size(); ++p) {
      QCOMPARE(a[p].lblQ, b[p].lblQ);
      QCOMPARE(a[p].lblF, b[p].lblF);
      QCOMPARE(a[p].QX, b[p].QX);
      QCOMPARE(a[p].QY, b[p].QY);
      QCOMPARE(a[p].FX, b[p].FX);
      QCOMPARE(a[p].FY, b[p].FY);
    }
  }

  void labelsShownOnlyInTheirStages() {
    PatternHarness h(QSize(1024, 768), 3);
    const auto ticks = h.runPattern(kFireball);
    QCOMPARE(int(ticks.size()), 61);
    for (int p = 0; p <= 60; ++p) {
      const TickSnapshot& t = ticks[size_t(p)];
      for (size_t i = 9; i < 16; ++i) QVERIFY(!t.lblQ[i].visible && !t.lblF[i].visible);
      const bool burst1 = p >= 11 && p <= 24;
      QCOMPARE(t.lblQ[8].visible, burst1);
      QCOMPARE(t.lblF[8].visible, burst1);
      const bool sixAndSeven = burst1 || p >= 36;
      QCOMPARE(t.lblQ[6].visible, sixAndSeven);
      QCOMPARE(t.lblF[7].visible, sixAndSeven);
    }
    // Burst 2 only: questions smaller than answers.
    for (int p = 25; p <= 35; ++p) {
      for (size_t i = 0; i < 6; ++i) {
        QCOMPARE(ticks[size_t(p)].lblQ[i].size, 14);
        QCOMPARE(ticks[size_t(p)].lblF[i].size, 16);
      }
    }
    for (int p : {11, 24, 36, 60}) {
      QCOMPARE(ticks[size_t(p)].lblQ[0].size, 18);
      QCOMPARE(ticks[size_t(p)].lblF[0].size, 18);
    }
  }

  void rocketClimbsAndFades_data() {
    QTest::addColumn<QString>("answer");
    QTest::addRow("short answer") << "ok";
    QTest::addRow("long answer") << "a much longer answer than the question";
  }
  void rocketClimbsAndFades() {
    QFETCH(QString, answer);
    PatternHarness h(QSize(1024, 768), 4);
    h.setWords(QStringLiteral("question"), answer);
    const auto ticks = h.runPattern(kFireball);
    QCOMPARE(int(ticks.size()), 61);
    const int h15 = FakeTextMetrics::height(15);
    const int rise = int(std::floor(h15 * 1.3));
    const int bottom = 763 - h15;
    // Bottom to top: question 0, answer 0, question 1, answer 1, ...; every
    // label centred on the same diagonal whatever its width.
    for (int k = 0; k < 6; ++k) {
      const bool question = k % 2 == 0;
      const int i = k / 2;
      const Label& l = question ? ticks[0].lblQ[size_t(i)] : ticks[0].lblF[size_t(i)];
      QCOMPARE(l.size, 15);
      QVERIFY(l.visible);
      QCOMPARE(l.left + FakeTextMetrics::width(l.caption, 15) / 2, double(256 + 20 * k));
      QCOMPARE(l.top, double(bottom - k * rise));
      // Six jumps later every label stands six positions higher.
      const Label& later = question ? ticks[6].lblQ[size_t(i)] : ticks[6].lblF[size_t(i)];
      QCOMPARE(later.left, l.left + 120);
      QCOMPARE(later.top, l.top - 6 * rise);
      QCOMPARE(ticks[7].lblQ[size_t(i)], ticks[6].lblQ[size_t(i)]);
    }
    QCOMPARE(ticks[0].visibleCount(), 6);
    // The lowest pair fades first.
    QCOMPARE(ticks[8].visibleCount(), 4);
    QVERIFY(!ticks[8].lblQ[0].visible && !ticks[8].lblF[0].visible);
    QVERIFY(!ticks[9].lblQ[1].visible && ticks[9].lblQ[2].visible);
    QCOMPARE(ticks[10].visibleCount(), 0);
  }

  void rocketFollowsTheQuestionHeightOnly() {
    const TallAnswerMetrics metrics;
    RandomSource random;
    Stage stage(metrics, random);
    prepareStage(stage);
    stage.timers.enable(TimerId::tmSfb);
    Patterns::tickFireball(stage);
    const int h15 = FakeTextMetrics::height(15);
    const int rise = int(std::floor(h15 * 1.3));
    for (int k = 0; k < 6; ++k) {
      const Label& l = k % 2 == 0 ? stage.lblQ[size_t(k / 2)] : stage.lblF[size_t(k / 2)];
      QCOMPARE(l.top, double(763 - h15 - k * rise));
    }
  }

  void burstsStartStackedOnOnePoint_data() {
    QTest::addColumn<int>("phase");
    QTest::addColumn<int>("labels");
    QTest::addColumn<double>("cx");
    QTest::addColumn<double>("cy");
    QTest::addColumn<bool>("firstMoverIsQuestion");
    // 1024 x 768: W 1024, H 763, CX 512, CY 381.
    QTest::addRow("burst 1") << 11 << 9 << 512.0 << 381.0 << false;
    QTest::addRow("burst 2") << 25 << 6 << 1024 * 0.6 << 381 * 1.2 << false;
    QTest::addRow("burst 3") << 36 << 8 << 512 * 0.9 << 381 * 0.9 << true;
  }
  void burstsStartStackedOnOnePoint() {
    QFETCH(int, phase);
    QFETCH(int, labels);
    QFETCH(double, cx);
    QFETCH(double, cy);
    QFETCH(bool, firstMoverIsQuestion);
    PatternHarness h(QSize(1024, 768), 5);
    const auto ticks = h.runPattern(kFireball);
    QCOMPARE(int(ticks.size()), 61);
    const TickSnapshot& t = ticks[size_t(phase)];
    QCOMPARE(t.visibleCount(), 2 * labels);
    for (int i = 0; i < labels; ++i) {
      for (bool question : {true, false}) {
        QVERIFY(std::abs(centreX(t, question, i) - cx) <= 1.0);
        QVERIFY(std::abs(centreY(t, question, i) - cy) <= 1.0);
      }
    }
    // On the first expansion tick only one ring opens; the other kind still
    // stands stacked at the centre.
    const TickSnapshot& next = ticks[size_t(phase + 1)];
    for (int i = 0; i < labels; ++i) {
      const Label& still = firstMoverIsQuestion ? next.lblF[size_t(i)] : next.lblQ[size_t(i)];
      const Label& before = firstMoverIsQuestion ? t.lblF[size_t(i)] : t.lblQ[size_t(i)];
      QCOMPARE(still, before);
    }
  }

  void ringsOpenToTheirRadius_data() {
    QTest::addColumn<int>("phase");
    QTest::addColumn<bool>("question");
    QTest::addColumn<int>("labels");
    QTest::addColumn<double>("cx");
    QTest::addColumn<double>("cy");
    QTest::addColumn<double>("radius");
    QTest::addColumn<double>("offset");
    const double cx2 = 1024 * 0.6, cy2 = 381 * 1.2, cx3 = 512 * 0.9, cy3 = 381 * 0.9;
    QTest::addRow("burst 1 questions") << 23 << true << 9 << 512.0 << 381.0 << 381 * std::sqrt(12 / 15.0) << 0.1;
    QTest::addRow("burst 1 answers") << 24 << false << 9 << 512.0 << 381.0 << 285 * std::sqrt(13 / 15.0) << 0.45;
    QTest::addRow("burst 2 questions") << 35 << true << 6 << cx2 << cy2 << 128.0 << 0.3;
    QTest::addRow("burst 2 answers") << 34 << false << 6 << cx2 << cy2 << 204 * std::sqrt(9 / 10.0) << 0.82;
    QTest::addRow("burst 3 questions") << 55 << true << 8 << cx3 << cy3 << 281.0 << 0.3;
    QTest::addRow("burst 3 answers") << 54 << false << 8 << cx3 << cy3 << 153 * std::sqrt(18 / 19.0) << 0.65;
  }
  void ringsOpenToTheirRadius() {
    QFETCH(int, phase);
    QFETCH(bool, question);
    QFETCH(int, labels);
    QFETCH(double, cx);
    QFETCH(double, cy);
    QFETCH(double, radius);
    QFETCH(double, offset);
    PatternHarness h(QSize(1024, 768), 6);
    const auto ticks = h.runPattern(kFireball);
    QCOMPARE(int(ticks.size()), 61);
    const TickSnapshot& t = ticks[size_t(phase)];
    for (int i = 0; i < labels; ++i) {
      const double dx = centreX(t, question, i) - cx;
      const double dy = centreY(t, question, i) - cy;
      QVERIFY2(std::abs(std::hypot(dx, dy) - radius) <= 2.0, qPrintable(QString::number(i)));
      // Spokes evenly spaced from the ring's offset, y growing downwards.
      QVERIFY2(angleBetween(std::atan2(dy, dx), 2 * M_PI * i / labels + offset) < 0.02,
               qPrintable(QString::number(i)));
    }
  }

  void ringsSlowDownAsTheyOpen() {
    PatternHarness h(QSize(1024, 768), 8);
    const auto ticks = h.runPattern(kFireball);
    QCOMPARE(int(ticks.size()), 61);
    // Burst 3's question ring moves on the odd phases 37 to 55.
    const double cx = 512 * 0.9, cy = 381 * 0.9;
    double lastDistance = 0, lastGain = 1e9;
    for (int p = 37; p <= 55; p += 2) {
      const double d = std::hypot(centreX(ticks[size_t(p)], true, 0) - cx, centreY(ticks[size_t(p)], true, 0) - cy);
      const double gain = d - lastDistance;
      QVERIFY(gain > 0);
      QVERIFY(gain <= lastGain + 1.5);
      lastDistance = d;
      lastGain = gain;
    }
  }
};

QTEST_GUILESS_MAIN(TestFireball)
#include "tst_fireball.moc"
