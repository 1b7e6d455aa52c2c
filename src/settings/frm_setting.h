#pragma once

#include <QDialog>
#include <QPointer>
#include <QTimer>
#include <array>
#include <cstdint>
#include <functional>

#include "display/frm_main_dgl.h"
#include "settings/background_choice.h"
#include "settings/word_preview.h"

class QAction;
class QCheckBox;
class QFrame;
class QLabel;
class QListWidget;
class QListWidgetItem;
class QPushButton;
class QRadioButton;
class QScrollBar;
class QuorlSaver;
class UserDialogs;
class Clipboard;
class SourceMarkView;
class ElidedLabel;

// The settings dialog. Its controls write straight into the saver's settings
// in memory; only OK writes them to disk. It loads the settings when it is
// made and fills its controls on the first tick of its one-shot timer tmSet.
// Controls and menu items carry their names as object names. The dialog has
// one fixed size: long names are elided, never widen it.
class frmSetting : public QDialog {
  Q_OBJECT

 public:
  // Makes the trial display over the saver's settings in memory (not shown yet).
  using TrialStarter = std::function<frmMainDGL*(QuorlSaver& saver)>;

  frmSetting(QuorlSaver& saver, UserDialogs& dialogs, Clipboard& clipboard, TrialStarter startTrial,
             QWidget* parent = nullptr);
  ~frmSetting() override;

  // True while a tick of tmSet is due (the controls are not yet filled, or
  // the preview waits for its refresh).
  bool tmSetPending() const { return tmSet_.isActive(); }

  // The trial display while it runs.
  frmMainDGL* trialDisplay() const { return trial_; }

 public slots:
  // OK: save the settings, then close.
  void accept() override;
  // Cancel, Escape and the close box use QDialog::reject: they close without saving.

 private:
  void buildControls();
  void buildMenus();
  QWidget* buildPatternSection();
  QWidget* buildSpeedSection();
  QWidget* buildColourSection();
  QWidget* buildBackgroundSection();
  QWidget* buildWordsSection();
  QLayout* buildButtonRow();
  // Smooth motion and every monitor ([display] of Driftglyph.ini).
  QWidget* buildDisplayBoxes(QWidget* parent);
  void initialiseDisplayBoxes();

  // Handlers.
  void tmSetTick();
  void initialiseControls();
  void lstStlChanged(QListWidgetItem* item);
  void mitPTriggered(int k);
  void optQuoClick(int i);
  void mitPoTriggered(int i);
  void hscSpdChange(int value);
  void mitSTriggered(int i);
  void optCttClick(int i);
  void mitWoTriggered(int i);
  void cmdCqClick();
  void cmdCaClick();
  void cmdCttsClick();
  void cmdQuorlClick();
  void cmdBGchgClick();
  void cmdBGdfltClick();
  void cmdTryClick();
  void vscCttChange(int value);
  // The flashcard program's profile as the word source, in a dialog of its own.
  void cmdAnkiClick();

  // The word preview, its name line and source mark, rebuilt from the list.
  void wdsAssort();
  // The source mark alone.
  void quoShp();
  void setRow(int r, const WordPreview::Row& row);
  void showBackground(const BackgroundView& view);
  void chooseColour(int32_t& colour, QFrame* swatch);
  static void fillSwatch(QFrame* swatch, int32_t colour);

  QuorlSaver& saver_;
  UserDialogs& dialogs_;
  Clipboard& clipboard_;

  // False: the next tmSet tick fills every control; true: it refreshes the
  // word preview only (after the editor applied a list).
  bool refreshPreviewOnly_ = false;
  QTimer tmSet_;
  TrialStarter startTrial_;
  QPointer<frmMainDGL> trial_;

  QListWidget* lstStl_ = nullptr;
  std::array<QRadioButton*, 2> optQuo_{};
  QScrollBar* hscSpd_ = nullptr;
  QLabel* lblSpd_ = nullptr;
  QPushButton* cmdCq_ = nullptr;
  QPushButton* cmdCa_ = nullptr;
  QFrame* shpCq_ = nullptr;
  QFrame* shpCa_ = nullptr;
  std::array<QRadioButton*, 2> optCtt_{};
  QPushButton* cmdCtts_ = nullptr;
  QPushButton* cmdQuorl_ = nullptr;
  QPushButton* cmdBGchg_ = nullptr;
  QPushButton* cmdBGdflt_ = nullptr;
  QPushButton* cmdTry_ = nullptr;
  QPushButton* cmdOK_ = nullptr;
  QPushButton* cmdCcl_ = nullptr;
  QLabel* picBG_ = nullptr;
  ElidedLabel* lblBGname_ = nullptr;
  ElidedLabel* lblContents_ = nullptr;
  std::array<QLabel*, WordPreview::kRows> lblCtt_{};
  std::array<QLabel*, WordPreview::kRows> lblCttA_{};
  QScrollBar* vscCtt_ = nullptr;
  SourceMarkView* quorlMark_ = nullptr;
  QPushButton* cmdAnki_ = nullptr;
  QCheckBox* chkSmooth_ = nullptr;
  QCheckBox* chkEveryMonitor_ = nullptr;

  std::array<QAction*, 2> mitPo_{};
  std::array<QAction*, 16> mitP_{};
  std::array<QAction*, 8> mitS_{};  // 1..7; 0 unused
  QAction* mitBchange_ = nullptr;
  QAction* mitBdefault_ = nullptr;
  QAction* mitWedit_ = nullptr;
  QAction* mitWquo_ = nullptr;
  std::array<QAction*, 2> mitWo_{};
  QAction* mitCq_ = nullptr;
  QAction* mitCa_ = nullptr;
};
