#pragma once

#include <QLabel>

// The only label the dialogs use: text shown as it stands. A QLabel left to
// guess would take a word such as "<img src=…>" from a shared list as markup
// and load whatever it names.
class PlainLabel : public QLabel {
 public:
  explicit PlainLabel(const QString& text = QString(), QWidget* parent = nullptr) : QLabel(text, parent) {
    setTextFormat(Qt::PlainText);
  }
  explicit PlainLabel(QWidget* parent) : PlainLabel(QString(), parent) {}
};
