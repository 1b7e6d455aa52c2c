#include "platform/qt_user_dialogs.h"

#include <QColorDialog>
#include <QFileDialog>
#include <QMessageBox>
#include <QStringList>

QString QtUserDialogs::qtFilter(const QString& commonDialogFilter) {
  const QStringList parts = commonDialogFilter.split(u'|');
  QStringList filters;
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
    QString patterns = parts.at(i + 1);
    patterns.replace(u';', u' ');
    filters.append(QStringLiteral("%1 (%2)").arg(parts.at(i), patterns));
  }
  return filters.join(QStringLiteral(";;"));
}

UserDialogs::Answer QtUserDialogs::message(const QString& text, Buttons buttons, Icon icon) {
  QMessageBox box(parent_);
  box.setWindowTitle(kMessageTitle);
  box.setText(text);
  switch (icon) {
    case Icon::None: box.setIcon(QMessageBox::NoIcon); break;
    case Icon::Information: box.setIcon(QMessageBox::Information); break;
    case Icon::Warning: box.setIcon(QMessageBox::Warning); break;
    case Icon::Question: box.setIcon(QMessageBox::Question); break;
    case Icon::Critical: box.setIcon(QMessageBox::Critical); break;
  }
  switch (buttons) {
    case Buttons::Ok: box.setStandardButtons(QMessageBox::Ok); break;
    case Buttons::YesNo: box.setStandardButtons(QMessageBox::Yes | QMessageBox::No); break;
    case Buttons::YesNoCancel:
      box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
      break;
    case Buttons::OkCancel: box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel); break;
  }
  switch (box.exec()) {
    case QMessageBox::Yes: return Answer::Yes;
    case QMessageBox::No: return Answer::No;
    case QMessageBox::Ok: return Answer::Ok;
    default: return Answer::Cancel;
  }
}

QString QtUserDialogs::openFile(const FileRequest& request) {
  QString start = request.initialFolder;
  if (!request.initialName.isEmpty())
    start = start.isEmpty() ? request.initialName : start + u'/' + request.initialName;
  return QFileDialog::getOpenFileName(parent_, request.title, start, qtFilter(request.filter));
}

QString QtUserDialogs::saveFile(const FileRequest& request) {
  QString start = request.initialFolder;
  if (!request.initialName.isEmpty())
    start = start.isEmpty() ? request.initialName : start + u'/' + request.initialName;
  // Callers ask about replacing an existing file themselves, in their own words.
  return QFileDialog::getSaveFileName(parent_, request.title, start, qtFilter(request.filter), nullptr,
                                      QFileDialog::DontConfirmOverwrite);
}

std::optional<QColor> QtUserDialogs::chooseColor(const QColor& initial) {
  const QColor chosen = QColorDialog::getColor(initial, parent_);
  if (!chosen.isValid()) return std::nullopt;
  return chosen;
}
