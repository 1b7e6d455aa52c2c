#pragma once

#include <QString>
#include <cstdint>

// One word label of the display. Its width and height follow its text and
// font (see TextMetrics); patterns change only position, size, visibility and
// italic style. Positions are in display pixels; left and top may hold
// fractions where a pattern places a label half way between pixels.
struct Label {
  QString caption;
  QString face;
  int size = 24;          // points
  bool italic = false;
  uint32_t color = 0;     // 0x00BBGGRR
  double left = 0;
  double top = 0;
  bool visible = false;

  bool operator==(const Label&) const = default;
};
