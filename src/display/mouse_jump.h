#pragma once

#include <QPointF>

// Tells a deliberate mouse movement from jitter: where the pointer entered
// the window, or else the first move, is only recorded; a later move more
// than 16 pixels away in x or y from the last recorded position ends the
// display. (Wayland tells a window where the pointer is only when it enters,
// so without the entry the first real jump would only be recorded.)
class MouseJump {
 public:
  static constexpr double kThreshold = 16;

  // True when this move should end the display.
  bool moved(QPointF position);
  // The pointer entered the window at `position`: the new reference. Moves
  // on the way there were seen by the window it came from.
  void entered(QPointF position);

 private:
  bool recorded_ = false;
  QPointF last_;
};
