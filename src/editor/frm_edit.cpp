#include "editor/frm_edit.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QFontDatabase>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QTimer>

#include "editor/companion_mark.h"
#include "editor/editor_texts.h"
#include "editor/grid_cell.h"
#include "desktop/clipboard.h"
#include "desktop/fixed_dialog.h"
#include "desktop/input_method.h"
#include "desktop/user_dialogs.h"
#include "startup/word_list.h"

frmEdit::frmEdit(QuorlSaver& saver, UserDialogs& dialogs, Clipboard& clipboard, QWidget* parent)
    : QDialog(parent), model_(saver, dialogs), dialogs_(dialogs), clipboard_(clipboard) {
  setObjectName(QStringLiteral("frmEdit"));
  setWindowTitle(EditorTexts::kWindowTitle);
  setModal(true);
  buildControls();
  makeFixedDialog(*this);

  model_.load(QFontDatabase::families());
  {
    const QSignalBlocker blockQ(cmbQ_);
    const QSignalBlocker blockA(cmbA_);
    cmbQ_->addItems(model_.fonts().fontList());
    cmbA_->addItems(model_.fonts().fontList());
  }
  fitPopupToNames(cmbQ_);
  fitPopupToNames(cmbA_);
  refresh();
  // From here on every action of the model redraws the window once.
  connect(&model_, &EditorModel::changed, this, &frmEdit::refresh);

  tmEdit_ = new QTimer(this);
  tmEdit_->setObjectName(QStringLiteral("tmEdit"));
  tmEdit_->setInterval(300);
  connect(tmEdit_, &QTimer::timeout, this, &frmEdit::onFontTick);
  tmEdit_->start();
}

void frmEdit::showSearchBar(bool shown) {
  lnSch_->setVisible(shown);
  txtSch_->setVisible(shown);
  cmdSnxt_->setVisible(shown);
  if (!shown) return;
  // A second of blue draws the eye to the box, without holding up the window.
  txtSch_->setStyleSheet(QStringLiteral("QLineEdit { background: #0000FF; }"));
  QTimer::singleShot(1000, txtSch_, [this] {
    txtSch_->setStyleSheet(QString());
    if (txtSch_->isVisible()) txtSch_->setFocus(Qt::OtherFocusReason);
  });
}

void frmEdit::runSearch() {
  const std::optional<SearchMatch> match = model_.findNext(txtSch_->text());
  if (!match) return;
  QLineEdit* box = txtEdit_[match->column];
  box->setSelection(match->start, match->length);
  box->setFocus(Qt::OtherFocusReason);
}

void frmEdit::runTextCommand(TextCommand command) {
  const int column = model_.grid().boxColumn();
  if (column < 0) return;
  QLineEdit* box = txtEdit_[column];
  EditBoxText edit;
  edit.text = box->text();
  edit.selectionStart = box->hasSelectedText() ? box->selectionStart() : box->cursorPosition();
  edit.selectionLength = int(box->selectedText().size());
  switch (command) {
    case TextCommand::Cut: TextCommands::cut(edit, clipboard_); break;
    case TextCommand::Copy: TextCommands::copy(edit, clipboard_); break;
    case TextCommand::Paste: TextCommands::paste(edit, clipboard_); break;
    case TextCommand::Delete: TextCommands::deleteSelection(edit); break;
  }
  if (edit.text != box->text()) {
    box->setText(edit.text);
    box->setCursorPosition(edit.selectionStart);
  }
  box->setFocus(Qt::OtherFocusReason);
}

void frmEdit::refresh() {
  const GridCursor& grid = model_.grid();
  const WordListDocument& document = model_.document();
  for (int column = 0; column < 2; ++column) {
    for (int row = 0; row < GridCursor::kRows; ++row) {
      cells_[column][row]->setFilled(grid.rowFilled(row));
      cells_[column][row]->setCaption(grid.caption(column, row));
    }
  }

  const int boxColumn = grid.boxColumn();
  for (int column = 0; column < 2; ++column) {
    QLineEdit* box = txtEdit_[column];
    if (column != boxColumn) {
      box->hide();
      continue;
    }
    box->setGeometry(cellRect(column, grid.boxRow()));
    if (grid.boxSerial() != shownBoxSerial_) {
      const QSignalBlocker block(box);
      box->setText(grid.boxText(column));
      box->setCursorPosition(0);
    }
    box->show();
  }
  shownBoxSerial_ = grid.boxSerial();

  {
    const QSignalBlocker block(vscEdit_);
    vscEdit_->setRange(0, grid.scrollMaximum());
    vscEdit_->setValue(grid.scrollValue());
    vscEdit_->setEnabled(grid.scrollEnabled());
  }
  lblEcnt_->setText(grid.countCaption());
  txtCname_->setText(document.nameBox());
  mark_->setMarks(document.crossShown(), document.circleShown(), document.triangleShown());

  const std::array<QComboBox*, 2> combos{cmbQ_, cmbA_};
  for (int column = 0; column < 2; ++column) {
    const FontChoice& choice = model_.fonts().font(column);
    QComboBox* combo = combos[column];
    if (combo->currentText() == choice.text && combo->currentIndex() == choice.index) continue;
    const QSignalBlocker block(combo);
    combo->setCurrentIndex(choice.index);
    combo->setEditText(choice.text);
  }

  refreshFonts();
  const int focus = model_.takeFocusRequest();
  if (focus >= 0) txtEdit_[focus]->setFocus(Qt::OtherFocusReason);
}

void frmEdit::refreshFonts() {
  for (int column = 0; column < 2; ++column) {
    const FontChoice& choice = model_.fonts().font(column);
    if (choice.appliedName == shownFonts_[column]) continue;
    shownFonts_[column] = choice.appliedName;
    QFont font = designFont();
    if (!choice.appliedName.isEmpty()) font.setFamilies({choice.appliedName, kFallbackListFont});
    for (GridCell* cell : cells_[column]) cell->setFont(font);
    QLineEdit* box = txtEdit_[column];
    box->setFont(font);
    // Japanese faces ask the input method for kana input; others leave it as the user set it.
    InputMethod::preferHiragana(*box, choice.inputMode == kInputHiragana);
  }
}

void frmEdit::onFontTick() {
  if (model_.fontTick()) refreshFonts();
}

void frmEdit::onOk() {
  switch (model_.ok()) {
    case EditorModel::OkOutcome::Applied:
      done(QDialog::Accepted);
      break;
    case EditorModel::OkOutcome::Discarded:
      done(QDialog::Rejected);
      break;
    case EditorModel::OkOutcome::StayOpen:
      break;
  }
}

void frmEdit::reject() {
  if (model_.mayClose()) QDialog::reject();
}

void frmEdit::setVisible(bool visible) {
  QDialog::setVisible(visible);
  const int column = model_.grid().boxColumn();
  if (!visible || column < 0) return;
  // The first cell opens with the caret after its text, as a click leaves it.
  // Showing a dialog hands its focus widget a Tab focus, which selects the
  // whole text, so that the first key press would wipe the word: undo that
  // after the dialog has done it.
  QLineEdit* box = txtEdit_[column];
  box->setFocus(Qt::ActiveWindowFocusReason);
  box->deselect();
  box->end(false);
}

bool frmEdit::eventFilter(QObject* watched, QEvent* event) {
  // The wheel over the grid (its cells and the edit box) scrolls it as over its scroll bar.
  if (event->type() == QEvent::Wheel && watched != txtSch_ && vscEdit_->isEnabled()) {
    QCoreApplication::sendEvent(vscEdit_, event);
    return true;
  }
  if (event->type() != QEvent::KeyPress) return QDialog::eventFilter(watched, event);
  auto* key = static_cast<QKeyEvent*>(event);
  if (watched == txtSch_) {
    if (key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter) return QDialog::eventFilter(watched, event);
    runSearch();
    return true;
  }
  const int column = watched == txtEdit_[0] ? 0 : watched == txtEdit_[1] ? 1 : -1;
  if (column < 0) return QDialog::eventFilter(watched, event);

  // The box's own clipboard keys do what the edit menu does.
  const std::array<std::pair<QKeySequence::StandardKey, TextCommand>, 3> clipboardKeys{{
      {QKeySequence::Cut, TextCommand::Cut},
      {QKeySequence::Copy, TextCommand::Copy},
      {QKeySequence::Paste, TextCommand::Paste},
  }};
  for (const auto& [sequence, command] : clipboardKeys) {
    if (!key->matches(sequence)) continue;
    runTextCommand(command);
    return true;
  }

  GridCursor::NavKey nav;
  switch (key->key()) {
    case Qt::Key_Down: nav = GridCursor::NavKey::Down; break;
    case Qt::Key_Return:
    case Qt::Key_Enter: nav = GridCursor::NavKey::Enter; break;
    case Qt::Key_Up: nav = GridCursor::NavKey::Up; break;
    case Qt::Key_Left: nav = GridCursor::NavKey::Left; break;
    case Qt::Key_Right: nav = GridCursor::NavKey::Right; break;
    default: return QDialog::eventFilter(watched, event);
  }
  QLineEdit* box = txtEdit_[column];
  const int caret = box->hasSelectedText() ? box->selectionStart() : box->cursorPosition();
  const quint64 before = model_.grid().boxSerial();
  model_.keyDown(column, nav, caret);
  const bool moved = model_.grid().boxSerial() != before;
  // A key that moved the cell is spent. Left and Right that did not move it
  // move the caret; Up, Down and Enter mean nothing more to a one-line box
  // (and Enter must never reach the dialog's buttons).
  return moved || (nav != GridCursor::NavKey::Left && nav != GridCursor::NavKey::Right);
}
