#include "display/main_cycle.h"

#include <algorithm>

#include "display/arithmetic.h"
#include "startup/quorl_saver.h"

MainCycle::MainCycle(QuorlSaver& saver, Stage& stage, const PatternCatalog& patterns, DisplayRun run)
    : saver_(saver), stage_(stage), patterns_(patterns), run_(run) {}

void MainCycle::load() {
  stage_.random().reseedFromClock();
  wordIndex_ = 0;
  patternNumber_ = following_ ? patternOffset_ % kPatternCount : 0;
  cycleState_ = 0;
  if (run_ == DisplayRun::Show) saver_.load();

  SaverSettings& s = saver_.settings;
  randomPatterns_ = s.patternOrder == 0;
  enabledCount_ = 0;
  for (int k = 1; k <= kPatternCount; ++k) {
    enabled_[size_t(k)] = s.patternExcluded[size_t(k - 1)] == 0;
    enabledCount_ += enabled_[size_t(k)] ? 1 : 0;
  }
  // An empty choice means every pattern.
  if (enabledCount_ == 0) {
    enabledCount_ = kPatternCount;
    for (int k = 1; k <= kPatternCount; ++k) enabled_[size_t(k)] = true;
    s.patternExcluded.fill(0);
  }

  for (int i = 0; i < Stage::kLabels; ++i) {
    stage_.lblQ[size_t(i)].face = saver_.words.questionFont;
    stage_.lblF[size_t(i)].face = saver_.words.answerFont;
  }
  for (int k = 1; k <= kPatternCount; ++k) stage_.timers.setInterval(patternTimer(k), 5);
  stage_.timers.setInterval(TimerId::tmQuo, 100);
}

void MainCycle::restart() {
  for (int k = 1; k <= kPatternCount; ++k) stage_.timers.disable(patternTimer(k));
  cycleState_ = 0;
  stage_.timers.disable(TimerId::tmQuo);
  stage_.timers.enable(TimerId::tmQuo);
}

void MainCycle::fire(TimerId id) {
  if (id == TimerId::tmQuo) {
    if (cycleState_ == 0)
      firstTick();
    else if (following_)
      stage_.timers.disable(TimerId::tmQuo);  // waits for the leader's next word
    else
      nextCycle();
    return;
  }
  const PatternEntry& entry = patterns_[size_t(int(id) - 1)];
  if (entry.tick) entry.tick(stage_);
}

void MainCycle::firstTick() {
  stage_.SW = Arith::nearest16(formWidth_);
  stage_.SH = Arith::nearest16(formHeight_ - 5);
  stage_.CX = Arith::floor16(stage_.SW / 2.0);
  stage_.CY = Arith::floor16(stage_.SH / 2.0);
  wordIndex_ = 0;
  stage_.DELAY = int16_t(141 - 20 * saver_.settings.speed);
  for (int k = 1; k <= kPatternCount; ++k) stage_.timers.setInterval(patternTimer(k), stage_.DELAY);
  cycleState_ = 1;
  if (drawBackground) drawBackground();
}

bool MainCycle::runnable(int k) const {
  return enabled_[size_t(k)] && patterns_[size_t(k - 1)].tick != nullptr;
}

int MainCycle::nextWord() {
  const int count = saver_.words.count();
  if (saver_.settings.wordOrder != 0) {
    int index = wordIndex_ + 1;
    return index > count ? 1 : index;
  }
  return Arith::floorInt(count * stage_.rnd()) + 1;
}

int MainCycle::nextPattern() {
  if (randomPatterns_) {
    // Patterns that cannot run yet count as excluded.
    int candidates = 0;
    for (int k = 1; k <= kPatternCount; ++k) candidates += runnable(k) ? 1 : 0;
    if (candidates == 0) return 0;
    const int target = Arith::floorInt(stage_.rnd() * candidates) + 1;
    int seen = 0;
    for (int k = 1; k <= kPatternCount; ++k)
      if (runnable(k) && ++seen == target) return k;
    return 0;
  }
  int k = patternNumber_;
  for (int tries = 0; tries < kPatternCount; ++tries) {
    k = k >= kPatternCount ? 1 : k + 1;
    if (runnable(k)) return k;
  }
  return 0;
}

void MainCycle::prepareLabels() {
  const QString question = saver_.words.question(wordIndex_);
  const QString answer = saver_.words.answer(wordIndex_);
  for (int i = 0; i < Stage::kLabels; ++i) {
    Label& q = stage_.lblQ[size_t(i)];
    q.caption = question;
    q.size = 24;
    q.color = uint32_t(saver_.settings.questionColor);
    q.italic = false;
    q.visible = false;
    Label& f = stage_.lblF[size_t(i)];
    f.caption = answer;
    f.size = 24;
    f.color = uint32_t(saver_.settings.answerColor);
    f.italic = false;
    f.visible = false;
  }
}

void MainCycle::follow(int offset) {
  following_ = true;
  patternOffset_ = offset;
  patternNumber_ = offset % kPatternCount;
}

void MainCycle::startCycleWith(int wordIndex) {
  if (!following_ || cycleState_ == 0) return;
  leaderWord_ = wordIndex;
  nextCycle();
}

void MainCycle::nextCycle() {
  for (int k = 1; k <= kPatternCount; ++k) stage_.timers.disable(patternTimer(k));
  if (!following_) stage_.random().reseedFromClock();

  const bool haveWords = !saver_.words.isEmpty();
  if (haveWords) wordIndex_ = following_ ? std::clamp(leaderWord_, 1, saver_.words.count()) : nextWord();
  stage_.PH = 0;

  const int chosen = nextPattern();
  if (chosen != 0) {
    patternNumber_ = chosen;
    patternCaption_ = patterns_[size_t(chosen - 1)].name;
    stage_.fitShare = patterns_[size_t(chosen - 1)].fitShare;
    stage_.fitMovesInside = patterns_[size_t(chosen - 1)].fitMovesInside;
  }
  prepareLabels();
  stage_.timers.disable(TimerId::tmQuo);
  // Without words or a pattern to run the display rests on its background.
  if (haveWords && chosen != 0) stage_.timers.enable(patternTimer(chosen));
}
