#include "settings/frm_setting.h"

#include <QAction>
#include <QCheckBox>
#include <QFrame>
#include <QLabel>
#include <QListWidget>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>

#include "desktop/clipboard.h"
#include "desktop/fixed_dialog.h"
#include "desktop/user_dialogs.h"
#include "display/bgr_color.h"
#include "display/picture_file.h"
#include "editor/editor_texts.h"
#include "editor/frm_edit.h"
#include "settings/anki_link_dialog.h"
#include "settings/companion_sync.h"
#include "settings/elided_label.h"
#include "settings/source_mark_view.h"
#include "startup/extra_settings.h"
#include "startup/quorl_saver.h"
#include "settings/settings_texts.h"

namespace {

// Order settings hold 0 or 1; anything else counts as "in order".
int orderIndex(uint8_t order) { return order == 0 ? 0 : 1; }

}  // namespace

frmSetting::frmSetting(QuorlSaver& saver, UserDialogs& dialogs, Clipboard& clipboard, TrialStarter startTrial,
                       QWidget* parent)
    : QDialog(parent), saver_(saver), dialogs_(dialogs), clipboard_(clipboard), startTrial_(std::move(startTrial)) {
  setObjectName(QStringLiteral("frmSetting"));
  setWindowTitle(QStringLiteral("Driftglyph 設定"));
  buildControls();
  makeFixedDialog(*this);

  connect(lstStl_, &QListWidget::itemChanged, this, &frmSetting::lstStlChanged);
  for (int i = 0; i < 2; ++i) {
    connect(optQuo_[i], &QRadioButton::clicked, this, [this, i] { optQuoClick(i); });
    connect(mitPo_[i], &QAction::triggered, this, [this, i] { mitPoTriggered(i); });
    connect(optCtt_[i], &QRadioButton::clicked, this, [this, i] { optCttClick(i); });
    connect(mitWo_[i], &QAction::triggered, this, [this, i] { mitWoTriggered(i); });
  }
  for (int k = 0; k < 16; ++k) connect(mitP_[k], &QAction::triggered, this, [this, k] { mitPTriggered(k); });
  connect(hscSpd_, &QScrollBar::valueChanged, this, &frmSetting::hscSpdChange);
  for (int i = 1; i <= 7; ++i) connect(mitS_[i], &QAction::triggered, this, [this, i] { mitSTriggered(i); });
  connect(vscCtt_, &QScrollBar::valueChanged, this, &frmSetting::vscCttChange);

  // The menu items repeat their buttons.
  connect(cmdCq_, &QPushButton::clicked, this, &frmSetting::cmdCqClick);
  connect(mitCq_, &QAction::triggered, this, &frmSetting::cmdCqClick);
  connect(cmdCa_, &QPushButton::clicked, this, &frmSetting::cmdCaClick);
  connect(mitCa_, &QAction::triggered, this, &frmSetting::cmdCaClick);
  connect(cmdCtts_, &QPushButton::clicked, this, &frmSetting::cmdCttsClick);
  connect(mitWedit_, &QAction::triggered, this, &frmSetting::cmdCttsClick);
  connect(cmdQuorl_, &QPushButton::clicked, this, &frmSetting::cmdQuorlClick);
  connect(mitWquo_, &QAction::triggered, this, &frmSetting::cmdQuorlClick);
  connect(cmdAnki_, &QPushButton::clicked, this, &frmSetting::cmdAnkiClick);
  connect(cmdBGchg_, &QPushButton::clicked, this, &frmSetting::cmdBGchgClick);
  connect(mitBchange_, &QAction::triggered, this, &frmSetting::cmdBGchgClick);
  connect(cmdBGdflt_, &QPushButton::clicked, this, &frmSetting::cmdBGdfltClick);
  connect(mitBdefault_, &QAction::triggered, this, &frmSetting::cmdBGdfltClick);
  connect(cmdTry_, &QPushButton::clicked, this, &frmSetting::cmdTryClick);
  connect(cmdOK_, &QPushButton::clicked, this, &frmSetting::accept);
  connect(cmdCcl_, &QPushButton::clicked, this, &frmSetting::reject);

  tmSet_.setSingleShot(true);
  tmSet_.setInterval(1);
  connect(&tmSet_, &QTimer::timeout, this, &frmSetting::tmSetTick);

  // Load. (The system's display-properties window, which the dialog keeps
  // disabled on Windows while it is open, has no counterpart here.)
  saver_.load();
  refreshPreviewOnly_ = false;
  tmSet_.start();
}

frmSetting::~frmSetting() {
  if (trial_) trial_->close();
}

void frmSetting::accept() {
  QString error;
  // The dialog owns the display's two boxes; the link's choices and the
  // remembered note fields were saved by their own dialogs meanwhile.
  ExtraSettings extra = ExtraSettingsFile::load(saver_.homeFolder());
  extra.smooth = saver_.extra.smooth;
  extra.everyMonitor = saver_.extra.everyMonitor;
  if (!saver_.save(&error) || !ExtraSettingsFile::save(saver_.homeFolder(), extra, &error)) {
    dialogs_.message(SettingsTexts::kSaveFailed + error, UserDialogs::Buttons::Ok,
                     UserDialogs::Icon::Warning);
    return;
  }
  QDialog::accept();
}

void frmSetting::tmSetTick() {
  if (refreshPreviewOnly_)
    wdsAssort();
  else
    initialiseControls();
  tmSet_.stop();
}

void frmSetting::initialiseControls() {
  const SaverSettings& s = saver_.settings;
  for (int k = 0; k < 16; ++k) {
    if (s.patternExcluded[k] != 0) continue;
    lstStl_->item(k)->setCheckState(Qt::Checked);
    mitP_[k]->setChecked(true);
  }
  const int patternOrder = orderIndex(s.patternOrder);
  optQuo_[patternOrder]->setChecked(true);
  mitPo_[patternOrder]->setChecked(true);

  lblSpd_->setText(QString::number(s.speed));
  hscSpd_->setValue(s.speed);
  hscSpdChange(hscSpd_->value());

  showBackground(BackgroundChoice::initial(saver_));

  initialiseDisplayBoxes();
  fillSwatch(shpCq_, s.questionColor);
  fillSwatch(shpCa_, s.answerColor);

  const int wordOrder = orderIndex(s.wordOrder);
  optCtt_[wordOrder]->setChecked(true);
  mitWo_[wordOrder]->setChecked(true);

  wdsAssort();
  // The saver shows the first 32767 pairs of a longer list; the user hears of the rest.
  if (const QString leftOut = EditorTexts::leftOutMessage(saver_.words.leftOut, saver_.words.count(), true);
      !leftOut.isEmpty())
    dialogs_.message(leftOut);
}

void frmSetting::lstStlChanged(QListWidgetItem* item) {
  const int k = lstStl_->row(item);
  if (k < 0 || k >= 16) return;
  const bool ticked = item->checkState() == Qt::Checked;
  saver_.settings.patternExcluded[k] = ticked ? 0 : 1;
  mitP_[k]->setChecked(ticked);
}

void frmSetting::mitPTriggered(int k) {
  QListWidgetItem* item = lstStl_->item(k);
  item->setCheckState(item->checkState() == Qt::Checked ? Qt::Unchecked : Qt::Checked);
}

void frmSetting::optQuoClick(int i) {
  saver_.settings.patternOrder = uint8_t(i);
  mitPo_[i]->setChecked(true);
  mitPo_[1 - i]->setChecked(false);
}

void frmSetting::mitPoTriggered(int i) {
  optQuo_[i]->setChecked(true);
  optQuoClick(i);
}

void frmSetting::hscSpdChange(int value) {
  saver_.settings.speed = uint8_t(value);
  lblSpd_->setText(QString::number(value));
  for (int i = 1; i <= 7; ++i) mitS_[i]->setChecked(i == value);
}

void frmSetting::mitSTriggered(int i) {
  if (hscSpd_->value() != i)
    hscSpd_->setValue(i);  // runs the bar's change handler
  else
    hscSpdChange(i);  // the menu unticked the item it came from: tick it again
}

void frmSetting::optCttClick(int i) {
  saver_.settings.wordOrder = uint8_t(i);
  mitWo_[i]->setChecked(true);
  mitWo_[1 - i]->setChecked(false);
}

void frmSetting::mitWoTriggered(int i) {
  optCtt_[i]->setChecked(true);
  optCttClick(i);
}

void frmSetting::chooseColour(int32_t& colour, QFrame* swatch) {
  const std::optional<QColor> chosen = dialogs_.chooseColor(BgrColor::toQColor(colour));
  if (!chosen) return;
  colour = BgrColor::fromQColor(*chosen);
  fillSwatch(swatch, colour);
}

void frmSetting::cmdCqClick() { chooseColour(saver_.settings.questionColor, shpCq_); }

void frmSetting::cmdCaClick() { chooseColour(saver_.settings.answerColor, shpCa_); }

void frmSetting::fillSwatch(QFrame* swatch, int32_t colour) {
  QPalette palette = swatch->palette();
  palette.setColor(QPalette::Window, BgrColor::toQColor(colour));
  swatch->setPalette(palette);
}

void frmSetting::cmdCttsClick() {
  refreshPreviewOnly_ = false;
  frmEdit editor(saver_, dialogs_, clipboard_, this);
  if (editor.exec() != QDialog::Accepted) return;
  // The editor applied a new list: redraw the preview on the next tick.
  refreshPreviewOnly_ = true;
  tmSet_.start();
}

void frmSetting::cmdQuorlClick() {
  switch (CompanionSync::run(saver_, dialogs_)) {
    case CompanionSync::Outcome::Unchanged: break;
    case CompanionSync::Outcome::MarkChanged: quoShp(); break;
    case CompanionSync::Outcome::WordsChanged: wdsAssort(); break;
  }
}

void frmSetting::cmdAnkiClick() {
  AnkiLinkDialog dialog(saver_, dialogs_, this);
  if (dialog.exec() == QDialog::Accepted) wdsAssort();
}

void frmSetting::cmdBGchgClick() {
  if (const std::optional<BackgroundView> view = BackgroundChoice::change(saver_, dialogs_))
    showBackground(*view);
}

void frmSetting::cmdBGdfltClick() { showBackground(BackgroundChoice::restoreDefault(saver_)); }

void frmSetting::showBackground(const BackgroundView& view) {
  QPixmap picture;
  if (!view.picturePath.isEmpty()) {
    PictureFile file(view.picturePath);
    picture = QPixmap::fromImageReader(&file.reader());
  }
  if (picture.isNull())
    picBG_->clear();
  else
    picBG_->setPixmap(picture);
  lblBGname_->setFullText(view.name);
  lblBGname_->setToolTip(view.name == kDefaultWord ? SettingsTexts::kBackgroundNameTip
                                                    : SettingsTexts::kBackgroundNameTip + u'\n' + view.picturePath);
  // The menu item follows its button, so it is usable whenever the button is.
  cmdBGdflt_->setEnabled(view.defaultEnabled);
  mitBdefault_->setEnabled(view.defaultEnabled);
}

void frmSetting::initialiseDisplayBoxes() {
  chkSmooth_->setChecked(saver_.extra.smooth);
  chkEveryMonitor_->setChecked(saver_.extra.everyMonitor);
}

void frmSetting::cmdTryClick() {
  if (trial_) return;  // one trial at a time
  // The trial shows the settings in memory, saved or not.
  trial_ = startTrial_(saver_);
  connect(trial_, &frmMainDGL::ended, this, [this] { activateWindow(); });
  trial_->showSaver();
}

void frmSetting::wdsAssort() {
  const WordPreview::View view = WordPreview::assort(saver_);
  vscCtt_->blockSignals(true);
  vscCtt_->setRange(0, view.scrollMaximum);
  vscCtt_->setValue(0);
  vscCtt_->blockSignals(false);
  vscCtt_->setEnabled(view.scrollEnabled);
  vscCtt_->setPageStep(WordPreview::kRows);

  QFont questionFont(view.questionFont);
  questionFont.setPointSize(10);
  QFont answerFont(view.answerFont);
  answerFont.setPointSize(10);
  for (int r = 0; r < WordPreview::kRows; ++r) {
    lblCtt_[r]->setFont(questionFont);
    lblCttA_[r]->setFont(answerFont);
    setRow(r, view.rows[r]);
  }
  quorlMark_->setState(view.source);
  lblContents_->setFullText(view.nameLine);
  lblContents_->setToolTip(view.namePath);
}

void frmSetting::quoShp() {
  quorlMark_->setState(WordPreview::sourceMark(saver_.settings, saver_.companionState));
}

void frmSetting::vscCttChange(int value) {
  const auto rows = WordPreview::scrolled(saver_.words, value);
  for (int r = 0; r < WordPreview::kRows; ++r)
    if (rows[r]) setRow(r, *rows[r]);
}

void frmSetting::setRow(int r, const WordPreview::Row& row) {
  // A filled row has the normal white background back, even after a shorter
  // list blanked it.
  for (QLabel* label : {lblCtt_[r], lblCttA_[r]}) {
    QPalette palette = label->palette();
    palette.setColor(QPalette::Window, row.filled ? Qt::white : Qt::black);
    palette.setColor(QPalette::WindowText, Qt::black);
    label->setPalette(palette);
  }
  lblCtt_[r]->setText(row.question);
  lblCttA_[r]->setText(row.answer);
}
