#include "desktop/qt_user_dialogs.h"

#include <QColorDialog>
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QVBoxLayout>
#include <QFileDialog>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QHeaderView>
#include <QIdentityProxyModel>
#include <QLocale>
#include <QTreeView>
#include <QGridLayout>
#include <QMessageBox>
#include <QRegularExpression>
#include <QStringList>

#include "desktop/plain_label.h"
#include "os/user_folders.h"

QString QtUserDialogs::qtFilter(const QString& commonDialogFilter) {
  // A name that lists its patterns itself ("ﾃｷｽﾄ ﾌｧｲﾙ(*.txt;*.csv)") shows
  // them once, in the form Qt reads them from.
  static const QRegularExpression ownList(QStringLiteral("\\([^()]*\\)$"));
  const QStringList parts = commonDialogFilter.split(u'|');
  QStringList filters;
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
    const QString patterns = parts.at(i + 1).split(u';', Qt::SkipEmptyParts).join(u' ');
    const QString& name = parts.at(i);
    const QRegularExpressionMatch listed = ownList.match(name);
    filters.append(listed.hasMatch() ? QStringLiteral("%1(%2)").arg(name.left(listed.capturedStart()), patterns)
                                     : QStringLiteral("%1 (%2)").arg(name, patterns));
  }
  return filters.join(QStringLiteral(";;"));
}

QString QtUserDialogs::shownText(QString text) {
  text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  text.replace(QStringLiteral("\n\r"), QStringLiteral("\n"));
  text.replace(u'\r', u'\n');
  return text;
}

int QtUserDialogs::titleRoom(const QFontMetrics& metrics) {
  // The title in a bold title font, plus the window manager's icon and
  // buttons, which take about as much again and some.
  return metrics.horizontalAdvance(kMessageTitle) * 2 + 8 * metrics.height();
}

UserDialogs::Answer QtUserDialogs::message(const QString& text, Buttons buttons, Icon icon) {
  QMessageBox box(parent_);
  box.setWindowTitle(kMessageTitle);
  // Every line ending, CR LF or LF CR, is one line break.
  box.setTextFormat(Qt::PlainText);
  box.setText(shownText(text));
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
  // A box narrower than its title bar shows the title cut; a spacer across
  // the bottom of the box's grid holds it wide enough (added last:
  // setting the icon lays the box out anew).
  if (auto* grid = qobject_cast<QGridLayout*>(box.layout()))
    grid->addItem(new QSpacerItem(titleRoom(box.fontMetrics()), 0, QSizePolicy::Minimum, QSizePolicy::Minimum),
                  grid->rowCount(), 0, 1, grid->columnCount());
  switch (box.exec()) {
    case QMessageBox::Yes: return Answer::Yes;
    case QMessageBox::No: return Answer::No;
    case QMessageBox::Ok: return Answer::Ok;
    default: return Answer::Cancel;
  }
}

namespace {

// The file dialog's dates in Japanese, like the rest of the interface,
// whatever the system's own locale.
// Qt's file dialog in Japanese where Qt's translation leaves English: the
// type column (Qt names types by the system's descriptions, in the system's
// language) as the suffix's file or a folder, and the dates.
class JapaneseColumns : public QIdentityProxyModel {
 public:
  using QIdentityProxyModel::QIdentityProxyModel;
  static constexpr int kTypeColumn = 2;  // of Qt's file system model
  static constexpr int kDateColumn = 3;

  QVariant data(const QModelIndex& index, int role) const override {
    const auto* files = qobject_cast<const QFileSystemModel*>(sourceModel());
    if (role != Qt::DisplayRole || !files) return QIdentityProxyModel::data(index, role);
    if (index.column() == kDateColumn)
      return QLocale(QLocale::Japanese, QLocale::Japan)
          .toString(files->lastModified(mapToSource(index)), QLocale::ShortFormat);
    if (index.column() == kTypeColumn) {
      const QFileInfo file = files->fileInfo(mapToSource(index));
      if (file.isDir()) return QStringLiteral("ﾌｫﾙﾀﾞ");
      return file.suffix().isEmpty() ? QStringLiteral("ﾌｧｲﾙ") : file.suffix().toUpper() + QStringLiteral(" ﾌｧｲﾙ");
    }
    return QIdentityProxyModel::data(index, role);
  }
};

}  // namespace

QString QtUserDialogs::runFileDialog(const FileRequest& request, bool save) {
  // Never the working folder or the last one Qt saw (after a chooser at "/", "/" again).
  QString start = QFileInfo(request.initialFolder).isDir() ? request.initialFolder : UserFolders::documents();
  if (!request.initialName.isEmpty()) start += u'/' + request.initialName;
  QFileDialog dialog(parent_, request.title, start, qtFilter(request.filter));
  dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
  // Callers ask about replacing an existing file themselves, in their own words.
  dialog.setOption(QFileDialog::DontConfirmOverwrite);
#ifndef Q_OS_WIN
  // Qt's own dialog (Windows' is already in the system's language): its
  // types and dates in Japanese, and the size, type and date columns wide enough to
  // show them whole.
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  dialog.setProxyModel(new JapaneseColumns(&dialog));
  if (auto* details = dialog.findChild<QTreeView*>())
    for (int column = 1; column <= JapaneseColumns::kDateColumn; ++column)
      details->header()->setSectionResizeMode(column, QHeaderView::ResizeToContents);
#endif
  if (!request.note.isEmpty()) {
    // Under the chooser's own controls, across them.
    if (auto* grid = qobject_cast<QGridLayout*>(dialog.layout())) {
      auto* note = new PlainLabel(request.note, &dialog);
      note->setWordWrap(true);
      grid->addWidget(note, grid->rowCount(), 0, 1, grid->columnCount());
    }
  }
  if (dialog.exec() != QDialog::Accepted) return QString();
  return dialog.selectedFiles().value(0);
}

QString QtUserDialogs::openFile(const FileRequest& request) { return runFileDialog(request, false); }

QString QtUserDialogs::saveFile(const FileRequest& request) { return runFileDialog(request, true); }

std::optional<QColor> QtUserDialogs::chooseColor(const QColor& initial) {
  const QColor chosen = QColorDialog::getColor(initial, parent_);
  if (!chosen.isValid()) return std::nullopt;
  return chosen;
}

std::optional<QList<int>> QtUserDialogs::choose(const QString& text, const QList<Choice>& choices) {
  QDialog dialog(parent_);
  dialog.setWindowTitle(kMessageTitle);
  auto* layout = new QVBoxLayout(&dialog);
  layout->addWidget(new PlainLabel(shownText(text), &dialog));
  auto* form = new QFormLayout;
  QList<QComboBox*> lists;
  for (const Choice& choice : choices) {
    auto* list = new QComboBox(&dialog);
    list->addItems(choice.items);  // items are plain text: a combo box shows no markup
    list->setCurrentIndex(choice.selected);
    form->addRow(new PlainLabel(choice.label, &dialog), list);  // a field name from a deck is text, not markup
    lists.append(list);
  }
  layout->addLayout(form);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
  QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
  QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
  layout->addWidget(buttons);
  dialog.setMinimumWidth(titleRoom(dialog.fontMetrics()));
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  QList<int> picked;
  for (const QComboBox* list : lists) picked.append(list->currentIndex());
  return picked;
}
