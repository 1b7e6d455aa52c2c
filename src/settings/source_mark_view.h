#pragma once

#include <QWidget>

#include "settings/word_preview.h"

// The source mark: a vertical connector from the companion button down to the
// words, with a cross, a circle or a triangle on it.
class SourceMarkView : public QWidget {
  Q_OBJECT

 public:
  explicit SourceMarkView(QWidget* parent = nullptr);

  void setState(const SourceMarkState& state);
  const SourceMarkState& state() const { return state_; }

  QSize sizeHint() const override { return QSize(40, 44); }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  SourceMarkState state_;
};
