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
#include "display/stage.h"
#include "display/text_metrics.h"
#include "platform/display_lock.h"

class QuorlSaver;
class QtTimerDriver;

// The display window: black, frameless, top-most, covering the primary
// screen without a cursor, the words animating over the tiled background.
// Any key, click or mouse jump ends it: the program in show mode, only this
// window when it runs as a trial for the settings dialog. It deletes itself
// when closed.
class frmMainDGL : public QWidget {
  Q_OBJECT

 public:
  frmMainDGL(QuorlSaver& saver, const PatternCatalog& patterns, QWidget* parent = nullptr);
  ~frmMainDGL() override;

  // Loads (settings from disk only in show mode), covers the screen, hides
  // the cursor and starts the main cycle.
  void showSaver();

  const Stage& stage() const { return stage_; }
  const MainCycle& cycle() const { return cycle_; }

  // Ends the display: cursor back, then the program ends (show mode) or
  // only this window closes (trial).
  void EndQuoSaver();

 signals:
  void ended();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  void onTick(TimerId id);
  void bgrPicLoad();
  QImage* bufferImage();
  void finish();

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
  std::pair<int, int> shownCycle_;  // pattern number and word index of the last frame
  QList<QRect> lastRects_;
  bool finished_ = false;
};
