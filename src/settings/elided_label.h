#pragma once

#include <QLabel>

// A one-line label whose width never follows its text: the layout gives it
// the room its neighbours leave, and a text wider than that is shown elided
// in the middle ("…"), so a long file name cannot widen its window. The
// tool tip carries whatever the caller gives it, usually the whole path.
class ElidedLabel final : public QLabel {
  Q_OBJECT

 public:
  explicit ElidedLabel(QWidget* parent = nullptr);

  // The whole text; QLabel::text() is what fits.
  void setFullText(const QString& text);
  QString fullText() const { return full_; }

  QSize sizeHint() const override;
  QSize minimumSizeHint() const override;

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  void fit();

  QString full_;
};
