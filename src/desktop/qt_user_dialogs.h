#pragma once

#include <QFontMetrics>
#include <QPointer>
#include <QWidget>

#include "desktop/user_dialogs.h"

// The real dialogs: QMessageBox, QFileDialog and QColorDialog over `parent`.
class QtUserDialogs final : public UserDialogs {
 public:
  explicit QtUserDialogs(QWidget* parent = nullptr) : parent_(parent) {}
  void setParent(QWidget* parent) { parent_ = parent; }

  Answer message(const QString& text, Buttons buttons, Icon icon) override;
  QString openFile(const FileRequest& request) override;
  QString saveFile(const FileRequest& request) override;
  std::optional<QColor> chooseColor(const QColor& initial) override;
  std::optional<QList<int>> choose(const QString& text, const QList<Choice>& choices) override;

  // "Text files|*.txt|All|*.*" becomes "Text files (*.txt);;All (*.*)";
  // "Lists(*.txt;*.csv)|*.txt;*.csv" becomes "Lists(*.txt *.csv)".
  static QString qtFilter(const QString& commonDialogFilter);
  // A message as the box shows it: CR LF, LF CR and a lone CR are each one line break.
  static QString shownText(QString text);
  // The least width of a message box whose title, "Driftglyph", shows whole.
  static int titleRoom(const QFontMetrics& metrics);

 private:
  QString runFileDialog(const FileRequest& request, bool save);

  QPointer<QWidget> parent_;
};
