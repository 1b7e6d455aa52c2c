#include "display/mouse_jump.h"

#include <cmath>

bool MouseJump::moved(QPointF position) {
  if (recorded_ && (std::abs(position.x() - last_.x()) > kThreshold ||
                    std::abs(position.y() - last_.y()) > kThreshold))
    return true;
  last_ = position;
  recorded_ = true;
  return false;
}

void MouseJump::entered(QPointF position) {
  last_ = position;
  recorded_ = true;
}
