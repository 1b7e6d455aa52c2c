#pragma once

#include "display/label.h"
#include "display/text_metrics.h"

// Simple, exact arithmetic in place of real fonts: a character is 3/5 of the
// point size wide (italic adds nothing) and a line is 3/2 of the point size high.
class FakeTextMetrics final : public TextMetrics {
 public:
  QSize measure(const QString& text, const QString&, int pointSize, bool) const override {
    return QSize(int(text.size()) * pointSize * 3 / 5, pointSize * 3 / 2);
  }
  static int width(const QString& text, int pointSize) { return int(text.size()) * pointSize * 3 / 5; }
  static int height(int pointSize) { return pointSize * 3 / 2; }
};

// The middle of a label as the fake metrics measure it.
inline double centreX(const Label& l) { return l.left + FakeTextMetrics::width(l.caption, l.size) / 2.0; }
inline double centreY(const Label& l) { return l.top + FakeTextMetrics::height(l.size) / 2.0; }
