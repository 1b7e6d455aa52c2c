#include "pattern_harness.h"

#include "patterns/pattern.h"

int TickSnapshot::visibleCount() const {
  int n = 0;
  for (const Label& l : lblQ) n += l.visible ? 1 : 0;
  for (const Label& l : lblF) n += l.visible ? 1 : 0;
  return n;
}

PatternHarness::PatternHarness(QSize display, uint32_t seed)
    : PatternHarness(display, seed, Patterns::table()) {}

PatternHarness::PatternHarness(QSize display, uint32_t seed, const PatternCatalog& catalog)
    : saver(QString()),
      random(saver.random),
      stage(metrics, random),
      cycle(saver, stage, catalog, DisplayRun::Trial),  // no disk: the test sets the words and settings
      clock(stage.timers, [this](TimerId id) { cycle.fire(id); }) {
  random.setClock([this, seed] { return uint32_t(clock.now()) + seed; });
  saver.settings.speed = 1;
  saver.settings.wordOrder = 1;
  saver.settings.patternOrder = 1;
  setWords(QStringLiteral("question"), QStringLiteral("answer"));
  cycle.setFormSize(display.width(), display.height());
}

void PatternHarness::onlyPattern(int patternNumber) {
  saver.settings.patternExcluded.fill(1);
  saver.settings.patternExcluded[size_t(patternNumber - 1)] = 0;
}

void PatternHarness::setWords(const QString& question, const QString& answer) {
  saver.words = WordList{};
  saver.words.append(question, answer);
}

std::vector<TickSnapshot> PatternHarness::run(int patterns, int maxTicks) {
  cycle.load();
  cycle.start();
  std::vector<TickSnapshot> ticks;
  int ended = 0;
  while (int(ticks.size()) < maxTicks && clock.step()) {
    TickSnapshot snap;
    snap.time = clock.now();
    snap.timer = clock.lastFired();
    snap.PH = stage.PH;
    snap.STEP = stage.STEP;
    snap.lblQ = stage.lblQ;
    snap.lblF = stage.lblF;
    snap.QX = stage.QX;
    snap.QY = stage.QY;
    snap.FX = stage.FX;
    snap.FY = stage.FY;
    snap.enabled = stage.timers.enabledNames();
    ticks.push_back(snap);
    if (snap.timer != TimerId::tmQuo && stage.timers.isEnabled(TimerId::tmQuo)) ++ended;
    if (ended >= patterns) break;
  }
  return ticks;
}

std::vector<TickSnapshot> PatternHarness::runPattern(int patternNumber) {
  onlyPattern(patternNumber);
  std::vector<TickSnapshot> all = run(1);
  std::vector<TickSnapshot> pattern;
  for (const TickSnapshot& t : all)
    if (t.timer == patternTimer(patternNumber)) pattern.push_back(t);
  return pattern;
}
