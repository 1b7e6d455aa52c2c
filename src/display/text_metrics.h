#pragma once

#include <QHash>
#include <QSize>
#include <QString>

#include "display/label_font.h"

// Measures the text of a label in its bold face at a size and style; labels
// size themselves to their text, so this gives a label's width and height.
class TextMetrics {
 public:
  virtual ~TextMetrics() = default;
  virtual QSize measure(const QString& text, const QString& face, int pointSize, bool italic) const = 0;
};

// Qt's font metrics of the bold font, cached per text, face, size and style.
class QtTextMetrics final : public TextMetrics {
 public:
  QSize measure(const QString& text, const QString& face, int pointSize, bool italic) const override;

 private:
  mutable QHash<LabelTextKey, QSize> cache_;
};
