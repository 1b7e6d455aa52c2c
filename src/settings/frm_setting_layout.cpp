// Building the settings dialog's controls and menus.
#include <QAction>
#include <QCheckBox>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QVBoxLayout>

#include "anki/anki_package.h"
#include "desktop/plain_label.h"
#include "patterns/pattern.h"
#include "settings/elided_label.h"
#include "settings/frm_setting.h"
#include "settings/source_mark_view.h"
#include "startup/quorl_saver.h"
#include "settings/settings_texts.h"

namespace {

// The Speed menu; items 2 to 6 hold five spaces between digit and sign.
constexpr std::array<const char16_t*, 7> kSpeedItems{
    u"1 LOW 遅い", u"2     ｜", u"3     ｜", u"4     ｜", u"5     ｜", u"6     ↓", u"7 HIGH 速い"};

QString str(const char16_t* text) { return QString::fromUtf16(text); }

void makeBold(QWidget* widget) {
  QFont font = widget->font();
  font.setBold(true);
  widget->setFont(font);
}

QLabel* sectionTitle(const QString& text, QWidget* parent) {
  auto* label = new PlainLabel(text, parent);
  makeBold(label);
  return label;
}

QFrame* sectionFrame(QWidget* parent) {
  auto* frame = new QFrame(parent);
  frame->setFrameShape(QFrame::StyledPanel);
  return frame;
}

QPushButton* button(const QString& name, const QString& caption, const QString& tip, QWidget* parent) {
  auto* b = new QPushButton(caption, parent);
  b->setObjectName(name);
  b->setToolTip(tip);
  b->setAutoDefault(false);
  return b;
}

// An option button without a caption, with its label beside it.
QRadioButton* option(const QString& name, const QString& label, const QString& tip, QWidget* parent,
                     QHBoxLayout* row) {
  auto* radio = new QRadioButton(parent);
  radio->setObjectName(name);
  radio->setToolTip(tip);
  row->addWidget(radio);
  auto* text = new PlainLabel(label, parent);
  text->setBuddy(radio);
  row->addWidget(text);
  return radio;
}

QFrame* swatch(const QString& name, QWidget* parent) {
  auto* frame = new QFrame(parent);
  frame->setObjectName(name);
  frame->setFrameShape(QFrame::Box);
  frame->setFixedSize(40, 22);
  frame->setAutoFillBackground(true);
  return frame;
}

QAction* checkItem(QMenu* menu, const QString& name, const QString& caption) {
  QAction* action = menu->addAction(caption);
  action->setObjectName(name);
  action->setCheckable(true);
  return action;
}

QAction* item(QMenu* menu, const QString& name, const QString& caption) {
  QAction* action = menu->addAction(caption);
  action->setObjectName(name);
  return action;
}

}  // namespace

void frmSetting::buildControls() {
  auto* grid = new QGridLayout(this);
  grid->addWidget(buildPatternSection(), 0, 0, 3, 1);
  grid->addWidget(buildSpeedSection(), 0, 1);
  grid->addWidget(buildColourSection(), 1, 1);
  grid->addWidget(buildBackgroundSection(), 2, 1);
  grid->addWidget(buildWordsSection(), 0, 2, 3, 1);
  grid->addLayout(buildButtonRow(), 3, 0, 1, 3);
  buildMenus();
  // The speed bar takes the keyboard too, right after the pattern order.
  hscSpd_->setFocusPolicy(Qt::StrongFocus);
  setTabOrder(optQuo_[0], optQuo_[1]);
  setTabOrder(optQuo_[1], hscSpd_);
}

QWidget* frmSetting::buildPatternSection() {
  QFrame* frame = sectionFrame(this);
  auto* box = new QVBoxLayout(frame);
  box->addWidget(sectionTitle(QStringLiteral(" P a t t e r n"), frame));

  lstStl_ = new QListWidget(frame);
  lstStl_->setObjectName(QStringLiteral("lstStl"));
  for (const PatternEntry& pattern : Patterns::table()) {
    auto* entry = new QListWidgetItem(pattern.name, lstStl_);
    entry->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
    entry->setCheckState(Qt::Unchecked);
  }
  lstStl_->setMinimumWidth(150);
  box->addWidget(lstStl_);

  auto* order = new QHBoxLayout;
  optQuo_[0] = option(QStringLiteral("optQuo0"), QStringLiteral("  Random"), QStringLiteral("順番バラバラ"), frame, order);
  optQuo_[1] = option(QStringLiteral("optQuo1"), QStringLiteral("  In  Order"), QStringLiteral("順番通り"), frame, order);
  order->addStretch();
  box->addLayout(order);
  return frame;
}

QWidget* frmSetting::buildSpeedSection() {
  QFrame* frame = sectionFrame(this);
  auto* box = new QVBoxLayout(frame);
  auto* head = new QHBoxLayout;
  head->addWidget(sectionTitle(QStringLiteral("S p e e d"), frame));
  head->addStretch();
  lblSpd_ = new PlainLabel(QStringLiteral("3"), frame);
  lblSpd_->setObjectName(QStringLiteral("lblSpd"));
  lblSpd_->setToolTip(QStringLiteral("ｽﾋﾟｰﾄﾞ(数字が大きいほど速い)"));
  QFont big = lblSpd_->font();
  big.setPointSize(big.pointSize() + 6);
  big.setBold(true);
  lblSpd_->setFont(big);
  head->addWidget(lblSpd_);
  box->addLayout(head);

  auto* bar = new QHBoxLayout;
  auto* low = new PlainLabel(QStringLiteral("Low"), frame);
  low->setObjectName(QStringLiteral("lblLow"));
  bar->addWidget(low);
  hscSpd_ = new QScrollBar(Qt::Horizontal, frame);
  hscSpd_->setObjectName(QStringLiteral("hscSpd"));
  hscSpd_->setRange(1, 7);
  hscSpd_->setSingleStep(1);
  hscSpd_->setPageStep(1);
  hscSpd_->setInvertedControls(false);  // the arrow keys move towards Low and High as shown
  hscSpd_->setMinimumWidth(140);
  bar->addWidget(hscSpd_, 1);
  auto* high = new PlainLabel(QStringLiteral("High"), frame);
  high->setObjectName(QStringLiteral("lblHigh"));
  bar->addWidget(high);
  box->addLayout(bar);
  box->addWidget(buildDisplayBoxes(frame));
  return frame;
}

QWidget* frmSetting::buildDisplayBoxes(QWidget* parent) {
  auto* boxes = new QWidget(parent);
  auto* column = new QVBoxLayout(boxes);
  column->setContentsMargins(0, 0, 0, 0);
  chkSmooth_ = new QCheckBox(QStringLiteral("なめらかに動かす"), boxes);
  chkSmooth_->setObjectName(QStringLiteral("chkSmooth"));
  chkSmooth_->setToolTip(QStringLiteral("画面の書き換えごとに文字を動かす"));
  chkEveryMonitor_ = new QCheckBox(QStringLiteral("すべての画面に表示"), boxes);
  chkEveryMonitor_->setObjectName(QStringLiteral("chkEveryMonitor"));
  chkEveryMonitor_->setToolTip(QStringLiteral("モニターが複数あるとき、どの画面にも文字を表示する"));
  column->addWidget(chkSmooth_);
  column->addWidget(chkEveryMonitor_);
  connect(chkSmooth_, &QCheckBox::toggled, this, [this](bool on) { saver_.extra.smooth = on; });
  connect(chkEveryMonitor_, &QCheckBox::toggled, this, [this](bool on) { saver_.extra.everyMonitor = on; });
  return boxes;
}

QWidget* frmSetting::buildColourSection() {
  QFrame* frame = sectionFrame(this);
  auto* grid = new QGridLayout(frame);
  grid->addWidget(sectionTitle(QStringLiteral("C o l o r"), frame), 0, 0, 1, 3);
  grid->addWidget(new PlainLabel(QStringLiteral(" Question"), frame), 1, 0);
  shpCq_ = swatch(QStringLiteral("shpCq"), frame);
  grid->addWidget(shpCq_, 1, 1);
  cmdCq_ = button(QStringLiteral("cmdCq"), QStringLiteral("Q-Color"), QStringLiteral("QUESTIONの色変更"), frame);
  grid->addWidget(cmdCq_, 1, 2);
  grid->addWidget(new PlainLabel(QStringLiteral(" Answer"), frame), 2, 0);
  shpCa_ = swatch(QStringLiteral("shpCa"), frame);
  grid->addWidget(shpCa_, 2, 1);
  cmdCa_ = button(QStringLiteral("cmdCa"), QStringLiteral("A-Color"), QStringLiteral("ANSWERの色変更"), frame);
  grid->addWidget(cmdCa_, 2, 2);
  return frame;
}

QWidget* frmSetting::buildBackgroundSection() {
  QFrame* frame = sectionFrame(this);
  auto* box = new QVBoxLayout(frame);
  box->addWidget(sectionTitle(QStringLiteral("BackGround"), frame));

  // The picture at its natural size, clipped to the box.
  picBG_ = new PlainLabel(frame);
  picBG_->setObjectName(QStringLiteral("picBG"));
  picBG_->setToolTip(QStringLiteral("背景の表示"));
  picBG_->setFixedSize(200, 120);
  picBG_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  picBG_->setFrameShape(QFrame::Box);
  picBG_->setAutoFillBackground(true);
  QPalette black = picBG_->palette();
  black.setColor(QPalette::Window, Qt::black);
  picBG_->setPalette(black);
  box->addWidget(picBG_, 0, Qt::AlignHCenter);

  lblBGname_ = new ElidedLabel(frame);
  lblBGname_->setObjectName(QStringLiteral("lblBGname"));
  lblBGname_->setFullText(QStringLiteral("DEFAULT"));
  lblBGname_->setToolTip(SettingsTexts::kBackgroundNameTip);
  box->addWidget(lblBGname_);

  auto* buttons = new QHBoxLayout;
  cmdBGchg_ = button(QStringLiteral("cmdBGchg"), QStringLiteral("CHANGE"), QStringLiteral("背景変更"), frame);
  cmdBGdflt_ = button(QStringLiteral("cmdBGdflt"), QStringLiteral("DEFAULT"), QStringLiteral("初期設定の背景に戻す"), frame);
  buttons->addWidget(cmdBGchg_);
  buttons->addWidget(cmdBGdflt_);
  box->addLayout(buttons);
  return frame;
}

QWidget* frmSetting::buildWordsSection() {
  QFrame* frame = sectionFrame(this);
  auto* box = new QVBoxLayout(frame);
  lblContents_ = new ElidedLabel(frame);
  makeBold(lblContents_);
  lblContents_->setObjectName(QStringLiteral("lblContents"));
  lblContents_->setFullText(QStringLiteral("   Words-[ Default ]"));
  box->addWidget(lblContents_);

  auto* area = new QGridLayout;
  area->setHorizontalSpacing(2);
  area->setVerticalSpacing(2);
  area->addWidget(new PlainLabel(QStringLiteral("QUESTION"), frame), 0, 0);
  area->addWidget(new PlainLabel(QStringLiteral("ANSWER"), frame), 0, 1);
  for (int r = 0; r < WordPreview::kRows; ++r) {
    for (int side = 0; side < 2; ++side) {
      auto* label = new PlainLabel(frame);
      label->setObjectName((side == 0 ? QStringLiteral("lblCtt%1") : QStringLiteral("lblCttA%1")).arg(r));
      label->setFixedSize(170, 22);
      label->setAutoFillBackground(true);
      label->setFrameShape(QFrame::Box);
      area->addWidget(label, r + 1, side);
      (side == 0 ? lblCtt_ : lblCttA_)[r] = label;
    }
  }
  vscCtt_ = new QScrollBar(Qt::Vertical, frame);
  vscCtt_->setObjectName(QStringLiteral("vscCtt"));
  vscCtt_->setRange(0, 0);
  vscCtt_->setEnabled(false);
  area->addWidget(vscCtt_, 1, 2, WordPreview::kRows, 1);
  box->addLayout(area);

  // The source mark sits on the connector that runs from the words down to
  // the companion button.
  auto* lower = new QGridLayout;
  auto* order = new QHBoxLayout;
  // Inside a grid the pair would take no spacing: space it as the pattern box does.
  order->setSpacing(6);
  optCtt_[0] = option(QStringLiteral("optCtt0"), QStringLiteral("  Random"), QStringLiteral("順番バラバラ"), frame, order);
  optCtt_[1] = option(QStringLiteral("optCtt1"), QStringLiteral("  In  Order"), QString(), frame, order);
  order->addStretch();
  lower->addLayout(order, 0, 0);
  quorlMark_ = new SourceMarkView(frame);
  quorlMark_->setObjectName(QStringLiteral("quorlMark"));
  lower->addWidget(quorlMark_, 0, 2, Qt::AlignHCenter);
  cmdCtts_ = button(QStringLiteral("cmdCtts"), QStringLiteral("E D I T"), QStringLiteral("言葉の内容を編集する"), frame);
  cmdQuorl_ = button(QStringLiteral("cmdQuorl"), QStringLiteral("QUORL"), QStringLiteral("Quorlingとの同期"), frame);
  lower->addWidget(cmdCtts_, 1, 1);
  lower->addWidget(cmdQuorl_, 1, 2);
  // The flashcard program's profile as the word source (where this build reads it).
  cmdAnki_ = button(QStringLiteral("cmdAnki"), QStringLiteral("ANKI"), QStringLiteral("Ankiと連携"), frame);
  cmdAnki_->setVisible(AnkiPackage::available());
  lower->addWidget(cmdAnki_, 1, 0, Qt::AlignLeft);
  lower->setColumnStretch(0, 1);
  lower->setVerticalSpacing(0);
  box->addLayout(lower);
  box->addStretch();
  return frame;
}

QLayout* frmSetting::buildButtonRow() {
  auto* row = new QHBoxLayout;
  cmdTry_ = button(QStringLiteral("cmdTry"), QStringLiteral("TRY !"), QStringLiteral("試しに見てみる"), this);
  cmdOK_ = button(QStringLiteral("cmdOK"), QStringLiteral("O  K"), QStringLiteral("設定を適用させる"), this);
  cmdCcl_ = button(QStringLiteral("cmdCcl"), QStringLiteral("Cancel"), QStringLiteral("ｷｬﾝｾﾙ"), this);
  cmdOK_->setDefault(true);
  cmdOK_->setAutoDefault(true);
  row->addWidget(cmdTry_);
  row->addStretch();
  row->addWidget(cmdOK_);
  row->addWidget(cmdCcl_);
  return row;
}

void frmSetting::buildMenus() {
  auto* bar = new QMenuBar(this);
  bar->setObjectName(QStringLiteral("menuBar"));
  layout()->setMenuBar(bar);

  QMenu* pattern = bar->addMenu(QStringLiteral("Pattern様式(&P)"));
  pattern->setObjectName(QStringLiteral("mnuPattern"));
  mitPo_[0] = checkItem(pattern, QStringLiteral("mitPo0"), QStringLiteral("Random 順番バラバラ"));
  mitPo_[1] = checkItem(pattern, QStringLiteral("mitPo1"), QStringLiteral("In Order 順序通り"));
  pattern->addSeparator();
  for (int k = 0; k < 16; ++k)
    mitP_[k] = checkItem(pattern, QStringLiteral("mitP%1").arg(k), Patterns::table()[size_t(k)].name + u' ' + Patterns::table()[size_t(k)].japaneseName);

  QMenu* speed = bar->addMenu(QStringLiteral("Speed速度(&S)"));
  speed->setObjectName(QStringLiteral("mnuSpeed"));
  for (int i = 1; i <= 7; ++i) mitS_[i] = checkItem(speed, QStringLiteral("mitS%1").arg(i), str(kSpeedItems[i - 1]));

  QMenu* background = bar->addMenu(QStringLiteral("Background背景(&B)"));
  background->setObjectName(QStringLiteral("mnuBackground"));
  mitBchange_ = item(background, QStringLiteral("mitBchange"), QStringLiteral("CHANGE 変更して画像ﾌｧｲﾙを開く"));
  mitBdefault_ = item(background, QStringLiteral("mitBdefault"), QStringLiteral("DEFAULT 最初の設定に戻す"));

  QMenu* words = bar->addMenu(QStringLiteral("Words語(&W)"));
  words->setObjectName(QStringLiteral("mnuWords"));
  mitWedit_ = item(words, QStringLiteral("mitWedit"), QStringLiteral("EDIT 編集画面へ"));
  mitWquo_ = item(words, QStringLiteral("mitWquo"), QStringLiteral("QUORL Quorlingと同期"));
  words->addSeparator();
  mitWo_[0] = checkItem(words, QStringLiteral("mitWo0"), QStringLiteral("Random 順番バラバラ"));
  mitWo_[1] = checkItem(words, QStringLiteral("mitWo1"), QStringLiteral("In Order 順序通り"));

  QMenu* colour = bar->addMenu(QStringLiteral("Color色(&C)"));
  colour->setObjectName(QStringLiteral("mnuColor"));
  mitCq_ = item(colour, QStringLiteral("mitCq"), QStringLiteral("Q-Color 色変更"));
  mitCa_ = item(colour, QStringLiteral("mitCa"), QStringLiteral("A-Color 色変更"));
}
