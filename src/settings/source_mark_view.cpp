#include "settings/source_mark_view.h"

#include <QPainter>
#include <QPolygonF>

SourceMarkView::SourceMarkView(QWidget* parent) : QWidget(parent) {
  setMinimumSize(32, 36);
}

void SourceMarkView::setState(const SourceMarkState& state) {
  if (state == state_) return;
  state_ = state;
  update();
}

void SourceMarkView::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setRenderHint(QPainter::Antialiasing);
  const QPointF centre(width() / 2.0, height() / 2.0);
  const qreal r = qMin(width(), height()) / 2.0 - 5;

  if (state_.connector) {  // lnQuorl
    painter.setPen(QPen(QColor(0, 0, 128), 2));
    painter.drawLine(QPointF(centre.x(), 0), QPointF(centre.x(), height()));
  }
  switch (state_.mark) {
    case SourceMark::None:
      break;
    case SourceMark::Cross:  // lnCM(0), lnCM(1)
      painter.setPen(QPen(QColor(200, 0, 0), 3));
      painter.drawLine(centre + QPointF(-r, -r), centre + QPointF(r, r));
      painter.drawLine(centre + QPointF(-r, r), centre + QPointF(r, -r));
      break;
    case SourceMark::Circle:  // shpCM
      painter.setPen(QPen(QColor(0, 128, 0), 3));
      painter.setBrush(palette().window());
      painter.drawEllipse(centre, r, r);
      break;
    case SourceMark::Triangle: {  // lnCtM(0..2)
      painter.setPen(QPen(QColor(200, 120, 0), 3));
      painter.setBrush(palette().window());
      const QPolygonF triangle{centre + QPointF(0, -r), centre + QPointF(r, r * 0.8), centre + QPointF(-r, r * 0.8)};
      painter.drawPolygon(triangle);
      break;
    }
  }
}
