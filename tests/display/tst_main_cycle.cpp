#include <QtTest>

#include "display/glide.h"
#include "pattern_harness.h"
#include "patterns/pattern.h"

namespace {

// A pattern that only counts its 61 phases and hands back at phase 60.
template <int N>
void countingPattern(Stage& st) {
  st.lblQ[0].visible = true;
  if (st.PH == 60) st.endPattern(patternTimer(N));
  st.advancePhase();
}

PatternCatalog fakeCatalog(bool withGap = false) {
  PatternCatalog c = {{
      {1, "P1", countingPattern<1>},    {2, "P2", countingPattern<2>},
      {3, "P3", countingPattern<3>},    {4, "P4", countingPattern<4>},
      {5, "P5", countingPattern<5>},    {6, "P6", countingPattern<6>},
      {7, "P7", countingPattern<7>},    {8, "P8", countingPattern<8>},
      {9, "P9", countingPattern<9>},    {10, "P10", countingPattern<10>},
      {11, "P11", countingPattern<11>}, {12, "P12", countingPattern<12>},
      {13, "P13", countingPattern<13>}, {14, "P14", countingPattern<14>},
      {15, "P15", countingPattern<15>}, {16, "P16", countingPattern<16>},
  }};
  if (withGap) c[2].tick = nullptr;  // pattern 3 cannot run
  return c;
}

// The pattern and word chosen by each main-cycle tick that started a pattern.
struct Cycle {
  int pattern;
  int word;
};

std::vector<Cycle> cyclesOf(PatternHarness& h, int patterns) {
  std::vector<Cycle> cycles;
  h.cycle.load();
  h.cycle.start();
  int ended = 0;
  while (ended < patterns && h.clock.step()) {
    if (h.clock.lastFired() == TimerId::tmQuo && h.cycle.cycleState() == 1 &&
        !h.stage.timers.isEnabled(TimerId::tmQuo))
      cycles.push_back({h.cycle.patternNumber(), h.cycle.wordIndex()});
    if (h.clock.lastFired() != TimerId::tmQuo && h.stage.timers.isEnabled(TimerId::tmQuo)) ++ended;
  }
  return cycles;
}

// One label at a tick, for the glide between two ticks.
ShownLabel tickLabel(QPointF place, int size, bool visible = true, bool italic = false) {
  ShownLabel shown;
  shown.label = Label{"word", "face", size, italic, 0xFFFFFF, place.x(), place.y(), visible};
  shown.box = QSize(4 * size * 3 / 5, size * 3 / 2);
  shown.rect = Glide::rectOf(shown.label, shown.box);
  return shown;
}

const QSize kScreen(1024, 763);

}  // namespace

class TestMainCycle : public QObject {
  Q_OBJECT

  PatternCatalog catalog_ = fakeCatalog();

 private slots:
  void glideBetweenTicks_data();
  void glideBetweenTicks();
  void hopsStayHops_data();
  void hopsStayHops();
  void frameIntervalFollowsTheRefreshRate();
  void wordsInOrderWrap() {
    PatternHarness h(QSize(1024, 768), 1, catalog_);
    h.saver.words = WordList{};
    for (const char* w : {"one", "two", "three"}) h.saver.words.append(w, w);
    const auto cycles = cyclesOf(h, 5);
    QCOMPARE(int(cycles.size()), 5);
    const int expected[] = {1, 2, 3, 1, 2};
    for (int i = 0; i < 5; ++i) QCOMPARE(cycles[size_t(i)].word, expected[i]);
  }

  void patternsInOrder_data() {
    QTest::addColumn<QList<int>>("enabled");
    QTest::addColumn<QList<int>>("expected");
    QTest::addRow("1 and 2") << QList<int>{1, 2} << QList<int>{1, 2, 1, 2};
    QTest::addRow("2 and 5") << QList<int>{2, 5} << QList<int>{2, 5, 2, 5};
    QTest::addRow("16 wraps to 1") << QList<int>{16, 1} << QList<int>{1, 16, 1, 16};
    QTest::addRow("none means all") << QList<int>{} << QList<int>{1, 2, 3, 4};
  }
  void patternsInOrder() {
    QFETCH(QList<int>, enabled);
    QFETCH(QList<int>, expected);
    PatternHarness h(QSize(1024, 768), 1, catalog_);
    h.saver.settings.patternExcluded.fill(1);
    for (int k : enabled) h.saver.settings.patternExcluded[size_t(k - 1)] = 0;
    const auto cycles = cyclesOf(h, int(expected.size()));
    QCOMPARE(int(cycles.size()), int(expected.size()));
    for (int i = 0; i < expected.size(); ++i) QCOMPARE(cycles[size_t(i)].pattern, expected.at(i));
    if (enabled.isEmpty()) {
      // Every flag set means every pattern, and the flags are cleared in memory.
      QCOMPARE(h.cycle.enabledCount(), 16);
      for (uint8_t flag : h.saver.settings.patternExcluded) QCOMPARE(int(flag), 0);
    }
  }

  void randomWithOneEnabledAlwaysChoosesIt() {
    PatternHarness h(QSize(1024, 768), 7, catalog_);
    h.saver.settings.patternOrder = 0;
    h.saver.settings.wordOrder = 0;
    h.onlyPattern(9);
    for (const Cycle& c : cyclesOf(h, 6)) {
      QCOMPARE(c.pattern, 9);
      QCOMPARE(c.word, 1);
    }
  }

  void randomChoiceCoversTheEnabledSet() {
    PatternHarness h(QSize(1024, 768), 3, catalog_);
    h.saver.settings.patternOrder = 0;
    h.saver.settings.patternExcluded.fill(1);
    for (int k : {2, 7, 11}) h.saver.settings.patternExcluded[size_t(k - 1)] = 0;
    QSet<int> seen;
    for (const Cycle& c : cyclesOf(h, 40)) {
      QVERIFY(c.pattern == 2 || c.pattern == 7 || c.pattern == 11);
      seen.insert(c.pattern);
    }
    QCOMPARE(seen.size(), 3);
  }

  void patternThatCannotRunIsSkipped() {
    const PatternCatalog gap = fakeCatalog(true);
    PatternHarness h(QSize(1024, 768), 1, gap);
    h.saver.settings.patternExcluded.fill(1);
    for (int k : {2, 3, 4}) h.saver.settings.patternExcluded[size_t(k - 1)] = 0;
    const auto cycles = cyclesOf(h, 4);
    QCOMPARE(cycles[0].pattern, 2);
    QCOMPARE(cycles[1].pattern, 4);
    QCOMPARE(cycles[2].pattern, 2);
  }

  void exactlyOneTimerAfterTheFirstTickAndTiming() {
    PatternHarness h(QSize(1024, 768), 1, catalog_);
    h.onlyPattern(1);
    h.saver.settings.speed = 1;
    const std::vector<TickSnapshot> ticks = h.run(2);
    QCOMPARE(ticks.front().timer, TimerId::tmQuo);
    QCOMPARE(ticks.front().time, 100);
    qint64 patternStart = -1, patternEnd = -1;
    for (const TickSnapshot& t : ticks) {
      QCOMPARE(t.enabled.size(), 1);
      if (t.timer == TimerId::tmSwf && patternStart < 0) patternStart = t.time;
      if (t.timer == TimerId::tmSwf && t.enabled == QStringList{"tmQuo"} && patternEnd < 0) patternEnd = t.time;
    }
    // 100 ms for the first tick, 100 ms to the first pattern, then 61 ticks of 121 ms.
    QCOMPARE(patternStart, 200 + 121);
    QCOMPARE(patternEnd, 200 + 61 * 121);
    // The next main-cycle tick comes 100 ms after the pattern handed back.
    const auto next = std::find_if(ticks.begin(), ticks.end(), [&](const TickSnapshot& t) {
      return t.timer == TimerId::tmQuo && t.time > patternEnd;
    });
    QVERIFY(next != ticks.end());
    QCOMPARE(next->time, patternEnd + 100);
  }

  void speedSetsThePatternInterval_data() {
    QTest::addColumn<int>("speed");
    QTest::addColumn<int>("delay");
    QTest::addColumn<int>("period");
    QTest::addRow("1") << 1 << 121 << 121;
    QTest::addRow("4") << 4 << 61 << 61;
    QTest::addRow("6") << 6 << 21 << 21;
    QTest::addRow("7 fires once a frame") << 7 << 1 << 16;
  }
  void speedSetsThePatternInterval() {
    QFETCH(int, speed);
    QFETCH(int, delay);
    QFETCH(int, period);
    PatternHarness h(QSize(1024, 768), 1, catalog_);
    h.saver.settings.speed = uint8_t(speed);
    const std::vector<TickSnapshot> ticks = h.run(1);
    QCOMPARE(int(h.stage.DELAY), delay);
    QCOMPARE(h.stage.timers.interval(TimerId::tmSvc), delay);
    QCOMPARE(ticks[3].time - ticks[2].time, qint64(period));
  }

  void firstTickMeasuresTheDisplay() {
    PatternHarness h(QSize(1365, 768), 1, catalog_);
    h.run(1);
    QCOMPARE(int(h.stage.SW), 1365);
    QCOMPARE(int(h.stage.SH), 763);
    QCOMPARE(int(h.stage.CX), 682);
    QCOMPARE(int(h.stage.CY), 381);
  }

  void labelsArePreparedForEachPair() {
    PatternHarness h(QSize(1024, 768), 1, catalog_);
    h.saver.settings.questionColor = 0x00112233;
    h.saver.settings.answerColor = 0x00445566;
    h.saver.words.questionFont = QStringLiteral("QF");
    h.saver.words.answerFont = QStringLiteral("AF");
    h.setWords(QStringLiteral("犬"), QStringLiteral("dog"));
    h.saver.words.questionFont = QStringLiteral("QF");
    h.stage.lblF[3].size = 99;
    h.stage.lblF[3].italic = true;
    const std::vector<TickSnapshot> ticks = h.run(1);
    const TickSnapshot& prepared = ticks[1];  // the tick that chose the first pair
    QCOMPARE(prepared.timer, TimerId::tmQuo);
    for (int i = 0; i < 16; ++i) {
      const Label& q = prepared.lblQ[size_t(i)];
      const Label& f = prepared.lblF[size_t(i)];
      QCOMPARE(q.caption, QStringLiteral("犬"));
      QCOMPARE(f.caption, QStringLiteral("dog"));
      QCOMPARE(q.size, 24);
      QCOMPARE(f.size, 24);
      QVERIFY(!q.visible && !f.visible && !f.italic);
      QCOMPARE(q.color, 0x00112233u);
      QCOMPARE(f.color, 0x00445566u);
      QCOMPARE(q.face, QStringLiteral("QF"));
    }
    QCOMPARE(h.cycle.patternCaption(), QStringLiteral("P1"));
  }

  void emptyListStartsNoPattern() {
    PatternHarness h(QSize(1024, 768), 1, catalog_);
    h.saver.words = WordList{};
    h.saver.settings.wordOrder = 0;
    const std::vector<TickSnapshot> ticks = h.run(1, 100);
    QCOMPARE(int(ticks.size()), 2);  // the measuring tick and the one that found no pair
    QCOMPARE(ticks.back().enabled, QStringList());
    QCOMPARE(ticks.back().visibleCount(), 0);
    QCOMPARE(h.cycle.patternCaption(), QStringLiteral("P1"));
  }
};

// Smooth motion: one label between its places at two ticks, from (100, 100) at 20 points.
void TestMainCycle::glideBetweenTicks_data() {
  QTest::addColumn<QPointF>("to");
  QTest::addColumn<int>("toSize");
  QTest::addColumn<QString>("change");  // appear, italic or hop at the tick
  QTest::addColumn<double>("alpha");
  QTest::addColumn<QPointF>("place");
  QTest::addColumn<int>("size");  // the tick size whose picture is shown
  QTest::addColumn<double>("scale");
  const QPointF a(100, 100), b(140, 120);
  QTest::addRow("linear: half way") << b << 20 << "" << 0.5 << QPointF(120, 110) << 20 << 1.0;
  QTest::addRow("scale: the smaller picture grown") << a << 40 << "" << 0.25 << a << 20 << 1.25;
  QTest::addRow("scale: the larger picture shrunk") << a << 40 << "" << 0.75 << a << 40 << 0.875;
  QTest::addRow("jump: over a quarter of the width") << QPointF(357, 100) << 20 << "" << 0.5 << a << 20 << 1.0;
  QTest::addRow("jump: a quarter is still a glide") << QPointF(356, 100) << 20 << "" << 0.5 << QPointF(228, 100) << 20
                                                   << 1.0;
  QTest::addRow("jump: lands at the next tick") << QPointF(600, 90) << 20 << "" << 1.0 << QPointF(600, 90) << 20 << 1.0;
  QTest::addRow("appearance at the tick") << b << 20 << "appear" << 0.9 << a << 20 << 1.0;
  QTest::addRow("italic at the tick") << b << 20 << "italic" << 0.5 << a << 20 << 1.0;
  QTest::addRow("hop at the tick") << b << 20 << "hop" << 0.5 << a << 20 << 1.0;
}

void TestMainCycle::glideBetweenTicks() {
  QFETCH(QPointF, to);
  QFETCH(int, toSize);
  QFETCH(QString, change);
  QFETCH(double, alpha);
  QFETCH(QPointF, place);
  QFETCH(int, size);
  QFETCH(double, scale);
  const ShownLabel before = tickLabel(QPointF(100, 100), 20, change != "appear");
  const ShownLabel shown =
      Glide::between(before, tickLabel(to, toSize, true, change == "italic"), alpha, kScreen, change == "hop");
  QCOMPARE(shown.label.visible, change != "appear");
  QCOMPARE(QPointF(shown.label.left, shown.label.top), place);
  QCOMPARE(shown.label.size, size);
  QCOMPARE(shown.scale, scale);
}

// The pattern table: what each family of moves does between two ticks.
void TestMainCycle::hopsStayHops_data() {
  QTest::addColumn<int>("pattern");
  QTest::addColumn<int>("index");
  QTest::addColumn<QPointF>("move");
  QTest::addColumn<int>("toSize");
  QTest::addColumn<bool>("glides");
  QTest::addRow("Insects: a small insect hops") << 4 << 3 << QPointF(10, -10) << 14 << false;
  QTest::addRow("Insects: a large one glides") << 4 << 0 << QPointF(20, -7) << 14 << true;
  QTest::addRow("Sardines: a twitch hops") << 10 << 5 << QPointF(10, -10) << 14 << false;
  QTest::addRow("Sardines: the leap glides") << 10 << 0 << QPointF(30, -40) << 22 << true;
  QTest::addRow("Highway: back to the start jumps") << 5 << 0 << QPointF(-700, 0) << 14 << false;
}

void TestMainCycle::hopsStayHops() {
  QFETCH(int, pattern);
  QFETCH(int, index);
  QFETCH(QPointF, move);
  QFETCH(int, toSize);
  QFETCH(bool, glides);
  const MotionRule rule = Patterns::table()[size_t(pattern - 1)].motion;
  const ShownLabel from = tickLabel(QPointF(500, 300), 14);
  const ShownLabel to = tickLabel(QPointF(500, 300) + move, toSize);
  const bool hop = rule.hops(index, from.label, to.label);
  QCOMPARE(Glide::glides(from, to, kScreen, hop), glides);
  QCOMPARE(Glide::between(from, to, 0.5, kScreen, hop).label.left == 500, !glides);
}

// A rate the screen reports outside 24..240 Hz counts as 60.
void TestMainCycle::frameIntervalFollowsTheRefreshRate() {
  for (const auto& [hertz, ms] : {std::pair{60.0, 16}, {144.0, 6}, {24.0, 41}, {0.0, 16}, {1000.0, 16}, {qQNaN(), 16}})
    QCOMPARE(Glide::frameInterval(hertz), ms);
}

QTEST_GUILESS_MAIN(TestMainCycle)
#include "tst_main_cycle.moc"
