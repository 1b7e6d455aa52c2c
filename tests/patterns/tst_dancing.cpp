// Dancing, driven tick by tick on a bare stage so that the random draws can
// be predicted by a second generator with the same seed. The metrics give
// the question a taller line than the answer, so that a chain that takes
// its line pitch from the wrong label shows.

#include <QtTest>
#include <array>
#include <cmath>

#include "patterns/pattern.h"
#include "support/direct_stage.h"
#include "support/pattern_harness.h"

namespace {

// Width = characters x size x 3/5; height = size x 3/2 plus one pixel per
// character, so "question" (8) stands 2 pixels taller than "answer" (6).
class UnevenMetrics final : public TextMetrics {
 public:
  QSize measure(const QString& text, const QString&, int size, bool) const override {
    return QSize(int(text.size()) * size * 3 / 5, size * 3 / 2 + int(text.size()));
  }
};

struct Run {
  UnevenMetrics metrics;
  RandomSource random;
  Stage stage{metrics, random};
  std::vector<Stage> ticks;  // the stage after each phase

  explicit Run(uint32_t seed) {
    random.seed(seed);
    prepareStage(stage);
    stage.timers.enable(TimerId::tmSdc);
  }
  void play(int phases) {
    for (int i = 0; i < phases; ++i) {
      Patterns::tickDancing(stage);
      ticks.push_back(stage);
    }
  }
};

// With UnevenMetrics on 1024 x 763: half widths, line pitches, steps.
constexpr int kHalfQA = 57, kHalfFA = 43, kHalfQB = 72, kHalfFB = 54;
constexpr int kPitchQA = 33, kPitchFA = 31, kPitchQB = 39, kPitchFB = 38;
constexpr int kR = 101, kO = 16;

// One offset of a shape: a multiple of o, of r, or the line pitch of the
// label it starts from ('h').
struct Move {
  char x;
  int xSign;
  char y;
  int ySign;
};
struct ShapeRow {
  Move first, second;
};

// The shape tables, written for the chain's own side: sigma already applied.
const std::vector<ShapeRow> kAleft = {
    {{'o', -1, 'r', +1}, {'r', -1, 'h', +1}},
    {{'r', -1, 'h', +1}, {'r', -1, 'h', +1}},
    {{'r', -1, 'h', +1}, {'o', -1, 'r', -1}},
    {{'o', -1, 'r', -1}, {'o', -1, 'r', -1}},
};
const std::vector<ShapeRow> kAright = {
    {{'o', +1, 'r', +1}, {'r', +1, 'h', +1}},
    {{'r', +1, 'h', +1}, {'r', +1, 'h', +1}},
    {{'r', +1, 'h', +1}, {'o', +1, 'r', -1}},
    {{'o', +1, 'r', -1}, {'o', +1, 'r', -1}},
};
const std::vector<ShapeRow> kBleft = {
    {{'o', -1, 'r', +1}, {'o', -1, 'r', +1}},
    {{'r', -1, 'h', +1}, {'o', -1, 'r', +1}},
    {{'r', -1, 'h', +1}, {'r', -1, 'h', +1}},
};
const std::vector<ShapeRow> kBright = {
    {{'r', -1, 'h', +1}, {'o', -1, 'r', +1}},
    {{'o', +1, 'r', +1}, {'o', +1, 'r', +1}},
    {{'r', +1, 'h', +1}, {'o', +1, 'r', +1}},
    {{'r', +1, 'h', +1}, {'r', +1, 'h', +1}},
};

int amount(char what, int pitch) { return what == 'o' ? kO : what == 'r' ? kR : pitch; }

struct LabelRef {
  bool question;
  size_t index;
  int half;   // half width of its group and kind
  int pitch;  // line pitch of its group and kind
  const Label& of(const Stage& s) const { return question ? s.lblQ[index] : s.lblF[index]; }
};

struct ChainRef {
  const char* name;
  LabelRef anchor, follower1, follower2;
  const std::vector<ShapeRow>* shapes;
};

// In the order the chains draw their shapes.
const std::array<ChainRef, 4> kChains = {{
    {"A-left", {true, 0, kHalfQA, kPitchQA}, {false, 1, kHalfFA, kPitchFA}, {true, 2, kHalfQA, kPitchQA}, &kAleft},
    {"A-right", {false, 0, kHalfFA, kPitchFA}, {true, 1, kHalfQA, kPitchQA}, {false, 2, kHalfFA, kPitchFA}, &kAright},
    {"B-left", {false, 3, kHalfFB, kPitchFB}, {true, 4, kHalfQB, kPitchQB}, {false, 5, kHalfFB, kPitchFB}, &kBleft},
    {"B-right", {true, 3, kHalfQB, kPitchQB}, {false, 4, kHalfFB, kPitchFB}, {true, 5, kHalfQB, kPitchQB}, &kBright},
}};

// A label's point: its centre and its top.
QPoint pointOf(const LabelRef& ref, const Stage& s) {
  const Label& l = ref.of(s);
  return QPoint(int(l.left) + ref.half, int(l.top));
}

}  // namespace

class TestDancing : public QObject {
  Q_OBJECT

 private slots:
  void setUpPicture() {
    Run run(5);
    run.play(1);
    const Stage& s = run.ticks[0];
    // Anchors: question 0 at three eighths, answer 0 at five eighths one
    // question line lower; the large anchors a short step further out.
    QCOMPARE(pointOf(kChains[0].anchor, s), QPoint(384, 190));
    QCOMPARE(pointOf(kChains[1].anchor, s), QPoint(640, 190 + kPitchQA));
    QCOMPARE(pointOf(kChains[2].anchor, s), QPoint(384 - kO, 457));
    QCOMPARE(pointOf(kChains[3].anchor, s), QPoint(640 + kO, 457 + kPitchFB));
    // Each chain starts slanting: a short step sideways, a long step down.
    const int side[] = {-1, +1, -1, +1};
    for (int c = 0; c < 4; ++c) {
      const ChainRef& chain = kChains[size_t(c)];
      const QPoint a = pointOf(chain.anchor, s);
      QCOMPARE(pointOf(chain.follower1, s), a + QPoint(side[c] * kO, kR));
      QCOMPARE(pointOf(chain.follower2, s), a + QPoint(2 * side[c] * kO, 2 * kR));
    }
    for (size_t i = 0; i < 16; ++i) {
      QCOMPARE(s.lblQ[i].visible, i <= 5);
      QCOMPARE(s.lblF[i].visible, i <= 5);
      QCOMPARE(s.lblQ[i].size, i >= 3 && i <= 5 ? 30 : 24);
      QCOMPARE(s.lblF[i].size, i >= 3 && i <= 5 ? 30 : 24);
    }
    QCOMPARE(s.STEP, int16_t(1));
  }

  // After each of the eight slides the followers stand on the shape drawn
  // for their chain, the chains drawing in the order A-left, A-right,
  // B-left, B-right.
  void chainsFollowTheirDraws_data() {
    QTest::addColumn<uint32_t>("seed");
    for (uint32_t seed : {1u, 2u, 3u, 77u, 1234u}) QTest::addRow("seed %u", seed) << seed;
  }
  void chainsFollowTheirDraws() {
    QFETCH(uint32_t, seed);
    Run run(seed);
    run.play(61);
    RandomSource twin;
    twin.seed(seed);
    for (int m = 0; m < 8; ++m) {
      const Stage& arrived = run.ticks[size_t(7 * m + 4)];
      for (const ChainRef& chain : kChains) {
        const auto& shapes = *chain.shapes;
        const ShapeRow& shape = shapes[size_t(std::floor(twin.next() * double(shapes.size())))];
        const QPoint a = pointOf(chain.anchor, arrived);
        const QPoint t1 = a + QPoint(shape.first.xSign * amount(shape.first.x, chain.anchor.pitch),
                                     shape.first.ySign * amount(shape.first.y, chain.anchor.pitch));
        const QPoint t2 = t1 + QPoint(shape.second.xSign * amount(shape.second.x, chain.follower1.pitch),
                                      shape.second.ySign * amount(shape.second.y, chain.follower1.pitch));
        const QByteArray where = QByteArray(chain.name) + " move " + QByteArray::number(m + 1);
        QVERIFY2(pointOf(chain.follower1, arrived) == t1, where.constData());
        QVERIFY2(pointOf(chain.follower2, arrived) == t2, where.constData());
      }
    }
  }

  // Only move ticks change the picture; anchors never move; labels 6 to 15
  // never show.
  void onlyMoveTicksMove() {
    Run run(9);
    run.play(61);
    for (int p = 1; p <= 60; ++p) {
      const Stage& now = run.ticks[size_t(p)];
      const Stage& before = run.ticks[size_t(p - 1)];
      const bool moveTick = p <= 53 && (p - 1) % 7 < 4;
      if (!moveTick) {
        QVERIFY2(now.lblQ == before.lblQ && now.lblF == before.lblF, qPrintable(QString::number(p)));
      }
      for (const ChainRef& chain : kChains)
        QCOMPARE(chain.anchor.of(now), chain.anchor.of(run.ticks[0]));
      for (size_t i = 6; i < 16; ++i) QVERIFY(!now.lblQ[i].visible && !now.lblF[i].visible);
    }
  }

  // Intermediate positions are the distance times s/4, rounded down: left
  // and up moves lead by a pixel.
  void slideRoundsDown_data() {
    QTest::addColumn<int>("distance");
    QTest::addColumn<QList<int>>("offsets");
    QTest::addRow("-5") << -5 << QList<int>{-2, -3, -4, -5};
    QTest::addRow("+5") << 5 << QList<int>{1, 2, 3, 5};
    QTest::addRow("-1") << -1 << QList<int>{-1, -1, -1, -1};
    QTest::addRow("-4") << -4 << QList<int>{-1, -2, -3, -4};
    QTest::addRow("zero length") << 0 << QList<int>{0, 0, 0, 0};
  }
  void slideRoundsDown() {
    QFETCH(int, distance);
    QFETCH(QList<int>, offsets);
    Run run(1);
    Stage& s = run.stage;
    s.PH = 1;
    s.STEP = 1;
    s.QX[10] = 7;  // half width of question labels 1 and 2
    s.QX[1] = 100;
    s.QX[6] = int16_t(100 + distance);
    s.QY[1] = 200;
    s.QY[6] = int16_t(200 + distance);
    run.play(4);
    for (int k = 0; k < 4; ++k) {
      const Label& l = run.ticks[size_t(k)].lblQ[1];
      QCOMPARE(l.left - 93, double(offsets[k]));
      QCOMPARE(l.top - 200, double(offsets[k]));
    }
    QCOMPARE(s.QX[1], int16_t(100));  // current points wait for the re-forming tick
  }

  void handsBackAtPhaseSixty() {
    PatternHarness h;
    const auto ticks = h.runPattern(2);
    QCOMPARE(int(ticks.size()), 61);
    for (int p = 0; p < 60; ++p) QCOMPARE(ticks[size_t(p)].PH, int16_t(p + 1));
    QCOMPARE(ticks[60].PH, int16_t(60));  // the ending tick leaves the counter
    QCOMPARE(ticks[60].enabled, QStringList{"tmQuo"});
    QCOMPARE(ticks[60].visibleCount(), 12);
  }

  // A second run starts from the set-up again, whatever the first left.
  void secondRunStartsAfresh() {
    PatternHarness h;
    h.onlyPattern(2);
    const auto all = h.run(2);
    std::vector<TickSnapshot> setUps;
    for (const TickSnapshot& t : all)
      if (t.timer == TimerId::tmSdc && t.PH == 1) setUps.push_back(t);
    QCOMPARE(int(setUps.size()), 2);
    for (size_t i : {size_t(0), size_t(3)}) {
      QCOMPARE(setUps[1].lblQ[i], setUps[0].lblQ[i]);
      QCOMPARE(setUps[1].lblF[i], setUps[0].lblF[i]);
    }
  }
};

QTEST_GUILESS_MAIN(TestDancing)
#include "tst_dancing.moc"
