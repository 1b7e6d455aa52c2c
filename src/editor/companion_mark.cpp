#include "editor/companion_mark.h"

#include <QPainter>
#include <QPolygon>

CompanionMark::CompanionMark(QWidget* parent) : QWidget(parent) {
  setAttribute(Qt::WA_TransparentForMouseEvents);
}

void CompanionMark::setMarks(bool cross, bool circle, bool triangle) {
  if (cross == cross_ && circle == circle_ && triangle == triangle_) return;
  cross_ = cross;
  circle_ = circle;
  triangle_ = triangle;
  update();
}

void CompanionMark::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setRenderHint(QPainter::Antialiasing);
  const int mid = height() / 2;
  // The connector from the file-name box to the caption, always there.
  painter.setPen(QPen(Qt::darkGray, 1));
  painter.drawLine(0, mid, width() - 26, mid);

  // The mark sits in the last 22 pixels.
  const QRect box(width() - 22, mid - 9, 18, 18);
  if (circle_) {
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0x00, 0x80, 0x00));
    painter.drawEllipse(box);
  }
  if (cross_) {
    painter.setPen(QPen(QColor(0xC0, 0x00, 0x00), 2));
    painter.drawLine(box.topLeft(), box.bottomRight());
    painter.drawLine(box.topRight(), box.bottomLeft());
  }
  if (triangle_) {
    painter.setPen(QPen(QColor(0xC0, 0x80, 0x00), 2));
    painter.setBrush(Qt::NoBrush);
    const QPolygon triangle({QPoint(box.center().x(), box.top()), box.bottomRight(), box.bottomLeft()});
    painter.drawPolygon(triangle);
  }
}
