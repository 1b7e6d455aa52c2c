#pragma once

#include <QString>
#include <QWidget>

// One cell of the editor's grid: a flat label that is grey while its row
// shows an item and black while the row is empty, with a one-pixel black
// border that the overlapping rows share. It reports clicks and nothing else.
class GridCell final : public QWidget {
  Q_OBJECT

 public:
  explicit GridCell(QWidget* parent = nullptr);

  void setCaption(const QString& caption);
  QString caption() const { return caption_; }
  void setFilled(bool filled);
  bool isFilled() const { return filled_; }

 signals:
  void clicked();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  QString caption_;
  bool filled_ = true;
  bool pressed_ = false;
};
