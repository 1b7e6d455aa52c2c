// Knot on a 1024 x 768 form (W = 1024, H = 763, CX = 512, CY = 381) with the
// words "question" (8 characters) and "answer" (6), measured by the fake
// metrics: width = characters x size x 3/5, height = size x 3/2. At 18 points
// the question is 86 x 27 and the answer 64 x 27.

#include <QtTest>
#include <cmath>

#include "support/pattern_harness.h"

namespace {
constexpr int kKnot = 11;
constexpr int kW = 1024;
constexpr int kH = 763;
constexpr int kCX = 512;
constexpr int kCY = 381;
constexpr int kQW = 86, kQH = 27, kFW = 64, kFH = 27;

bool inMovement(int p, bool question) {
  const bool both = (p >= 6 && p <= 15) || (p >= 36 && p <= 43) || (p >= 45 && p <= 54);
  return both || (question ? (p >= 18 && p <= 25) : (p >= 27 && p <= 34));
}

QByteArray phase(int p) { return "phase " + QByteArray::number(p); }

}  // namespace

class TestKnot : public QObject {
  Q_OBJECT

 private:
  std::vector<TickSnapshot> ticks_;

  const Label& traveller(int p, bool question) const {
    return question ? ticks_[size_t(p)].lblQ[0] : ticks_[size_t(p)].lblF[0];
  }

 private slots:
  void initTestCase() {
    PatternHarness h;
    ticks_ = h.runPattern(kKnot);
    QCOMPARE(int(ticks_.size()), 61);
  }

  void setUpPlacesTravellersInCornersAndHidesBlinkers() {
    const TickSnapshot& t = ticks_[0];
    QCOMPARE(t.visibleCount(), 2);
    QVERIFY(t.lblQ[0].visible && t.lblF[0].visible);
    QCOMPARE(t.lblQ[0].size, 18);
    QCOMPARE(t.lblF[0].size, 18);
    QCOMPARE(t.lblQ[0].left, 0.0);
    QCOMPARE(t.lblQ[0].top, double(kH - kQH));
    QCOMPARE(t.lblF[0].left, double(kW - kFW));
    QCOMPARE(t.lblF[0].top, 10.0);
    // Blinkers at 8 points: question 38 x 12, answer 28 x 12, centred.
    QCOMPARE(t.lblQ[1].size, 8);
    QCOMPARE(t.lblF[1].size, 8);
    QCOMPARE(t.lblQ[1].left, double(kCX - 19));
    QCOMPARE(t.lblF[1].left, double(kCX - 14));
    QCOMPARE(t.lblQ[1].top, double(kCY - 6));
    QCOMPARE(t.lblF[1].top, double(kCY - 6));
    QCOMPARE(t.STEP, int16_t(1));
  }

  // Travellers move only in their movement ticks; recording and hold ticks
  // leave them where they are.
  void travellersMoveOnlyInTheirMovements() {
    for (int p = 1; p <= 60; ++p) {
      for (bool question : {true, false}) {
        const Label& now = traveller(p, question);
        const Label& before = traveller(p - 1, question);
        const bool moved = now.left != before.left || now.top != before.top;
        QVERIFY2(moved == inMovement(p, question), phase(p) + (question ? " question" : " answer"));
      }
    }
  }

  void approachEndsAtTheCentreLines() {
    const Label& q = traveller(15, true);
    const Label& f = traveller(15, false);
    QCOMPARE(q.left, double(kCX));
    QCOMPARE(f.left, double(kW - kFW - kCX));
    // The sine wave is back to (almost) nothing at the end of the approach.
    QVERIFY(std::abs(q.top - (kH - kQH - kCY)) <= 1);
    QVERIFY(std::abs(f.top - (kCY + 10)) <= 1);
  }

  // A recording tick stores where the travellers stand, to the pixel.
  void recordingsReadTheScreen_data() {
    QTest::addColumn<int>("phase");
    QTest::addColumn<bool>("answerToo");
    QTest::addRow("after the approach") << 16 << true;
    QTest::addRow("again") << 17 << true;
    QTest::addRow("after the wiggle") << 26 << false;
    QTest::addRow("after the loop") << 35 << true;
    QTest::addRow("after the double loop") << 44 << true;
  }
  void recordingsReadTheScreen() {
    QFETCH(int, phase);
    QFETCH(bool, answerToo);
    const TickSnapshot& t = ticks_[size_t(phase)];
    const TickSnapshot& before = ticks_[size_t(phase - 1)];
    QCOMPARE(t.STEP, int16_t(1));
    QCOMPARE(double(t.QX[0]), before.lblQ[0].left);
    QCOMPARE(double(t.QY[0]), before.lblQ[0].top);
    if (answerToo) {
      QCOMPARE(double(t.FX[0]), before.lblF[0].left);
      QCOMPARE(double(t.FY[0]), before.lblF[0].top);
    }
  }

  // Each movement starts where the last one left its traveller and ends
  // displaced by its own drift (within a pixel of rounding).
  void movementsContinueFromTheirStart_data() {
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("to");
    QTest::addColumn<bool>("question");
    QTest::addColumn<double>("dx");
    QTest::addColumn<double>("dy");
    QTest::addRow("question wiggle") << 17 << 25 << true << double(-kQW) << 0.0;
    QTest::addRow("answer loop") << 26 << 34 << false << double(kFW) << 0.0;
    QTest::addRow("double loop, question") << 35 << 43 << true << kQW / 2.0 << kQH / 2.0;
    QTest::addRow("double loop, answer") << 35 << 43 << false << -kFW / 2.0 << -kFH / 2.0;
    QTest::addRow("separation, question") << 44 << 54 << true << -(kCX - kQW / 2.0 - 40)
                                           << -(kCY - kQH / 2.0 - 40);
    QTest::addRow("separation, answer") << 44 << 54 << false << (kCX - kFW / 2.0 - 40) << (kCY - kFH / 2.0 - 40);
  }
  void movementsContinueFromTheirStart() {
    QFETCH(int, from);
    QFETCH(int, to);
    QFETCH(bool, question);
    QFETCH(double, dx);
    QFETCH(double, dy);
    const Label& start = traveller(from, question);
    const Label& end = traveller(to, question);
    QVERIFY2(std::abs(end.left - start.left - dx) <= 1, qPrintable(QString::number(end.left - start.left)));
    QVERIFY2(std::abs(end.top - start.top - dy) <= 1, qPrintable(QString::number(end.top - start.top)));
  }

  // The double loop leaves both centred on the screen centre, the answer 10
  // lower; each of the three movements behind it may round a pixel down.
  void travellersMeetInTheCentre() {
    QVERIFY(std::abs(centreX(traveller(43, true)) - kCX) <= 3);
    QVERIFY(std::abs(centreY(traveller(43, true)) - kCY) <= 3);
    QVERIFY(std::abs(centreX(traveller(43, false)) - kCX) <= 3);
    QVERIFY(std::abs(centreY(traveller(43, false)) - (kCY + 10)) <= 3);
  }

  void blinkersTakeTurns() {
    for (int p = 0; p <= 60; ++p) {
      const TickSnapshot& t = ticks_[size_t(p)];
      const QByteArray where = phase(p);
      if (p < 36) {
        QVERIFY2(!t.lblQ[1].visible && !t.lblF[1].visible, where);
        continue;
      }
      // One blinker at a time, starting with the answer; the recording at 44
      // and the end at 60 keep what the tick before showed.
      QVERIFY2(t.lblQ[1].visible != t.lblF[1].visible, where);
      QCOMPARE(t.visibleCount(), 3);
      const int blinkPhase = (p == 44 || p == 60) ? p - 1 : p;
      const int s = blinkPhase <= 43 ? blinkPhase - 35 : blinkPhase - 44;
      QVERIFY2(t.lblF[1].visible == (s % 2 == 1), where);
    }
    QVERIFY(ticks_[36].lblF[1].visible);
  }

  void blinkersGrowInTheSeparation() {
    for (int p = 36; p <= 44; ++p) {
      QCOMPARE(ticks_[size_t(p)].lblQ[1].size, 8);
      QCOMPARE(ticks_[size_t(p)].lblF[1].size, 8);
    }
    for (int p = 45; p <= 54; ++p) {
      const int s = p - 44;
      const Label& shown = s % 2 == 0 ? ticks_[size_t(p)].lblQ[1] : ticks_[size_t(p)].lblF[1];
      QCOMPARE(shown.size, 3 * s + 8);
      QCOMPARE(shown.left, double(kCX - FakeTextMetrics::width(shown.caption, shown.size) / 2));
      QCOMPARE(shown.top, double(kCY - FakeTextMetrics::height(shown.size) / 2));
    }
    // The hold blinks with the last sizes: answer 35, question 38.
    for (int p = 55; p <= 60; ++p) {
      for (size_t i : {size_t(0), size_t(1)}) {
        const Label& now = i == 0 ? ticks_[size_t(p)].lblQ[1] : ticks_[size_t(p)].lblF[1];
        const Label& last = i == 0 ? ticks_[54].lblQ[1] : ticks_[54].lblF[1];
        QCOMPARE(now.left, last.left);
        QCOMPARE(now.top, last.top);
      }
      QCOMPARE(ticks_[size_t(p)].lblF[1].size, 35);
      QCOMPARE(ticks_[size_t(p)].lblQ[1].size, 38);
    }
  }

  void runsToItsEndAndHandsBack() {
    for (int p = 0; p < 60; ++p) {
      QCOMPARE(ticks_[size_t(p)].enabled, QStringList{"tmSkn"});
      QCOMPARE(int(ticks_[size_t(p)].PH), p + 1);
    }
    QCOMPARE(ticks_[60].enabled, QStringList{"tmQuo"});
    QCOMPARE(int(ticks_[60].PH), 60);
  }

  void drawsNoRandomNumbers() {
    PatternHarness other(QSize(1024, 768), 777);
    const std::vector<TickSnapshot> again = other.runPattern(kKnot);
    QCOMPARE(again.size(), ticks_.size());
    for (size_t p = 0; p < again.size(); ++p) {
      QCOMPARE(again[p].lblQ, ticks_[p].lblQ);
      QCOMPARE(again[p].lblF, ticks_[p].lblF);
    }
  }

  // Nothing keeps the travellers on a small screen.
  void loopsMayLeaveASmallScreen() {
    PatternHarness h(QSize(200, 160), 1);
    const std::vector<TickSnapshot> ticks = h.runPattern(kKnot);
    QCOMPARE(int(ticks.size()), 61);
    bool off = false;
    for (const TickSnapshot& t : ticks)
      off = off || t.lblQ[0].left < 0 || t.lblQ[0].top < 0 || t.lblF[0].left < 0 || t.lblF[0].top < 0;
    QVERIFY(off);
  }
};

QTEST_GUILESS_MAIN(TestKnot)
#include "tst_knot.moc"
