#pragma once

#include <QWidget>

// The editor's companion indicator: a fixed connector line (lnEquorl) and one
// of three marks drawn beside it: a cross (lnCM, the user's own list), a filled
// circle (shpCM, the companion's words) or a triangle (lnCtM, linked but no
// words yet).
class CompanionMark final : public QWidget {
  Q_OBJECT

 public:
  explicit CompanionMark(QWidget* parent = nullptr);

  void setMarks(bool cross, bool circle, bool triangle);
  bool crossShown() const { return cross_; }
  bool circleShown() const { return circle_; }
  bool triangleShown() const { return triangle_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  bool cross_ = false;
  bool circle_ = false;
  bool triangle_ = false;
};
