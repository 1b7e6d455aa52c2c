#include <QtTest>

#include "pattern_harness.h"
#include "patterns/pattern.h"

// Runs two stages side by side with one seed, ticking them alternately: any
// state a pattern keeps outside its stage makes the two runs differ.
class TestPatternPairs : public QObject {
  Q_OBJECT

  static bool same(const TickSnapshot& a, const TickSnapshot& b) {
    return a.time == b.time && a.timer == b.timer && a.PH == b.PH && a.STEP == b.STEP && a.lblQ == b.lblQ &&
           a.lblF == b.lblF && a.QX == b.QX && a.QY == b.QY && a.FX == b.FX && a.FY == b.FY &&
           a.enabled == b.enabled;
  }

  static TickSnapshot snapshot(const PatternHarness& h) {
    TickSnapshot s;
    s.time = h.clock.now();
    s.timer = h.clock.lastFired();
    s.PH = h.stage.PH;
    s.STEP = h.stage.STEP;
    s.lblQ = h.stage.lblQ;
    s.lblF = h.stage.lblF;
    s.QX = h.stage.QX;
    s.QY = h.stage.QY;
    s.FX = h.stage.FX;
    s.FY = h.stage.FY;
    s.enabled = h.stage.timers.enabledNames();
    return s;
  }

 private slots:
  void twoStagesAgree_data() {
    QTest::addColumn<int>("pattern");
    for (const PatternEntry& entry : Patterns::table())
      QTest::addRow("%s", qPrintable(entry.name)) << entry.number;
  }
  void twoStagesAgree() {
    QFETCH(int, pattern);
    QVERIFY2(Patterns::table()[size_t(pattern - 1)].tick, "pattern is not in the table");
    PatternHarness a(QSize(1024, 768), 11);
    PatternHarness b(QSize(1024, 768), 11);
    for (PatternHarness* h : {&a, &b}) {
      h->onlyPattern(pattern);
      h->saver.settings.wordOrder = 1;
      h->setWords(QStringLiteral("vocabulary"), QStringLiteral("語彙"));
      h->saver.words.append(QStringLiteral("pair"), QStringLiteral("対"));
      h->cycle.load();
      h->cycle.start();
    }
    // Three runs of the pattern each, so later runs start from what earlier ones left.
    int ended = 0, ticks = 0;
    while (ended < 3 && ticks < 2000) {
      QVERIFY(a.clock.step());
      QVERIFY(b.clock.step());
      ++ticks;
      const TickSnapshot sa = snapshot(a), sb = snapshot(b);
      if (!same(sa, sb)) QFAIL(qPrintable(QStringLiteral("stages differ at tick %1 (PH %2)").arg(ticks).arg(sa.PH)));
      if (sa.timer != TimerId::tmQuo && sa.enabled == QStringList{"tmQuo"}) ++ended;
    }
    QCOMPARE(ended, 3);
  }

  // Sentences whole: a definition and an explanation as long as learners'
  // cards hold are each seen wholly on the display, at least 16 px high, at
  // some tick of every pattern; of a text too long for the display, as much
  // as it holds, with an ellipsis.
  void longTextsAreSeenWhole_data() {
    const QString definition = QStringLiteral(
        "the feeling of great happiness and pride that comes from succeeding at something difficult after long "
        "effort.");
    const QString explanation = QStringLiteral(
        "物事を成し遂げたときに感じる大きな喜びと誇りの気持ち。長い努力の末に難しいことを成功させたときに生まれる感情"
        "で、自分の力を信じる心や次の目標に向かう意欲にもつながる。日常の小さな達成でも味わうことができ、学びを続ける"
        "ための大切な原動力となる。周りの人と分かち合うことでさらに深まり、友人との会話や毎日の日記を通して記憶に長く"
        "残る。");
    QTest::addColumn<int>("pattern");
    QTest::addColumn<QString>("question");
    QTest::addColumn<QString>("answer");
    QTest::addColumn<QSize>("screen");
    for (const QSize screen : {QSize(1280, 720), QSize(1920, 1080)})
      for (const PatternEntry& entry : Patterns::table()) {
        const QByteArray at = QByteArray::number(screen.width()) + 'x' + QByteArray::number(screen.height());
        QTest::addRow("%s %s, definition asked", qPrintable(entry.name), at.constData())
            << entry.number << definition << explanation << screen;
        QTest::addRow("%s %s, explanation asked", qPrintable(entry.name), at.constData())
            << entry.number << explanation << definition << screen;
        if (entry.fitMovesInside)
          QTest::addRow("%s %s, 5000 letters moved inside", qPrintable(entry.name), at.constData())
              << entry.number << QString(5000, u'x') << QStringLiteral("answer") << screen;
      }
  }
  void longTextsAreSeenWhole() {
    QFETCH(int, pattern);
    QFETCH(QString, question);
    QFETCH(QString, answer);
    QFETCH(QSize, screen);
    PatternHarness h(screen, 5);
    h.setWords(question, answer);
    const std::vector<TickSnapshot> ticks = h.runPattern(pattern);
    const auto seenWhole = [&](const QString& text, auto labelsOf) {
      for (const TickSnapshot& tick : ticks)
        for (const Label& label : labelsOf(tick)) {
          if (!label.visible) continue;
          Label drawn = h.stage.drawn(label);
          const QRect box(QPoint(qRound(drawn.left), qRound(drawn.top)), h.stage.size(label));
          const QString shown = drawn.caption.remove(LabelFit::kLineBreak).remove(u' ');
          const QString whole = QString(text).remove(u' ');
          const bool cut = shown.endsWith(QChar(0x2026)) && whole.startsWith(shown.chopped(1));
          if (FakeTextMetrics::height(drawn.size) >= 16 && QRect(QPoint(), screen).contains(box) &&
              (shown == whole || cut))
            return true;
        }
      return false;
    };
    QVERIFY(seenWhole(question, [](const TickSnapshot& t) { return t.lblQ; }));
    QVERIFY(seenWhole(answer, [](const TickSnapshot& t) { return t.lblF; }));
  }

  void everyPatternEndsWithOnlyTheMainCycle_data() { twoStagesAgree_data(); }
  void everyPatternEndsWithOnlyTheMainCycle() {
    QFETCH(int, pattern);
    for (const QSize size : {QSize(1024, 768), QSize(640, 480), QSize(1920, 1080)}) {
      PatternHarness h(size, 5);
      const std::vector<TickSnapshot> ticks = h.runPattern(pattern);
      QCOMPARE(int(ticks.size()), 61);
      for (int p = 0; p < 60; ++p) QCOMPARE(ticks[size_t(p)].enabled, QStringList{timerName(patternTimer(pattern))});
      QCOMPARE(ticks.back().enabled, QStringList{"tmQuo"});
    }
  }
};

QTEST_GUILESS_MAIN(TestPatternPairs)
#include "tst_pattern_pairs.moc"
