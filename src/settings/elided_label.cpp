#include "settings/elided_label.h"

#include <QResizeEvent>

ElidedLabel::ElidedLabel(QWidget* parent) : QLabel(parent) {
  setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
  setTextFormat(Qt::PlainText);
}

void ElidedLabel::setFullText(const QString& text) {
  full_ = text;
  fit();
}

QSize ElidedLabel::sizeHint() const {
  // One line of the label's font high; no width of its own.
  const QMargins margins = contentsMargins();
  return QSize(0, fontMetrics().height() + margins.top() + margins.bottom() + 2 * margin());
}

QSize ElidedLabel::minimumSizeHint() const { return sizeHint(); }

void ElidedLabel::resizeEvent(QResizeEvent* event) {
  QLabel::resizeEvent(event);
  fit();
}

void ElidedLabel::fit() {
  const int room = contentsRect().width();
  QLabel::setText(fontMetrics().horizontalAdvance(full_) <= room
                      ? full_
                      : fontMetrics().elidedText(full_, Qt::ElideMiddle, room));
}
