#pragma once

#include <QSize>
#include <QString>
#include <QStringList>
#include <vector>

#include "display/main_cycle.h"
#include "display/stage.h"
#include "display/virtual_clock.h"
#include "fake_text_metrics.h"
#include "startup/quorl_saver.h"
#include "startup/random_source.h"

// What the stage looked like after one timer tick.
struct TickSnapshot {
  qint64 time = 0;
  TimerId timer = TimerId::tmQuo;
  int16_t PH = 0, STEP = 0;
  std::array<Label, 16> lblQ, lblF;
  std::array<int16_t, 16> QX{}, QY{}, FX{}, FY{};
  QStringList enabled;

  // Labels visible after the tick.
  int visibleCount() const;
};

// Runs the real main cycle on a virtual clock over an in-memory word list,
// with fake text metrics, so a pattern can be replayed tick by tick.
class PatternHarness {
 public:
  explicit PatternHarness(QSize display = QSize(1024, 768), uint32_t seed = 1);
  // The same over another pattern catalog (main-cycle tests use short fake patterns).
  PatternHarness(QSize display, uint32_t seed, const PatternCatalog& catalog);

  // Only `patternNumber` takes part; words in list order.
  void onlyPattern(int patternNumber);
  void setWords(const QString& question, const QString& answer);

  // Runs cycles until `patterns` patterns have ended, recording every tick
  // (main cycle and pattern) after its handler ran. Stops after maxTicks.
  std::vector<TickSnapshot> run(int patterns = 1, int maxTicks = 5000);
  // The ticks of the first run of the pattern only: element p is the stage
  // after the tick of phase p.
  std::vector<TickSnapshot> runPattern(int patternNumber);

  FakeTextMetrics metrics;
  QuorlSaver saver;
  RandomSource& random;  // the saver's shared generator
  Stage stage;
  MainCycle cycle;
  VirtualClock clock;
};
