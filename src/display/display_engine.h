#pragma once

#include <QElapsedTimer>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QTimer>
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
  QSize size() const { return size_; }
  // The display changed size or screen: the running pattern stops and the
  // cycle measures the display and draws the background again.
  void restart();
  // Every timer stops for good.
  void stop();

  // Smooth motion: between two ticks frames follow at the screen's refresh
  // rate (`hertz`; outside 24..240 Hz, 60), each label on its way from its
  // place at one tick to its place at the next, one tick behind the model.
  // Off (and always on a virtual clock) every frame is a tick.
  void setSmooth(bool on, qreal hertz = 60);
  bool smooth() const { return smooth_; }
  // Milliseconds between two frames while labels glide.
  int frameInterval() const { return frames_.interval(); }
  // How far (0..1) the labels are on their way to the last tick's places.
  void showGlide(double alpha);

  // This display, on a further monitor, shows the words of `leader` at the
  // same time: each of its cycles starts with the leader's (see MainCycle::follow).
  void follow(DisplayEngine& leader, int offset);

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
  // The main cycle started a pattern on word `wordIndex`.
  void cycleStarted(int wordIndex);

 private:
  void fire(TimerId id);
  // After a tick: the labels' new places shown, at once or on their way.
  void ticked(bool measuring);
  void loadPicture();
  // Every label where the stage has it now.
  QList<ShownLabel> tickLabels() const;
  // Shows `labels`; `changed` is what the frame repaints.
  void show(QList<ShownLabel> labels, QRegion changed);
  void nextFrame();
  // The interval of the timer that fires next.
  int nextTickMs() const;

  QuorlSaver& saver_;
  const DisplayRun run_;
  QtTextMetrics metrics_;
  Stage stage_;
  MainCycle cycle_;
  std::unique_ptr<QtTimerDriver> driver_;
  std::unique_ptr<VirtualClock> clock_;
  TiledPicture picture_;
  QSize size_;
  const PatternCatalog& patterns_;
  QList<ShownLabel> from_, to_;  // all 32 labels at the last two ticks
  QList<bool> hops_;             // by label: its move to the last tick is a hop
  QList<ShownLabel> shown_;      // all 32 labels as the display shows them
  QPointer<DisplayEngine> leader_;  // the display whose words this one shows
  bool smooth_ = false;
  bool nameStale_ = false;  // a new pattern's name is not yet shown
  QTimer frames_;
  QElapsedTimer glideClock_;
  int glideMs_ = 100;
  std::pair<int, int> shownCycle_;  // pattern number and word index of the last tick
  quint64 generation_ = 0;
};
