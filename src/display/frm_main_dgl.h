#pragma once

#include "display/covering_window.h"
#include "display/display_engine.h"
#include "display/display_run.h"
#include "display/pattern_catalog.h"
#include "os/display_lock.h"

class InputGrab;
class QuorlSaver;
class ScreenCovers;

// The display's own window: black, frameless, top-most, covering the
// primary screen without a cursor, the words animating over the tiled
// background, every other screen under a cover. It holds the keyboard and
// the pointer and the single-instance lock; any key, click or mouse jump
// ends it: the program when shown by the system, only this window when it
// runs as a trial for the settings dialog. It deletes itself when closed.
class frmMainDGL : public CoveringWindow {
  Q_OBJECT

 public:
  frmMainDGL(QuorlSaver& saver, const PatternCatalog& patterns, DisplayRun run, WindowSurfaceFactory makeSurface);
  ~frmMainDGL() override;

  // Loads (the settings from disk only when shown by the system), covers the
  // screens, takes the keyboard and pointer and starts the main cycle.
  void showSaver();

  const ScreenCovers* covers() const { return covers_; }
  const DisplayEngine& engine() const { return engine_; }
  const Stage& stage() const { return engine_.stage(); }
  const MainCycle& cycle() const { return engine_.cycle(); }
  // The display holds the single-instance lock for as long as it runs.
  // Where no lock can be made it runs without one: a display is never kept
  // from covering the screen by its folder.
  bool anotherDisplayRuns() const { return !lock_.isHeld() && lock_.unavailable().isEmpty(); }
  const DisplayLock& lock() const { return lock_; }

  // Ends the display: cursor back, then the program ends (shown by the
  // system) or only this window closes (trial).
  void EndQuoSaver();

 signals:
  void ended();

 protected:
  DisplayFrame frame() const override { return engine_.frame(); }
  void resizeEvent(QResizeEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void coverScreens();
  void finish();

  QuorlSaver& saver_;
  WindowSurfaceFactory makeSurface_;
  const PatternCatalog& patterns_;
  DisplayEngine engine_;
  DisplayLock lock_;
  ScreenCovers* covers_ = nullptr;
  InputGrab* grab_ = nullptr;
  bool finished_ = false;
};
