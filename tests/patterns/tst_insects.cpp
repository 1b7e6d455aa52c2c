// Insects on a 1024 x 768 form (W = 1024, H = 763) with the fake metrics
// (width = characters x size x 3/5, height = size x 3/2).

#include <QtTest>
#include <cmath>
#include <set>

#include "support/pattern_harness.h"

namespace {
constexpr int kW = 1024, kH = 763;

struct Placed {
  bool question;
  int index;
  const Label& of(const TickSnapshot& t) const { return question ? t.lblQ[size_t(index)] : t.lblF[size_t(index)]; }
  int16_t x(const TickSnapshot& t) const { return (question ? t.QX : t.FX)[size_t(index)]; }
  int16_t y(const TickSnapshot& t) const { return (question ? t.QY : t.FY)[size_t(index)]; }
};

bool insideScatterArea(const Label& l, int w, int h) {
  return l.left >= 0 && l.left < kW - w && l.top >= 35 && l.top < kH - h;
}
}  // namespace

class TestInsects : public QObject {
  Q_OBJECT

 private slots:
  void sizesAndAppearance() {
    PatternHarness h;
    const auto t = h.runPattern(4);
    QCOMPARE(int(t.size()), 61);
    QCOMPARE(t[0].visibleCount(), 24);
    QCOMPARE(t[1].visibleCount(), 26);
    QCOMPARE(t[29].visibleCount(), 26);
    QCOMPARE(t[30].visibleCount(), 32);
    QCOMPARE(t[60].visibleCount(), 32);
    for (size_t i = 0; i < 16; ++i) {
      const int size = i == 0 ? 40 : i <= 12 ? 14 : 18;
      QCOMPARE(t[60].lblQ[i].size, size);
      QCOMPARE(t[60].lblF[i].size, size);
      QCOMPARE(t[0].lblQ[i].visible, i >= 1 && i <= 12);
      QCOMPARE(t[29].lblF[i].visible, i <= 12);
    }
  }

  // Scattered labels land with their whole width on the screen and their top
  // at least 35 pixels down; the tables hold where the small ones landed.
  void scatter_data() {
    QTest::addColumn<uint32_t>("seed");
    for (uint32_t seed : {1u, 2u, 3u, 4u, 5u, 6u}) QTest::addRow("seed %u", seed) << seed;
  }
  void scatter() {
    QFETCH(uint32_t, seed);
    PatternHarness h(QSize(kW, kH + 5), seed);
    const auto t = h.runPattern(4);
    for (bool question : {true, false}) {
      const QString& text = question ? h.saver.words.question(1) : h.saver.words.answer(1);
      for (int i = 1; i <= 12; ++i) {
        const Placed p{question, i};
        QVERIFY(insideScatterArea(p.of(t[0]), FakeTextMetrics::width(text, 14), FakeTextMetrics::height(14)));
        QCOMPARE(double(p.x(t[0])), p.of(t[0]).left);
        QCOMPARE(double(p.y(t[0])), p.of(t[0]).top);
      }
      QVERIFY(insideScatterArea(Placed{question, 0}.of(t[1]), FakeTextMetrics::width(text, 40),
                                FakeTextMetrics::height(40)));
      for (int i = 13; i <= 15; ++i)
        QVERIFY(insideScatterArea(Placed{question, i}.of(t[30]), FakeTextMetrics::width(text, 18),
                                  FakeTextMetrics::height(18)));
    }
  }

  // Each small insect hops once every four ticks, by 10 pixels along each
  // axis or not at all, by 15 after half time; the medium ones never move.
  void hops() {
    int backwards = 0, forwards = 0;
    for (uint32_t seed : {11u, 12u, 13u, 14u, 15u}) {
      PatternHarness h(QSize(kW, kH + 5), seed);
      const auto t = h.runPattern(4);
      for (int ph = 2; ph <= 60; ++ph) {
        if (ph == 30) continue;
        const int length = ph < 30 ? 10 : 15;
        for (bool question : {true, false}) {
          for (int i = 1; i <= 12; ++i) {
            const Placed p{question, i};
            const double dx = p.of(t[size_t(ph)]).left - p.of(t[size_t(ph - 1)]).left;
            const double dy = p.of(t[size_t(ph)]).top - p.of(t[size_t(ph - 1)]).top;
            const QByteArray where = "phase " + QByteArray::number(ph) + " insect " + QByteArray::number(i);
            if (ph > 54 || (i - 1) % 4 != ph % 4) {
              QVERIFY2(dx == 0 && dy == 0, where.constData());
              continue;
            }
            for (double d : {dx, dy}) {
              QVERIFY2(d == 0 || std::abs(d) == length, where.constData());
              backwards += d < 0 ? 1 : 0;
              forwards += d > 0 ? 1 : 0;
            }
          }
          for (int i = 13; i <= 15; ++i) {
            const Placed medium{question, i};
            if (ph > 30) QCOMPARE(medium.of(t[size_t(ph)]), medium.of(t[30]));
          }
        }
      }
    }
    // Backwards three times as likely as forwards: the swarm drifts up and left.
    QVERIFY2(backwards > 2 * forwards && backwards < 4 * forwards,
             qPrintable(QStringLiteral("%1 back, %2 forth").arg(backwards).arg(forwards)));
  }

  void gliderBounds() {
    PatternHarness h;
    h.runPattern(4);
    const InsectsLocals& bounds = h.stage.locals.insects;
    QCOMPARE(bounds.maxXQ, int16_t(kW - 192));  // "question" at 40 points
    QCOMPARE(bounds.maxXF, int16_t(kW - 144));  // "answer" at 40 points
    QCOMPARE(bounds.maxY, int16_t(kH - 60));
  }

  // Gliders run at speed 20, then 35, and stay inside their bounds when the
  // screen leaves them room; they rest in the tick that turns them.
  void gliders_data() { scatter_data(); }
  void gliders() {
    QFETCH(uint32_t, seed);
    PatternHarness h(QSize(kW, kH + 5), seed);
    const auto t = h.runPattern(4);
    const InsectsLocals& bounds = h.stage.locals.insects;
    for (bool question : {true, false}) {
      const Placed g{question, 0};
      const int16_t maxX = question ? bounds.maxXQ : bounds.maxXF;
      for (int ph = 1; ph <= 60; ++ph) {
        const TickSnapshot& now = t[size_t(ph)];
        const Placed velocity{question, 15};
        const int speed = ph < 30 ? 20 : 35;
        const double v = std::hypot(velocity.x(now), velocity.y(now));
        // Rounding each component down moves it by less than a unit.
        QVERIFY(std::abs(v - speed) < std::sqrt(2.0));
        if (ph == 1 || ph == 30) {
          QVERIFY(velocity.x(now) >= -speed && velocity.x(now) < speed);
          QVERIFY(velocity.y(now) >= -speed && velocity.y(now) < speed);
        }
        const Label& l = g.of(now);
        QVERIFY(l.left >= 0 && l.left <= maxX && l.top >= 35 && l.top <= bounds.maxY);
        QCOMPARE(double(g.x(now)), l.left);
        if (ph == 30 || ph >= 55) QCOMPARE(l, g.of(t[size_t(ph - 1)]));
      }
    }
  }

  // A glider wider than the screen is out of bounds at every step: it swings
  // between two places; so does one taller than the room below 35 pixels.
  void oversizedGliderSwings_data() {
    QTest::addColumn<QSize>("display");
    QTest::addColumn<QString>("question");
    QTest::addColumn<bool>("horizontal");
    QTest::addRow("wider than the screen") << QSize(1024, 768) << QString(50, QLatin1Char('x')) << true;
    QTest::addRow("no room vertically") << QSize(1024, 80) << QStringLiteral("question") << false;
  }
  void oversizedGliderSwings() {
    QFETCH(QSize, display);
    QFETCH(QString, question);
    QFETCH(bool, horizontal);
    PatternHarness h(display, 3);
    h.setWords(question, QStringLiteral("answer"));
    const auto t = h.runPattern(4);
    QCOMPARE(int(t.size()), 61);
    auto pos = [&](int ph) { return horizontal ? t[size_t(ph)].lblQ[0].left : t[size_t(ph)].lblQ[0].top; };
    std::set<double> places;
    for (int ph = 2; ph <= 29; ++ph) {
      places.insert(pos(ph));
      if (ph >= 4) QCOMPARE(pos(ph), pos(ph - 2));
    }
    const int16_t step = horizontal ? t[2].QX[15] : t[2].QY[15];
    QCOMPARE(int(places.size()), step == 0 ? 1 : 2);
    QVERIFY(step != 0);  // this seed does swing
  }

  void handsBack() {
    PatternHarness h;
    const auto t = h.runPattern(4);
    for (int ph = 0; ph < 60; ++ph) QCOMPARE(t[size_t(ph)].enabled, QStringList{"tmSis"});
    QCOMPARE(t[60].enabled, QStringList{"tmQuo"});
    QCOMPARE(t[60].PH, int16_t(61));
  }

  // Two displays with one seed run alike: the pattern keeps nothing outside
  // its stage.
  void twoStagesRunAlike() {
    PatternHarness a(QSize(kW, kH + 5), 21);
    PatternHarness b(QSize(kW, kH + 5), 21);
    const auto ta = a.runPattern(4);
    const auto tb = b.runPattern(4);
    QCOMPARE(ta.size(), tb.size());
    for (size_t i = 0; i < ta.size(); ++i) {
      QCOMPARE(ta[i].lblQ, tb[i].lblQ);
      QCOMPARE(ta[i].lblF, tb[i].lblF);
    }
  }
};

QTEST_GUILESS_MAIN(TestInsects)
#include "tst_insects.moc"
