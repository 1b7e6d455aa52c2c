#pragma once

#include <QImage>
#include <QList>
#include <QRect>
#include <QWidget>
#include <memory>

#include "display/background.h"
#include "display/label_painter.h"
#include "display/main_cycle.h"
#include "display/mouse_jump.h"
#include "display/pattern_catalog.h"
#include "display/save_under.h"
#include "display/server_drawn_frame.h"
#include "display/stage.h"
#include "display/text_metrics.h"
#include "platform/display_lock.h"

class InputGrab;
class QuorlSaver;
class QtTimerDriver;
class ScreenCovers;

// The display window: black, frameless, top-most, covering the primary
// screen without a cursor, the words animating over the tiled background,
// every other screen under a cover. It holds the keyboard and the pointer;
// any key, click or mouse jump ends it: the program in show mode, only this
// window when it runs as a trial for the settings dialog. It deletes itself
// when closed.
//
// Drawn into a screen-saver host's window instead, it maps no window of its
// own: it is rendered on request (`areaChanged`), takes no input and holds
// no lock, and runs until the host ends the program.
class frmMainDGL : public QWidget {
  Q_OBJECT

 public:
  enum class Surface { OwnWindow, HostWindow };

  frmMainDGL(QuorlSaver& saver, const PatternCatalog& patterns, QWidget* parent = nullptr,
             Surface surface = Surface::OwnWindow);
  ~frmMainDGL() override;

  // Loads (settings from disk only in show mode), covers the screens, hides
  // the cursor, takes the keyboard and pointer and starts the main cycle.
  void showSaver();

  // The same for a host's window of `size`: loads and starts the main cycle.
  // With a canvas on that window the X server draws the frames (`drawInHost`);
  // without one the host renders the widget.
  void showInHost(QSize size, std::unique_ptr<X11Canvas> canvas = nullptr);
  bool drawsWithServer() const { return server_ != nullptr; }
  // Draws `area` of the frame on the host's canvas.
  void drawInHost(const QRegion& area);
  // The host's window changed size: the cycle measures the display anew.
  void hostResized(QSize size);

  const ScreenCovers* covers() const { return covers_; }
  const InputGrab* inputGrab() const { return grab_; }

  const Stage& stage() const { return stage_; }
  const MainCycle& cycle() const { return cycle_; }
  // A full-screen display holds the single-instance lock for as long as it runs.
  bool ownsDisplayLock() const { return lock_.isHeld(); }

  // Ends the display: cursor back, then the program ends (show mode) or
  // only this window closes (trial).
  void EndQuoSaver();

 signals:
  void ended();
  // Part of the picture changed (after a tick, or all of it after the background).
  void areaChanged(const QRegion& area);

 protected:
  // None while the X server draws the window: Qt then keeps no copy of it.
  QPaintEngine* paintEngine() const override;
  void paintEvent(QPaintEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  void onTick(TimerId id);
  void bgrPicLoad();
  void finish();
  void coverScreens();
  void moveTo(QScreen* screen);
  void useServerCanvas();
  // Device pixels per layout pixel of the frames: a host's window is sized in
  // device pixels already.
  qreal frameRatio() const;
  QSize deviceSize() const;
  void paintWithServer(const QRegion& area);
  // True on the first frame of a new pattern or word, whose text makes the
  // pictures of the last one stale.
  bool startsNewPatternOrWord();

  QuorlSaver& saver_;
  QtTextMetrics metrics_;
  Stage stage_;
  MainCycle cycle_;
  std::unique_ptr<QtTimerDriver> driver_;
  DisplayLock lock_;
  LabelPainter painter_;
  MouseJump mouse_;
  TiledPicture background_;
  SaveUnder saveUnder_;
  std::unique_ptr<ServerDrawnFrame> server_;  // on X; else frames are painted by Qt
  std::pair<int, int> shownCycle_;  // pattern number and word index of the last frame
  QList<QRect> lastRects_;
  const Surface surface_;
  ScreenCovers* covers_ = nullptr;
  InputGrab* grab_ = nullptr;
  bool finished_ = false;
};
