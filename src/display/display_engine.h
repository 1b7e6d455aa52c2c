#pragma once

#include <QList>
#include <QObject>
#include <QRect>
#include <QRegion>
#include <QSize>
#include <memory>

#include "display/background.h"
#include "display/display_run.h"
#include "display/frame_surface.h"
#include "display/main_cycle.h"
#include "display/pattern_catalog.h"
#include "display/stage.h"
#include "display/text_metrics.h"

class QtTimerDriver;
class QuorlSaver;
class VirtualClock;

// The display without a window: the stage, the main cycle and the timers
// that drive it, the background picture, and after every tick the part of
// the frame that changed. Whoever shows it (the display's own window, a
// host's window, trace mode) hands that part to a frame surface.
class DisplayEngine : public QObject {
  Q_OBJECT

 public:
  // Real Qt timers, or a virtual clock the owner steps (trace mode).
  enum class Clock { Real, Virtual };

  DisplayEngine(QuorlSaver& saver, const PatternCatalog& patterns, DisplayRun run, Clock clock = Clock::Real);
  ~DisplayEngine() override;

  // The display's load: the settings from disk for a shown display, the
  // patterns that take part, the label fonts.
  void load() { cycle_.load(); }
  // The main cycle starts; its first tick measures the display.
  void start() { cycle_.start(); }
  // The display measures `size` layout pixels, read on the first tick.
  void setSize(QSize size);
  // The display changed size or screen: the running pattern stops and the
  // cycle measures the display and draws the background again.
  void restart();
  // Every timer stops for good.
  void stop();

  // With a virtual clock: fires the next due timer; false when none is enabled.
  bool step();
  // The virtual time in milliseconds; 0 on real timers.
  qint64 now() const;
  TimerId lastFired() const;

  DisplayRun run() const { return run_; }
  const Stage& stage() const { return stage_; }
  const MainCycle& cycle() const { return cycle_; }
  const TiledPicture& picture() const { return picture_; }
  // What the display shows now.
  DisplayFrame frame() const;

 signals:
  // The background picture was read (the first tick of a cycle).
  void pictureChanged();
  // A tick ran; `area` of the frame changed (all of it after the picture).
  void frameChanged(const QRegion& area);

 private:
  void fire(TimerId id);
  void loadPicture();

  QuorlSaver& saver_;
  const DisplayRun run_;
  QtTextMetrics metrics_;
  Stage stage_;
  MainCycle cycle_;
  std::unique_ptr<QtTimerDriver> driver_;
  std::unique_ptr<VirtualClock> clock_;
  TiledPicture picture_;
  QSize size_;
  QList<QRect> labelRects_;
  std::pair<int, int> shownCycle_;  // pattern number and word index of the last tick
  quint64 generation_ = 0;
};
