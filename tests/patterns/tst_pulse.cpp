// Pulse on a 1024 x 768 form (W = 1024, H = 763, CX = 512, CY = 381) with
// the words "question" (8 characters) and "answer" (6), measured by the fake
// metrics: width = characters x size x 3/5, height = size x 3/2.

#include <QtTest>
#include <cmath>

#include "support/pattern_harness.h"

namespace {
constexpr int kPulse = 9;
constexpr int kW = 1024;
constexpr int kH = 763;
constexpr int kCX = 512;
constexpr int kCY = 381;
constexpr int kSliderHeight = 45;               // 30 points
constexpr int kSliderBottom = kH - kSliderHeight;  // 718

const int kQuestionBeat[20] = {45, 49, 54, 59, 63, 68, 73, 77, 82, 87, 91, 96, 101, 105, 110, 96, 82, 68, 54, 40};
const int kAnswerBeat[20] = {105, 101, 96, 91, 87, 82, 77, 73, 68, 63, 59, 54, 49, 45, 40, 54, 68, 82, 96, 110};

int widthOf(const Label& l, int size) { return FakeTextMetrics::width(l.caption, size); }
}  // namespace

class TestPulse : public QObject {
  Q_OBJECT

 private:
  std::vector<TickSnapshot> ticks_;

 private slots:
  void initTestCase() {
    PatternHarness h;
    ticks_ = h.runPattern(kPulse);
    QCOMPARE(int(ticks_.size()), 61);
  }

  void setUpShowsFourLabelsInPlace() {
    const TickSnapshot& t = ticks_[0];
    QCOMPARE(t.visibleCount(), 4);
    QVERIFY(t.lblQ[0].visible && t.lblF[0].visible && t.lblQ[1].visible && t.lblF[1].visible);
    QCOMPARE(t.lblQ[0].size, 40);
    QCOMPARE(t.lblF[0].size, 80);
    QCOMPARE(t.lblQ[1].size, 30);
    QCOMPARE(t.lblF[1].size, 30);
    // Question: width 192, height 60, centred 30 left of the middle on the first third.
    QCOMPARE(t.lblQ[0].left, double(kCX - 96 - 30));
    QCOMPARE(t.lblQ[0].top, std::floor((kH - 35) / 3.0 - 30) + 35);
    // Answer at 80 points: width 288, height 120, 30 right of the middle on the second third.
    QCOMPARE(t.lblF[0].left, double(kCX - 144 + 30));
    QCOMPARE(t.lblF[0].top, std::floor((kH - 35) / 3.0 * 2 - 60) + 35);
    // Sliders in opposite corners: question top right, answer bottom left.
    QCOMPARE(t.lblQ[1].left, double(kW - 144));
    QCOMPARE(t.lblQ[1].top, 35.0);
    QCOMPARE(t.lblF[1].left, 0.0);
    QCOMPARE(t.lblF[1].top, double(kSliderBottom));
  }

  void beatSizes_data() {
    QTest::addColumn<int>("phase");
    QTest::addColumn<int>("question");
    QTest::addColumn<int>("answer");
    for (int p = 1; p <= 57; ++p)
      QTest::addRow("phase %d", p) << p << kQuestionBeat[(p - 1) % 20] << kAnswerBeat[(p - 1) % 20];
    // The third beat is cut off two ticks into the answer's swell.
    QTest::addRow("hold") << 58 << 82 << 68;
    QTest::addRow("end") << 60 << 82 << 68;
  }
  void beatSizes() {
    QFETCH(int, phase);
    QFETCH(int, question);
    QFETCH(int, answer);
    const TickSnapshot& t = ticks_[size_t(phase)];
    QCOMPARE(t.lblQ[0].size, question);
    QCOMPARE(t.lblF[0].size, answer);
    QCOMPARE(t.lblQ[1].size, 30);
    QCOMPARE(t.lblF[1].size, 30);
  }

  // Until the words converge, each stands centred on its base line with the
  // size it had one tick before.
  void centringLagsOneTick() {
    for (int p = 1; p <= 40; ++p) {
      const TickSnapshot& before = ticks_[size_t(p - 1)];
      const TickSnapshot& t = ticks_[size_t(p)];
      const int wQ = widthOf(t.lblQ[0], before.lblQ[0].size);
      const int hQ = FakeTextMetrics::height(before.lblQ[0].size);
      const int wF = widthOf(t.lblF[0], before.lblF[0].size);
      const int hF = FakeTextMetrics::height(before.lblF[0].size);
      const QByteArray where = QByteArray("phase ") + QByteArray::number(p);
      QVERIFY2(t.lblQ[0].left + wQ / 2 == kCX - 30, where);
      QVERIFY2(std::abs(t.lblQ[0].top + hQ / 2.0 - ((kH - 35) / 3.0 + 35)) <= 1, where);
      QVERIFY2(t.lblF[0].left + wF / 2 == kCX + 30, where);
      QVERIFY2(std::abs(t.lblF[0].top + hF / 2.0 - ((kH - 35) / 3.0 * 2 + 35)) <= 1, where);
    }
  }

  void slidersKeepToTheirEdges() {
    for (size_t p = 0; p < ticks_.size(); ++p) {
      const TickSnapshot& t = ticks_[p];
      QCOMPARE(t.lblQ[1].left, double(kW - 144));
      QCOMPARE(t.lblF[1].left, 0.0);
      for (const Label* slider : {&t.lblQ[1], &t.lblF[1]}) {
        QVERIFY(slider->top >= 35);
        QVERIFY(slider->top <= kSliderBottom);
      }
    }
  }

  void slidersMoveWithTheBeat_data() {
    QTest::addColumn<int>("phase");
    QTest::addColumn<int>("questionTop");
    QTest::addColumn<int>("answerTop");
    const int travel = kSliderBottom - 35;  // 683
    // Last tick of the question's swell: the question slider is at the bottom,
    // the answer slider one fifteenth of its travel below the margin.
    QTest::addRow("first beat, question swollen") << 15 << kSliderBottom << travel / 15 + 35;
    QTest::addRow("second beat, question swollen") << 35 << kSliderBottom << travel / 15 + 35;
    QTest::addRow("third beat, question swollen") << 55 << kSliderBottom << travel / 15 + 35;
    // End of a beat: question slider back at a fifth, answer slider at the bottom.
    QTest::addRow("end of first beat") << 20 << travel / 5 + 35 << kSliderBottom;
    QTest::addRow("end of second beat") << 40 << travel / 5 + 35 << kSliderBottom;
  }
  void slidersMoveWithTheBeat() {
    QFETCH(int, phase);
    QFETCH(int, questionTop);
    QFETCH(int, answerTop);
    QCOMPARE(ticks_[size_t(phase)].lblQ[1].top, double(questionTop));
    QCOMPARE(ticks_[size_t(phase)].lblF[1].top, double(answerTop));
  }

  void questionSliderGoesDownThenUp() {
    for (int p = 2; p <= 57; ++p) {
      const int c = (p - 1) % 20;
      const double step = ticks_[size_t(p)].lblQ[1].top - ticks_[size_t(p - 1)].lblQ[1].top;
      // It rests at the bottom for the first tick of the answer's swell.
      if (c >= 1 && c <= 14) QVERIFY2(step > 0, qPrintable(QString::number(p)));
      if (c >= 16) QVERIFY2(step < 0, qPrintable(QString::number(p)));
    }
  }

  // From phase 41 the words drift to the centre: x arrives at phase 44, y at 46.
  void convergenceReachesTheCentre() {
    const TickSnapshot& before44 = ticks_[43];
    const TickSnapshot& at44 = ticks_[44];
    QCOMPARE(at44.lblQ[0].left, std::floor(kCX - widthOf(at44.lblQ[0], before44.lblQ[0].size) / 2.0));
    QCOMPARE(at44.lblF[0].left, std::floor(kCX - widthOf(at44.lblF[0], before44.lblF[0].size) / 2.0));
    const TickSnapshot& before46 = ticks_[45];
    const TickSnapshot& at46 = ticks_[46];
    QCOMPARE(at46.lblQ[0].top, std::floor(kCY - FakeTextMetrics::height(before46.lblQ[0].size) / 2.0));
    QCOMPARE(at46.lblF[0].top, std::floor(kCY - FakeTextMetrics::height(before46.lblF[0].size) / 2.0));
  }

  // Past the centre: the question goes on to the lower right, the answer to the upper left.
  void convergenceOvershoots() {
    const TickSnapshot& before = ticks_[56];
    const TickSnapshot& t = ticks_[57];
    const double qCentredX = std::floor(kCX - widthOf(t.lblQ[0], before.lblQ[0].size) / 2.0);
    const double qCentredY = std::floor(kCY - FakeTextMetrics::height(before.lblQ[0].size) / 2.0);
    const double fCentredX = std::floor(kCX - widthOf(t.lblF[0], before.lblF[0].size) / 2.0);
    const double fCentredY = std::floor(kCY - FakeTextMetrics::height(before.lblF[0].size) / 2.0);
    QVERIFY(t.lblQ[0].left > qCentredX + 60);
    QVERIFY(t.lblQ[0].top > qCentredY);
    QVERIFY(t.lblF[0].left < fCentredX - 60);
    QVERIFY(t.lblF[0].top < fCentredY);
    // Nothing moves in the hold.
    for (int p = 58; p <= 60; ++p) {
      QCOMPARE(ticks_[size_t(p)].lblQ, t.lblQ);
      QCOMPARE(ticks_[size_t(p)].lblF, t.lblF);
    }
  }

  void runsToItsEndAndHandsBack() {
    for (int p = 0; p < 60; ++p) QCOMPARE(ticks_[size_t(p)].enabled, QStringList{"tmSpl"});
    QCOMPARE(ticks_[60].enabled, QStringList{"tmQuo"});
    for (const TickSnapshot& t : ticks_) QCOMPARE(t.visibleCount(), 4);
  }

  void drawsNoRandomNumbers() {
    PatternHarness other(QSize(1024, 768), 4242);
    const std::vector<TickSnapshot> again = other.runPattern(kPulse);
    QCOMPARE(again.size(), ticks_.size());
    for (size_t p = 0; p < again.size(); ++p) {
      QCOMPARE(again[p].lblQ, ticks_[p].lblQ);
      QCOMPARE(again[p].lblF, ticks_[p].lblF);
    }
  }

  // Positions are never clamped: at 110 points a long word overflows both sides.
  void longWordRunsOffBothSides() {
    PatternHarness h;
    h.setWords(QStringLiteral("Donaudampfschiffahrt"), QStringLiteral("answer"));  // twenty letters, no place to break
    const std::vector<TickSnapshot> ticks = h.runPattern(kPulse);
    const Label& q = ticks[15].lblQ[0];
    QCOMPARE(q.size, 110);
    QVERIFY(q.left < 0);
    QVERIFY(q.left + FakeTextMetrics::width(q.caption, q.size) > kW);
  }
};

QTEST_GUILESS_MAIN(TestPulse)
#include "tst_pulse.moc"
