#include "editor/grid_cell.h"

#include <QMouseEvent>
#include <QPainter>

namespace {
const QColor kFilledColor(0xE0, 0xE0, 0xE0);
}

GridCell::GridCell(QWidget* parent) : QWidget(parent) { setAttribute(Qt::WA_OpaquePaintEvent); }

void GridCell::setCaption(const QString& caption) {
  if (caption == caption_) return;
  caption_ = caption;
  update();
}

void GridCell::setFilled(bool filled) {
  if (filled == filled_) return;
  filled_ = filled;
  update();
}

void GridCell::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), filled_ ? kFilledColor : Qt::black);
  painter.setPen(Qt::black);
  painter.drawRect(rect().adjusted(0, 0, -1, -1));
  // The text is always black, so an empty row hides whatever caption it kept.
  painter.setFont(font());
  painter.drawText(rect().adjusted(3, 1, -2, -1), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                   caption_);
}

void GridCell::mousePressEvent(QMouseEvent* event) {
  pressed_ = event->button() == Qt::LeftButton;
  event->accept();
}

void GridCell::mouseReleaseEvent(QMouseEvent* event) {
  const bool click = pressed_ && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint());
  pressed_ = false;
  event->accept();
  if (click) emit clicked();
}
