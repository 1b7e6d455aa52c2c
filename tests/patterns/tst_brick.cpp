// Brick on a 1024 x 768 form (W = 1024, H = 763, CX = 512), measured by the
// fake metrics: width = characters x size x 3/5, height = size x 3/2. At 22
// points every word is 33 high, so the row pitch is 33 and the bottom row
// stands at H - 40 = 723.

#include <QtTest>
#include <algorithm>
#include <cmath>

#include "support/pattern_harness.h"

namespace {
constexpr int kBrick = 12;
constexpr int kCX = 512;
constexpr int kPitch = 33;
constexpr int kBottomRow = 723;

// One word of the wall: which label it is.
struct Word {
  bool question;
  size_t k;
  const Label& in(const TickSnapshot& t) const { return question ? t.lblQ[k] : t.lblF[k]; }
};

double widthOf(const Label& l) { return FakeTextMetrics::width(l.caption, l.size); }
int rowTop(int row) { return kBottomRow - row * kPitch; }

// The four words of row j (bricks 2j and 2j + 1), left to right as they stand in t.
std::vector<Word> row(const TickSnapshot& t, int j) {
  std::vector<Word> words;
  for (size_t k = size_t(2 * j); k <= size_t(2 * j + 1); ++k) {
    words.push_back({true, k});
    words.push_back({false, k});
  }
  std::sort(words.begin(), words.end(), [&](const Word& a, const Word& b) { return a.in(t).left < b.in(t).left; });
  return words;
}

std::vector<TickSnapshot> runBrick(const QString& question = QStringLiteral("question"),
                                   const QString& answer = QStringLiteral("answer"),
                                   QSize size = QSize(1024, 768)) {
  PatternHarness h(size, 1);
  h.setWords(question, answer);
  return h.runPattern(kBrick);
}

QByteArray at(int p, int j = -1) {
  QByteArray s = "phase " + QByteArray::number(p);
  if (j >= 0) s += ", row " + QByteArray::number(j);
  return s;
}
}  // namespace

class TestBrick : public QObject {
  Q_OBJECT

 private:
  std::vector<TickSnapshot> ticks_;

 private slots:
  void initTestCase() {
    ticks_ = runBrick();
    QCOMPARE(int(ticks_.size()), 61);
  }

  void setUpSizesEveryWord() {
    QCOMPARE(ticks_[0].visibleCount(), 0);
    for (size_t i = 0; i < 16; ++i) {
      QCOMPARE(ticks_[0].lblQ[i].size, 22);
      QCOMPARE(ticks_[0].lblF[i].size, 22);
    }
  }

  // One word per tick from the bottom up: the question half of a brick, then
  // its answer half; the top row is complete at phase 32.
  void wallGrowsWordByWord() {
    for (int p = 1; p <= 32; ++p) {
      const TickSnapshot& t = ticks_[size_t(p)];
      QCOMPARE(t.visibleCount(), p);
      const size_t brick = size_t((p - 1) / 2);
      const Label& laid = p % 2 == 1 ? t.lblQ[brick] : t.lblF[brick];
      const Label& before = p % 2 == 1 ? ticks_[size_t(p - 1)].lblQ[brick] : ticks_[size_t(p - 1)].lblF[brick];
      QVERIFY2(laid.visible && !before.visible, at(p));
      QCOMPARE(laid.top, double(rowTop(int(brick) / 2)));
    }
  }

  // Each row is four abutting words, question first on even rows and answer
  // first on odd rows; rows are offset against each other by half the
  // difference of the word widths.
  void wallIsLaidInBond_data() {
    QTest::addColumn<QString>("question");
    QTest::addColumn<QString>("answer");
    QTest::addRow("question longer") << "question" << "answer";
    QTest::addRow("equal widths") << "abcdef" << "ghijkl";
    QTest::addRow("answer longer") << "ab" << "a long answer";
  }
  void wallIsLaidInBond() {
    QFETCH(QString, question);
    QFETCH(QString, answer);
    const std::vector<TickSnapshot> ticks = runBrick(question, answer);
    const TickSnapshot& wall = ticks[32];
    const double wQ = FakeTextMetrics::width(question, 22), wF = FakeTextMetrics::width(answer, 22);
    for (int j = 0; j < 8; ++j) {
      const std::vector<Word> words = row(wall, j);
      for (size_t i = 0; i < 4; ++i) {
        const Label& l = words[i].in(wall);
        QVERIFY2(words[i].question == ((i + size_t(j)) % 2 == 0), at(32, j));
        QCOMPARE(l.top, double(rowTop(j)));
        if (i > 0) {
          const Label& previous = words[i - 1].in(wall);
          QCOMPARE(l.left, previous.left + widthOf(previous));
        }
      }
      const Label& last = words[3].in(wall);
      const double centre = (words[0].in(wall).left + last.left + widthOf(last)) / 2;
      const double expected = kCX + (j % 2 == 0 ? 1 : -1) * (wF - wQ) / 2;
      QVERIFY2(std::abs(centre - expected) <= 1, at(32, j));
    }
  }

  // The inner pair of every row rises 0.8 pitch per tick, 8 pitches in all;
  // the outer words stay.
  void innerColumnRises() {
    QCOMPARE(ticks_[33].lblQ, ticks_[32].lblQ);
    QCOMPARE(ticks_[33].lblF, ticks_[32].lblF);
    for (int j = 0; j < 8; ++j) {
      const std::vector<Word> words = row(ticks_[32], j);
      for (size_t i = 0; i < 4; ++i) {
        const bool inner = i == 1 || i == 2;
        const Word& w = words[i];
        for (int p = 34; p <= 43; ++p) {
          const double step = w.in(ticks_[size_t(p - 1)]).top - w.in(ticks_[size_t(p)]).top;
          if (inner) QVERIFY2(step == 26 || step == 27, at(p, j));
          else QVERIFY2(step == 0, at(p, j));
          QCOMPARE(w.in(ticks_[size_t(p)]).left, w.in(ticks_[32]).left);
        }
        QCOMPARE(w.in(ticks_[43]).top, double(rowTop(j) - (inner ? 8 * kPitch : 0)));
        QCOMPARE(w.in(ticks_[60]).top, w.in(ticks_[43]).top);
      }
    }
  }

  // Rows close two at a time, each outer word moving a third of its width per
  // tick towards the middle, until each row is one pair starting where the
  // inner pair stood.
  void rowsCloseInPairs() {
    for (int j = 0; j < 8; ++j) {
      const std::vector<Word> words = row(ticks_[32], j);
      const int first = 44 + (j / 2) * 3;  // rows 0 and 1 close in 44 to 46, ...
      for (size_t i = 0; i < 4; ++i) {
        const Word& w = words[i];
        const bool outer = i == 0 || i == 3;
        const double direction = i == 0 ? 1 : -1;
        for (int p = 44; p <= 60; ++p) {
          const Label& now = w.in(ticks_[size_t(p)]);
          const double step = now.left - w.in(ticks_[size_t(p - 1)]).left;
          const bool closing = outer && p >= first && p < first + 3;
          const double expected = closing ? direction * widthOf(now) / 3 : 0;
          QVERIFY2(std::abs(step - expected) < 1e-9, at(p, j));
        }
      }
      // Closed: the outer words abut, the left one where the inner pair began.
      const Label& left = words[0].in(ticks_[size_t(first + 2)]);
      const Label& right = words[3].in(ticks_[size_t(first + 2)]);
      QCOMPARE(left.left, words[1].in(ticks_[32]).left);
      QCOMPARE(right.left, left.left + widthOf(left));
    }
  }

  void restsAndHandsBack() {
    for (int p = 56; p <= 60; ++p) {
      QCOMPARE(ticks_[size_t(p)].lblQ, ticks_[55].lblQ);
      QCOMPARE(ticks_[size_t(p)].lblF, ticks_[55].lblF);
    }
    QCOMPARE(ticks_[60].visibleCount(), 32);
    for (int p = 0; p < 60; ++p) QCOMPARE(ticks_[size_t(p)].enabled, QStringList{"tmSbr"});
    QCOMPARE(ticks_[60].enabled, QStringList{"tmQuo"});
  }

  // The rise ignores the screen height: on a short display the column leaves the top.
  void columnLeavesAShortDisplay() {
    const std::vector<TickSnapshot> ticks = runBrick(QStringLiteral("question"), QStringLiteral("answer"), QSize(1024, 300));
    QCOMPARE(int(ticks.size()), 61);
    const TickSnapshot& t = ticks[43];
    // Top row (bricks 14 and 15): question 14 and answer 15 are inner.
    QVERIFY(t.lblQ[14].top < 0);
    QVERIFY(t.lblF[15].top < 0);
    QCOMPARE(t.lblQ[14].top, double(295 - 40 - 7 * kPitch - 8 * kPitch));
  }
};

QTEST_GUILESS_MAIN(TestBrick)
#include "tst_brick.moc"
