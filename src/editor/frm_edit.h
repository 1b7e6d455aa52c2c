#pragma once

#include <QDialog>
#include <array>

#include "editor/editor_model.h"

class Clipboard;
class CompanionMark;
class GridCell;
class QAction;
class QComboBox;
class QLabel;
class QLineEdit;
class QMenu;
class QMenuBar;
class QPushButton;
class QScrollBar;
class QTimer;
class QuorlSaver;
class UserDialogs;

// The word-list editor window "Edit - Driftglyph". A thin view over
// EditorModel: it lays out the twelve-row grid (frm_edit_layout.cpp),
// forwards clicks, keys, scroll moves, typing and font picks to the model and
// redraws itself whenever the model reports a change. exec() returns
// Accepted only when OK applied a new list to the saver.
class frmEdit final : public QDialog {
  Q_OBJECT

 public:
  frmEdit(QuorlSaver& saver, UserDialogs& dialogs, Clipboard& clipboard, QWidget* parent = nullptr);

  EditorModel& model() { return model_; }
  const EditorModel& model() const { return model_; }

 public slots:
  // CANCEL, Esc and the close box all end here and ask before unsaved work is lost.
  void reject() override;
  void setVisible(bool visible) override;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // Building the window (frm_edit_layout.cpp).
  void buildControls();
  void buildClientArea(QWidget* client);
  void buildMenu();
  void buildListCommands(QWidget* client);
  void buildSearchBar(QWidget* client);
  QPushButton* makeButton(QWidget* parent, const QString& name, const QString& caption, const QString& tip,
                          const QRect& geometry);
  void fitPopupToNames(QComboBox* combo);
  // Where the grid's cell (and the edit box on it) stands, and the cells' font before any is applied.
  static QRect cellRect(int column, int row);
  static QFont designFont();

  // Redraws the window from the model.
  void refresh();
  void refreshFonts();
  void onOk();
  void onFontTick();
  void showSearchBar(bool shown);
  void runSearch();
  // Cut, copy, paste and delete on the visible edit box, through the clipboard seam.
  enum class TextCommand { Cut, Copy, Paste, Delete };
  void runTextCommand(TextCommand command);

  EditorModel model_;
  UserDialogs& dialogs_;
  Clipboard& clipboard_;

  std::array<std::array<GridCell*, GridCursor::kRows>, 2> cells_{};
  std::array<QLineEdit*, 2> txtEdit_{};
  QScrollBar* vscEdit_ = nullptr;
  QComboBox* cmbQ_ = nullptr;
  QComboBox* cmbA_ = nullptr;
  QLabel* lblEcnt_ = nullptr;
  QLineEdit* txtCname_ = nullptr;
  CompanionMark* mark_ = nullptr;
  QTimer* tmEdit_ = nullptr;
  QMenuBar* menuBar_ = nullptr;
  QMenu* mnuFile_ = nullptr;
  QMenu* mnuEdit_ = nullptr;
  QWidget* lnSch_ = nullptr;
  QLineEdit* txtSch_ = nullptr;
  QPushButton* cmdSnxt_ = nullptr;

  quint64 shownBoxSerial_ = 0;
  std::array<QString, 2> shownFonts_;
};
