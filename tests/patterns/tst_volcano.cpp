#include <QtTest>
#include <cmath>

#include "patterns/pattern.h"
#include "support/direct_stage.h"
#include "support/pattern_harness.h"

namespace {

constexpr int kVolcano = 16;

std::vector<TickSnapshot> runVolcano(uint32_t seed = 6, QSize display = QSize(1024, 768),
                                     const QString& question = "question", const QString& answer = "answer") {
  PatternHarness h(display, seed);
  h.setWords(question, answer);
  return h.runPattern(kVolcano);
}

// The base line the column stands on: the lowest row's top plus the row height.
double baseLine(const TickSnapshot& t) {
  return t.lblF[0].top + FakeTextMetrics::height(std::max(t.lblQ[0].size, t.lblF[0].size));
}

// The crater line: the top of the volcano's top row.
double craterLine(const TickSnapshot& t) { return t.lblQ[10].top; }

}  // namespace

class TestVolcano : public QObject {
  Q_OBJECT

 private slots:
  void runsToItsEndAndHandsBack() {
    const auto ticks = runVolcano();
    QCOMPARE(int(ticks.size()), 61);
    for (int p = 0; p < 60; ++p) QCOMPARE(ticks[size_t(p)].enabled, QStringList{"tmSvc"});
    QCOMPARE(ticks[60].enabled, QStringList{"tmQuo"});
    for (int p = 0; p <= 60; ++p) QCOMPARE(int(ticks[size_t(p)].PH), p + 1);
    // Eighteen words, labels 3 to 9 never shown.
    for (const TickSnapshot& t : ticks) {
      QCOMPARE(t.visibleCount(), 18);
      for (size_t i = 3; i <= 9; ++i) QVERIFY(!t.lblQ[i].visible && !t.lblF[i].visible);
    }
  }

  // Three, four and five words at 20 points, question and answer
  // alternating, each row running on without gaps, the top row centred on
  // its question; the rows sit on the bottom of the display.
  void volcanoIsAPyramidOfThreeRows_data() {
    QTest::addColumn<QSize>("display");
    QTest::addColumn<QString>("question");
    QTest::addColumn<QString>("answer");
    QTest::addRow("1024x768") << QSize(1024, 768) << "question" << "answer";
    QTest::addRow("short question, long answer") << QSize(1280, 1024) << "q" << "a long long answer";
    QTest::addRow("odd display") << QSize(801, 601) << "magma" << "lava";
  }
  void volcanoIsAPyramidOfThreeRows() {
    QFETCH(QSize, display);
    QFETCH(QString, question);
    QFETCH(QString, answer);
    const auto ticks = runVolcano(6, display, question, answer);
    const TickSnapshot& t = ticks[0];
    const int H = display.height() - 5;
    const int pitch = FakeTextMetrics::height(20);
    struct Word {
      bool isQuestion;
      size_t index;
    };
    const QList<QList<Word>> rows = {
        {{false, 10}, {true, 10}, {false, 11}},
        {{true, 11}, {false, 12}, {true, 12}, {false, 13}},
        {{true, 13}, {false, 14}, {true, 14}, {false, 15}, {true, 15}},
    };
    for (int r = 0; r < 3; ++r) {
      double nextLeft = 0;
      for (int n = 0; n < rows[r].size(); ++n) {
        const Label& l = rows[r][n].isQuestion ? t.lblQ[rows[r][n].index] : t.lblF[rows[r][n].index];
        QVERIFY(l.visible);
        QCOMPARE(l.size, 20);
        QCOMPARE(l.top, double(H - (3 - r) * pitch));
        if (n > 0) QCOMPARE(l.left, nextLeft);
        nextLeft = l.left + FakeTextMetrics::width(l.caption, 20);
      }
    }
    const int cx = display.width() / 2;
    QCOMPARE(t.lblQ[10].left, double(cx - FakeTextMetrics::width(question, 20) / 2));
    QCOMPARE(t.lblQ[12].left, double(cx));
  }

  // The column is shown from phase 0 on, standing on the crater line;
  // phases 1 and 2 change nothing; then it throbs there.
  void columnThrobsOnTheCrater_data() {
    QTest::addColumn<int>("phase");
    QTest::addColumn<int>("size");
    const int sizes[12] = {18, 18, 18, 17, 16, 15, 16, 17, 18, 17, 16, 15};
    for (int p = 0; p < 12; ++p) QTest::addRow("phase %d", p) << p << sizes[p];
  }
  void columnThrobsOnTheCrater() {
    QFETCH(int, phase);
    QFETCH(int, size);
    const auto ticks = runVolcano();
    const TickSnapshot& t = ticks[size_t(phase)];
    for (size_t i = 0; i < 3; ++i) {
      QVERIFY(t.lblQ[i].visible && t.lblF[i].visible);
      QCOMPARE(t.lblQ[i].size, size);
      QCOMPARE(t.lblF[i].size, size);
    }
    QCOMPARE(baseLine(t), craterLine(t));
    QCOMPARE(craterLine(t), 673.0);  // 763 - 3 x 30
    if (phase == 1 || phase == 2) {
      QCOMPARE(t.lblQ, ticks[0].lblQ);
      QCOMPARE(t.lblF, ticks[0].lblF);
    }
  }

  // Thrown up from the crater to the centre line, fast at first and slowing
  // down; at phase 19 the base line is CY, whatever the display's height.
  void columnIsThrownUpToTheCentreLine_data() {
    QTest::addColumn<QSize>("display");
    QTest::addRow("1024x768") << QSize(1024, 768);
    QTest::addRow("640x480") << QSize(640, 480);
    QTest::addRow("1920x1080") << QSize(1920, 1080);
    QTest::addRow("2560x1600, beyond 16-bit products") << QSize(2560, 1600);
    QTest::addRow("3840x2160") << QSize(3840, 2160);
  }
  void columnIsThrownUpToTheCentreLine() {
    QFETCH(QSize, display);
    const auto ticks = runVolcano(6, display);
    const int cy = (display.height() - 5) / 2;
    const int sizes[8] = {19, 19, 19, 20, 20, 20, 21, 21};
    double previousRise = 1e9;
    QCOMPARE(baseLine(ticks[12]), craterLine(ticks[12]));  // the throw starts on the crater
    for (int p = 12; p <= 19; ++p) {
      const TickSnapshot& t = ticks[size_t(p)];
      QCOMPARE(t.lblQ[0].size, sizes[p - 12]);
      if (p == 12) continue;
      const double rise = baseLine(ticks[size_t(p - 1)]) - baseLine(t);
      QVERIFY2(rise > 0 && rise <= previousRise, qPrintable(QString("phase %1 rises %2").arg(p).arg(rise)));
      previousRise = rise;
    }
    QCOMPARE(baseLine(ticks[19]), double(cy));
  }

  // The random choices are made once, at phase 20: four per pair.
  void randomChoicesAreMadeOnceAtPhase20() {
    DirectStage direct(QSize(1024, 768));
    for (int p = 0; p <= 60; ++p) {
      QCOMPARE(int(direct.stage.PH), p);
      QCOMPARE(direct.drawsOfOneTick(Patterns::tickVolcano, 500u + uint32_t(p)), p == 20 ? 12 : 0);
    }
    QVERIFY(direct.stage.timers.isEnabled(TimerId::tmQuo));
  }

  void chosenPeriodsAndAmplitudes_data() {
    QTest::addColumn<uint32_t>("seed");
    for (uint32_t seed : {1u, 6u, 42u, 777u, 31337u}) QTest::addRow("seed %u", seed) << seed;
  }
  void chosenPeriodsAndAmplitudes() {
    QFETCH(uint32_t, seed);
    const auto ticks = runVolcano(seed);
    for (size_t i = 8; i <= 10; ++i) {
      const TickSnapshot& t = ticks[20];
      QVERIFY(QList<int>({12, 16, 24}).contains(t.QX[i]));
      QVERIFY(QList<int>({8, 12, 16}).contains(t.QY[i]));
      QVERIFY(t.FX[i] >= 1 && t.FX[i] <= 5);
      QVERIFY(t.FY[i] >= 4 && t.FY[i] <= 7);
      for (int p = 21; p <= 44; ++p) {
        QCOMPARE(ticks[size_t(p)].QX[i], t.QX[i]);
        QCOMPARE(ticks[size_t(p)].QY[i], t.QY[i]);
        QCOMPARE(ticks[size_t(p)].FX[i], t.FX[i]);
        QCOMPARE(ticks[size_t(p)].FY[i], t.FY[i]);
      }
    }
    QCOMPARE(int(ticks[20].STEP), 1);
    QCOMPARE(int(ticks[44].STEP), 25);
  }

  // The two words of a pair move apart and together symmetrically and up
  // and down together; at the first step the outer pairs' questions go
  // right and up, the middle pair's left and down; the eruption ends within
  // a pixel of where it started.
  void eruptionSwingsPairsApart_data() { chosenPeriodsAndAmplitudes_data(); }
  void eruptionSwingsPairsApart() {
    QFETCH(uint32_t, seed);
    const auto ticks = runVolcano(seed);
    const TickSnapshot& start = ticks[20];
    QCOMPARE(start.lblQ, ticks[19].lblQ);  // nothing moves while the choices are made
    QCOMPARE(start.lblF, ticks[19].lblF);
    for (size_t i = 0; i < 3; ++i) {
      const double sumX = start.lblQ[i].left + start.lblF[i].left;
      for (int p = 21; p <= 44; ++p) {
        const TickSnapshot& t = ticks[size_t(p)];
        QCOMPARE(t.lblQ[i].left + t.lblF[i].left, sumX);
        QCOMPARE(t.lblQ[i].top - start.lblQ[i].top, t.lblF[i].top - start.lblF[i].top);
        QVERIFY(std::abs(t.lblQ[i].left - start.lblQ[i].left) <= 512 / 2);
        QVERIFY(std::abs(t.lblQ[i].top - start.lblQ[i].top) <= 0.7 * 381 + 1);
      }
      const double dx = ticks[21].lblQ[i].left - start.lblQ[i].left;
      const double dy = ticks[21].lblQ[i].top - start.lblQ[i].top;
      if (i == 1) {
        QVERIFY(dx < 0 && dy > 0);
      } else {
        QVERIFY(dx > 0 && dy < 0);
      }
      QVERIFY(std::abs(ticks[44].lblQ[i].left - start.lblQ[i].left) <= 1);
      QVERIFY(std::abs(ticks[44].lblQ[i].top - start.lblQ[i].top) <= 1);
      QVERIFY(std::abs(ticks[44].lblF[i].left - start.lblF[i].left) <= 1);
      QVERIFY(std::abs(ticks[44].lblF[i].top - start.lblF[i].top) <= 1);
    }
  }

  // Phase 45 starts the fall from CY, not from where the eruption left the
  // words; the column falls ever faster, shrinking, into the crater.
  void columnFallsBackIntoTheCrater() {
    const auto ticks = runVolcano();
    const double crater = 673, cy = 381;
    QCOMPARE(baseLine(ticks[45]), std::nearbyint((crater - cy) / 144 + cy));
    double previousFall = 0;
    for (int p = 45; p <= 56; ++p) {
      const TickSnapshot& t = ticks[size_t(p)];
      QCOMPARE(t.lblQ[0].size, 65 - p);
      QCOMPARE(t.lblF[2].size, 65 - p);
      if (p > 45) {
        const double fall = baseLine(t) - baseLine(ticks[size_t(p - 1)]);
        QVERIFY2(fall >= previousFall, qPrintable(QString("phase %1 falls %2").arg(p).arg(fall)));
        previousFall = fall;
      }
    }
    QCOMPARE(baseLine(ticks[56]), crater);
    for (int p = 57; p <= 60; ++p) {
      QCOMPARE(ticks[size_t(p)].lblQ, ticks[56].lblQ);
      QCOMPARE(ticks[size_t(p)].lblF, ticks[56].lblF);
    }
  }

  void sameSeedSameRun() {
    const auto a = runVolcano(8), b = runVolcano(8);
    for (size_t p = 0; p < a.size(); ++p) {
      QCOMPARE(a[p].lblQ, b[p].lblQ);
      QCOMPARE(a[p].lblF, b[p].lblF);
    }
  }
};

QTEST_GUILESS_MAIN(TestVolcano)
#include "tst_volcano.moc"
