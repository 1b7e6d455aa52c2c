#include <QtTest>
#include <algorithm>
#include <climits>

#include "support/pattern_harness.h"

namespace {

constexpr int kLeaves = 7;

// The label of leaf i that is on screen; fails the test unless exactly one is.
const Label* shownLabel(const TickSnapshot& t, int i) {
  const Label& q = t.lblQ[size_t(i)];
  const Label& f = t.lblF[size_t(i)];
  if (q.visible == f.visible) return nullptr;
  return q.visible ? &q : &f;
}

}  // namespace

class TestLeaves : public QObject {
  Q_OBJECT

 private slots:
  void runsToItsEndAndHandsBack() {
    PatternHarness h(QSize(1024, 768), 9);
    const auto ticks = h.runPattern(kLeaves);
    QCOMPARE(int(ticks.size()), 61);
    for (int p = 0; p < 60; ++p) QCOMPARE(ticks[size_t(p)].enabled, QStringList{"tmSln"});
    QCOMPARE(ticks[60].enabled, QStringList{"tmQuo"});
    for (const TickSnapshot& t : ticks)
      for (size_t i = 5; i < 16; ++i) QVERIFY(!t.lblQ[i].visible && !t.lblF[i].visible);
    // One label per leaf and the two corners stay up through the pause.
    QCOMPARE(ticks[56].visibleCount(), 5);
    for (int p = 57; p <= 60; ++p) {
      QCOMPARE(ticks[size_t(p)].lblQ, ticks[56].lblQ);
      QCOMPARE(ticks[size_t(p)].lblF, ticks[56].lblF);
    }
    // The first picture: the answer of leaf 0 and the two corners.
    QCOMPARE(ticks[0].visibleCount(), 3);
    QVERIFY(ticks[0].lblF[0].visible);
    QCOMPARE(ticks[0].lblF[0].top, 80.0);
    for (size_t i = 0; i < 3; ++i) {
      QCOMPARE(ticks[0].lblQ[i].size, 35 + 5 * int(i));
      QCOMPARE(ticks[0].lblF[i].size, 35 + 5 * int(i));
    }
  }

  void cornersBlink_data() {
    QTest::addColumn<int>("phase");
    QTest::addColumn<bool>("questionTopLeft");
    QTest::addRow("set-up") << 0 << true;
    QTest::addRow("phase 3 unchanged") << 3 << true;
    QTest::addRow("phase 4 reversed") << 4 << false;
    QTest::addRow("phase 7 still reversed") << 7 << false;
    QTest::addRow("phase 8 back") << 8 << true;
    QTest::addRow("phase 12 reversed") << 12 << false;
    QTest::addRow("phase 56 last change") << 56 << true;
    QTest::addRow("phase 60") << 60 << true;
  }
  void cornersBlink() {
    QFETCH(int, phase);
    QFETCH(bool, questionTopLeft);
    PatternHarness h(QSize(800, 600), 1);
    const QString q = QStringLiteral("question"), a = QStringLiteral("answer");
    const auto ticks = h.runPattern(kLeaves);
    QCOMPARE(int(ticks.size()), 61);
    const TickSnapshot& t = ticks[size_t(phase)];
    QCOMPARE(t.lblQ[3].visible, questionTopLeft);
    QCOMPARE(t.lblF[3].visible, !questionTopLeft);
    QCOMPARE(t.lblQ[4].visible, !questionTopLeft);
    QCOMPARE(t.lblF[4].visible, questionTopLeft);
    for (const Label* l : {&t.lblQ[3], &t.lblF[3]}) {
      QCOMPARE(l->left, 0.0);
      QCOMPARE(l->top, 35.0);
      QCOMPARE(l->size, 25);
    }
    // Bottom-right: each word's own right and bottom edges on the display's.
    QCOMPARE(t.lblQ[4].left + FakeTextMetrics::width(q, 25), 800.0);
    QCOMPARE(t.lblF[4].left + FakeTextMetrics::width(a, 25), 800.0);
    QCOMPARE(t.lblQ[4].top + FakeTextMetrics::height(25), 595.0);
    QCOMPARE(t.lblF[4].top + FakeTextMetrics::height(25), 595.0);
  }

  void leavesFallAlikeOnEveryDisplay_data() {
    QTest::addColumn<QSize>("display");
    QTest::addColumn<uint>("seed");
    QTest::addRow("1024x768") << QSize(1024, 768) << 1u;
    QTest::addRow("1920x1080") << QSize(1920, 1080) << 77u;
    QTest::addRow("640x480") << QSize(640, 480) << 5u;
    QTest::addRow("shorter than leaf 1's fall") << QSize(1024, 500) << 123u;
  }
  void leavesFallAlikeOnEveryDisplay() {
    QFETCH(QSize, display);
    QFETCH(uint, seed);
    PatternHarness h(display, seed);
    const auto ticks = h.runPattern(kLeaves);
    QCOMPARE(int(ticks.size()), 61);
    struct Expect {
      int firstPhase, start, firstMoved, highest;
      QList<int> highestAt;
      int last;
    };
    const Expect expected[3] = {
        {1, 80, 68, -34, {18, 19}, 435},
        {16, 90, 76, 3, {26, 27}, 536},
        {21, 100, 100, 100, {}, 338},
    };
    for (int i = 0; i < 3; ++i) {
      const Expect& e = expected[i];
      QCOMPARE(ticks[0].lblQ[size_t(i)].top, double(e.start));
      QCOMPARE(ticks[0].lblF[size_t(i)].top, double(e.start));
      int highest = INT_MAX;
      QList<int> highestAt;
      for (int p = 1; p <= 56; ++p) {
        const TickSnapshot& t = ticks[size_t(p)];
        const Label* shown = shownLabel(t, i);
        if (p < e.firstPhase) {
          QVERIFY(!t.lblQ[size_t(i)].visible && !t.lblF[size_t(i)].visible);
          continue;
        }
        QVERIFY2(shown, qPrintable(QStringLiteral("leaf %1 phase %2").arg(i).arg(p)));
        if (p == e.firstPhase) QCOMPARE(shown->top, double(e.firstMoved));
        const int top = int(shown->top);
        if (top < highest) {
          highest = top;
          highestAt.clear();
        }
        if (top == highest) highestAt.append(p);
      }
      QCOMPARE(highest, e.highest);
      if (!e.highestAt.isEmpty()) QCOMPARE(highestAt, e.highestAt);
      QCOMPARE(shownLabel(ticks[56], i)->top, double(e.last));
    }
    // The third leaf is not tossed: it hangs at its start until phase 24.
    QCOMPARE(shownLabel(ticks[23], 2)->top, 100.0);
    QVERIFY(shownLabel(ticks[24], 2)->top > 100.0);
  }

  void leavesTurnOverInPlace() {
    PatternHarness h(QSize(1024, 768), 31);
    h.setWords(QStringLiteral("q"), QStringLiteral("a long answer"));
    const auto ticks = h.runPattern(kLeaves);
    QCOMPARE(int(ticks.size()), 61);
    for (int p = 1; p <= 56; ++p) {
      const TickSnapshot& t = ticks[size_t(p)];
      const int I = p % 6;
      const bool answerShown[3] = {I == 0, I != 2, I == 2 || I == 4};
      for (int i = 0; i < 3; ++i) {
        if (p < (i == 0 ? 1 : i == 1 ? 16 : 21)) continue;
        const Label* shown = shownLabel(t, i);
        QVERIFY(shown);
        QCOMPARE(shown == &t.lblF[size_t(i)], answerShown[i]);
        // Either word is centred on the leaf.
        QCOMPARE(shown->left + FakeTextMetrics::width(shown->caption, shown->size) / 2, double(t.QX[size_t(i)]));
        QCOMPARE(shown->top, double(t.QY[size_t(i)]));
      }
    }
  }

  void leavesSwingWithinTheirRange_data() {
    QTest::addColumn<int>("leaf");
    QTest::addColumn<int>("firstPhase");
    QTest::addColumn<int>("fewest");
    QTest::addColumn<int>("most");
    QTest::addRow("leaf 0") << 0 << 1 << -1 << 4;
    QTest::addRow("leaf 1") << 1 << 16 << -1 << 6;
    QTest::addRow("leaf 2") << 2 << 21 << -2 << 4;
  }
  void leavesSwingWithinTheirRange() {
    QFETCH(int, leaf);
    QFETCH(int, firstPhase);
    QFETCH(int, fewest);
    QFETCH(int, most);
    for (uint seed : {1u, 2u, 3u, 40u, 500u}) {
      PatternHarness h(QSize(1200, 900), seed);
      const auto ticks = h.runPattern(kLeaves);
      QCOMPARE(int(ticks.size()), 61);
      const int start = ticks[0].QX[size_t(leaf)];
      const int step = ticks[0].FX[size_t(leaf)];
      // A start in the middle third, a step of 30 to 79 pixels either way.
      QVERIFY(start >= 400 && start < 800);
      QVERIFY(std::abs(step) >= 30 && std::abs(step) <= 79);
      int lo = 0, hi = 0;
      for (int p = firstPhase; p <= 56; ++p) {
        const int moved = ticks[size_t(p)].QX[size_t(leaf)] - start;
        QCOMPARE(moved % step, 0);
        lo = std::min(lo, moved / step);
        hi = std::max(hi, moved / step);
      }
      QCOMPARE(lo, fewest);
      QCOMPARE(hi, most);
    }
  }

  void sameSeedSameFall() {
    PatternHarness first(QSize(1024, 768), 2024);
    PatternHarness second(QSize(1024, 768), 2024);
    const auto a = first.runPattern(kLeaves);
    const auto b = second.runPattern(kLeaves);
    QCOMPARE(a.size(), b.size());
    for (size_t p = 0; p < a.size(); ++p) {
      QCOMPARE(a[p].lblQ, b[p].lblQ);
      QCOMPARE(a[p].lblF, b[p].lblF);
    }
    // Other seeds choose other start points and steps.
    bool differs = false;
    for (uint seed : {1u, 2u, 3u}) {
      PatternHarness other(QSize(1024, 768), seed);
      const auto c = other.runPattern(kLeaves);
      differs = differs || c[0].QX != a[0].QX || c[0].FX != a[0].FX;
    }
    QVERIFY(differs);
  }
};

QTEST_GUILESS_MAIN(TestLeaves)
#include "tst_leaves.moc"
