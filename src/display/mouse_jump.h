#pragma once

#include <QPointF>

// Tells a deliberate mouse movement from jitter: the first event only records
// the position; a later event more than 16 pixels away in x or y from the last
// recorded one ends the display.
class MouseJump {
 public:
  static constexpr double kThreshold = 16;

  // True when this move should end the display.
  bool moved(QPointF position);

 private:
  bool recorded_ = false;
  QPointF last_;
};
