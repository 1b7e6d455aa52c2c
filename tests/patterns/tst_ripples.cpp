#include <QtTest>
#include <cmath>

#include "patterns/pattern.h"
#include "support/pattern_harness.h"

namespace {

constexpr int kRipples = 8;

// Cell i shows the answer when i is even and the question when i is odd.
const Label& cell(const TickSnapshot& t, int i) {
  return i % 2 == 0 ? t.lblF[size_t(i)] : t.lblQ[size_t(i)];
}

// Fake metrics in which one word stands taller than the other.
class TallWordMetrics final : public TextMetrics {
 public:
  TallWordMetrics(QString tallWord, int extra) : tall_(std::move(tallWord)), extra_(extra) {}
  QSize measure(const QString& text, const QString& face, int size, bool italic) const override {
    QSize s = FakeTextMetrics().measure(text, face, size, italic);
    if (text == tall_) s.rheight() += extra_;
    return s;
  }

 private:
  QString tall_;
  int extra_;
};

struct Frame {
  std::array<Label, 16> lblQ, lblF;
};

// Runs the pattern straight on a stage measured by `metrics`, as the main
// cycle would start it, and returns the labels after every tick.
std::vector<Frame> runOnStage(const TextMetrics& metrics, int width, int height) {
  RandomSource random;
  Stage stage(metrics, random);
  stage.SW = int16_t(width);
  stage.SH = int16_t(height - 5);
  stage.CX = int16_t(stage.SW / 2);
  stage.CY = int16_t(stage.SH / 2);
  for (size_t i = 0; i < 16; ++i) {
    stage.lblQ[i].caption = QStringLiteral("question");
    stage.lblF[i].caption = QStringLiteral("answer");
  }
  stage.timers.enable(TimerId::tmSrp);
  std::vector<Frame> frames;
  while (stage.timers.isEnabled(TimerId::tmSrp) && frames.size() < 100) {
    Patterns::tickRipples(stage);
    frames.push_back({stage.lblQ, stage.lblF});
  }
  return frames;
}

}  // namespace

class TestRipples : public QObject {
  Q_OBJECT

 private slots:
  void runsToItsEndAndHandsBack() {
    PatternHarness h(QSize(1024, 768), 12);
    const auto ticks = h.runPattern(kRipples);
    QCOMPARE(int(ticks.size()), 61);
    for (int p = 0; p < 60; ++p) QCOMPARE(ticks[size_t(p)].enabled, QStringList{"tmSrp"});
    QCOMPARE(ticks[60].enabled, QStringList{"tmQuo"});
    for (const TickSnapshot& t : ticks) {
      QCOMPARE(t.visibleCount(), 9);
      for (int i = 0; i < 9; ++i) QVERIFY(cell(t, i).visible);
    }
    // All nine upright at the end, and the last three ticks change nothing.
    for (int i = 0; i < 9; ++i) QVERIFY(!cell(ticks[60], i).italic);
    QCOMPARE(ticks[58].lblQ, ticks[57].lblQ);
    QCOMPARE(ticks[60].lblF, ticks[57].lblF);
  }

  void italicWavesRunFromTheFirstCorner_data() {
    QTest::addColumn<int>("phase");
    QTest::addColumn<QList<int>>("italicCells");
    const QList<int> none, all = {0, 1, 2, 3, 4, 5, 6, 7, 8};
    const QList<int> near = {0, 1, 3}, middle = {1, 2, 3, 4, 6}, far = {2, 4, 5, 6, 7, 8};
    QTest::addRow("grid") << 0 << none;
    QTest::addRow("first wave on") << 4 << near;
    QTest::addRow("odd phase keeps it") << 5 << near;
    QTest::addRow("first wave off") << 6 << none;
    QTest::addRow("first wave ends upright") << 10 << none;
    QTest::addRow("second wave on") << 14 << middle;
    QTest::addRow("second wave ends upright") << 20 << none;
    QTest::addRow("third wave on") << 22 << far;
    QTest::addRow("third wave off") << 24 << none;
    QTest::addRow("third wave left on") << 30 << far;
    QTest::addRow("during the glide") << 34 << far;
    QTest::addRow("glide done") << 38 << far;
    QTest::addRow("phase 39 changes nothing") << 39 << far;
    QTest::addRow("whole line on") << 40 << all;
    QTest::addRow("whole line off") << 42 << none;
    QTest::addRow("slow flicker, odd phase") << 47 << none;
    QTest::addRow("fast flicker even") << 48 << all;
    QTest::addRow("fast flicker odd") << 49 << none;
    QTest::addRow("last flicker on") << 56 << all;
    QTest::addRow("end") << 60 << none;
  }
  void italicWavesRunFromTheFirstCorner() {
    QFETCH(int, phase);
    QFETCH(QList<int>, italicCells);
    PatternHarness h(QSize(1024, 768), 13);
    const auto ticks = h.runPattern(kRipples);
    QCOMPARE(int(ticks.size()), 61);
    for (int i = 0; i < 9; ++i)
      QVERIFY2(cell(ticks[size_t(phase)], i).italic == italicCells.contains(i), qPrintable(QString::number(i)));
  }

  void gridIsSlantedByThePitch_data() {
    QTest::addColumn<QSize>("display");
    QTest::addRow("1024x768") << QSize(1024, 768);
    QTest::addRow("1366x768") << QSize(1366, 768);
    QTest::addRow("800x605") << QSize(800, 605);
  }
  void gridIsSlantedByThePitch() {
    QFETCH(QSize, display);
    PatternHarness h(display, 14);
    const auto ticks = h.runPattern(kRipples);
    QCOMPARE(int(ticks.size()), 61);
    const int W = display.width(), H = display.height() - 5;
    const int quarter = (W / 2) / 2;
    const int L = FakeTextMetrics::height(22) + 3;
    const int halfAnswer = FakeTextMetrics::width(QStringLiteral("answer"), 22) / 2;
    const int halfQuestion = FakeTextMetrics::width(QStringLiteral("question"), 22) / 2;
    const TickSnapshot& t = ticks[0];
    QCOMPARE(cell(t, 0).top, std::floor((H / 2) / 4.0 * 3));
    for (int i = 0; i < 9; ++i) {
      const int c = i % 3 + 1, r = i / 3 + 1;
      const Label& l = cell(t, i);
      QCOMPARE(l.size, 25);
      // Both labels of the index change size, though only one is shown.
      QCOMPARE(t.lblQ[size_t(i)].size, 25);
      QCOMPARE(t.lblF[size_t(i)].size, 25);
      // Columns at a quarter, a half and three quarters; each row one pitch further right.
      const int half = i % 2 == 0 ? halfAnswer : halfQuestion;
      QCOMPARE(l.left + half, double(quarter * c + (r - 2) * L));
      // Each column one pitch lower than the one before; rows three pitches apart.
      QCOMPARE(l.top - cell(t, 0).top, double(L * (c - 1) + 3 * L * (r - 1)));
    }
    // Nothing moves before the glide.
    for (int p = 1; p <= 30; ++p)
      for (int i = 0; i < 9; ++i) {
        QCOMPARE(cell(ticks[size_t(p)], i).left, cell(t, i).left);
        QCOMPARE(cell(ticks[size_t(p)], i).top, cell(t, i).top);
      }
  }

  void glideEndsOnALineThatIgnoresTheDisplay_data() {
    QTest::addColumn<QSize>("display");
    QTest::addRow("1024x768") << QSize(1024, 768);
    QTest::addRow("640x480") << QSize(640, 480);
    QTest::addRow("2560x1440") << QSize(2560, 1440);
  }
  void glideEndsOnALineThatIgnoresTheDisplay() {
    QFETCH(QSize, display);
    PatternHarness h(display, 15);
    const auto ticks = h.runPattern(kRipples);
    QCOMPARE(int(ticks.size()), 61);
    const int L = FakeTextMetrics::height(22) + 3;
    for (int i = 0; i < 9; ++i) {
      const Label& start = cell(ticks[30], i);
      const Label& end = cell(ticks[38], i);
      QCOMPARE(end.left, double((8 - i) * 2 * L + 10));
      QCOMPARE(end.top, double((9 - i) * L + 20));
      // Eight equal steps: half way after four.
      const Label& mid = cell(ticks[34], i);
      QVERIFY(std::abs(mid.left - (start.left + end.left) / 2) <= 1.0);
      QVERIFY(std::abs(mid.top - (start.top + end.top) / 2) <= 1.0);
      QCOMPARE(ticks[38].STEP, int16_t(8));
      for (int p = 39; p <= 60; ++p) {
        QCOMPARE(cell(ticks[size_t(p)], i).left, end.left);
        QCOMPARE(cell(ticks[size_t(p)], i).top, end.top);
      }
    }
  }

  void pitchFollowsTheTallerWord_data() {
    QTest::addColumn<QString>("tallWord");
    QTest::addColumn<int>("extra");
    QTest::addRow("question taller") << "question" << 12;
    QTest::addRow("answer taller") << "answer" << 7;
    QTest::addRow("same height") << "" << 0;
  }
  void pitchFollowsTheTallerWord() {
    QFETCH(QString, tallWord);
    QFETCH(int, extra);
    const TallWordMetrics metrics(tallWord, extra);
    const auto frames = runOnStage(metrics, 1024, 768);
    QCOMPARE(int(frames.size()), 61);
    const int L = FakeTextMetrics::height(22) + 3 + extra;
    auto cellOf = [](const Frame& f, int i) -> const Label& {
      return i % 2 == 0 ? f.lblF[size_t(i)] : f.lblQ[size_t(i)];
    };
    // Question and answer cells share the pitch, in the grid and on the line.
    for (int i = 0; i < 9; ++i) {
      const int c = i % 3 + 1, r = i / 3 + 1;
      QCOMPARE(cellOf(frames[0], i).top - cellOf(frames[0], 0).top, double(L * (c - 1) + 3 * L * (r - 1)));
      QCOMPARE(cellOf(frames[38], i).left, double((8 - i) * 2 * L + 10));
      QCOMPARE(cellOf(frames[38], i).top, double((9 - i) * L + 20));
    }
  }
};

QTEST_GUILESS_MAIN(TestRipples)
#include "tst_ripples.moc"
