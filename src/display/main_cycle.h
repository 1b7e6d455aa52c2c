#pragma once

#include <QString>
#include <array>
#include <functional>

#include "display/display_run.h"
#include "display/pattern_catalog.h"
#include "display/stage.h"

class QuorlSaver;

// The display's main cycle: on its first tick it measures the display, sets
// the pattern speed and draws the background; on every later tick it picks the
// next word pair and enabled pattern, prepares the 32 labels and hands over to
// the pattern's timer. Patterns hand back by enabling tmQuo.
class MainCycle {
 public:
  MainCycle(QuorlSaver& saver, Stage& stage, const PatternCatalog& patterns, DisplayRun run);

  // The display's load: enabled set, label fonts, counters. A shown display
  // loads the settings from disk first; a trial shows those in memory.
  void load();

  // Starts the cycle (the last step of showing the saver).
  void start() { stage_.timers.enable(TimerId::tmQuo); }

  // The display changed size or screen: the running pattern stops and the
  // next tick measures the display and draws the background again.
  void restart();

  // Runs the tick of whichever timer fired.
  void fire(TimerId id);

  // A display on a further monitor follows another's words: its main cycle
  // starts a pattern only when told, with the word the other shows, and
  // draws its own random numbers (never reseeded: the displays differ). In
  // order, its patterns start `offset` places further on.
  void follow(int offset);
  bool following() const { return following_; }
  // The next cycle now, on word `wordIndex` (a follower, once measured).
  void startCycleWith(int wordIndex);

  // The display's size in pixels, read on the first tick.
  void setFormSize(double width, double height) {
    formWidth_ = width;
    formHeight_ = height;
  }
  // Draws the background; called once, on the first tick.
  std::function<void()> drawBackground;

  const QString& patternCaption() const { return patternCaption_; }
  int wordIndex() const { return wordIndex_; }
  int patternNumber() const { return patternNumber_; }
  int cycleState() const { return cycleState_; }
  int enabledCount() const { return enabledCount_; }

 private:
  void firstTick();
  void nextCycle();
  int nextWord();
  int nextPattern();
  bool runnable(int patternNumber) const;
  void prepareLabels();

  QuorlSaver& saver_;
  Stage& stage_;
  const PatternCatalog& patterns_;
  const DisplayRun run_;

  double formWidth_ = 0;
  double formHeight_ = 0;
  int cycleState_ = 0;
  int wordIndex_ = 0;
  int patternNumber_ = 0;
  bool randomPatterns_ = true;
  std::array<bool, 17> enabled_{};  // by pattern number, 1..16
  int enabledCount_ = 0;
  QString patternCaption_;
  bool following_ = false;
  int patternOffset_ = 0;
  int leaderWord_ = 0;
};
