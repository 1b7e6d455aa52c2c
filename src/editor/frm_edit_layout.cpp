// Building the editor window's controls and menus, and where each stands.
#include <QAbstractItemView>
#include <QAction>
#include <QComboBox>
#include <QCursor>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScrollBar>
#include <QStyle>
#include <QVBoxLayout>

#include "editor/companion_mark.h"
#include "editor/editor_texts.h"
#include "editor/frm_edit.h"
#include "editor/grid_cell.h"
#include "desktop/plain_label.h"
#include "desktop/user_dialogs.h"
#include "startup/word_list.h"

namespace {

// The window is designed in twips; fifteen of them make one pixel.
constexpr int px(int twips) { return twips / 15; }
QRect twipRect(int left, int top, int width, int height) {
  return QRect(px(left), px(top), px(width), px(height));
}

constexpr int kCellWidth = 2175;
constexpr int kCellHeight = 255;
constexpr int kGridTop = 1320;
constexpr int kRowPitch = 240;  // rows overlap by 15 twips, one pixel
constexpr std::array<int, 2> kColumnLeft{480, 2760};

QAction* namedAction(QMenu* menu, const QString& name, const QString& caption) {
  QAction* action = menu->addAction(caption);
  action->setObjectName(name);
  return action;
}

}  // namespace

QRect frmEdit::cellRect(int column, int row) {
  return twipRect(kColumnLeft[column], kGridTop + kRowPitch * row, kCellWidth, kCellHeight);
}

QFont frmEdit::designFont() {
  QFont font(kFallbackListFont);
  font.setPointSize(9);
  return font;
}

void frmEdit::buildControls() {
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  auto* client = new QWidget(this);
  client->setObjectName(QStringLiteral("client"));
  client->setFixedSize(px(5880), px(4920));
  layout->addWidget(client);

  buildClientArea(client);
  buildMenu();
  buildListCommands(client);
  buildSearchBar(client);
  layout->setMenuBar(menuBar_);
}

QPushButton* frmEdit::makeButton(QWidget* parent, const QString& name, const QString& caption, const QString& tip,
                                 const QRect& geometry) {
  auto* button = new QPushButton(caption, parent);
  button->setObjectName(name);
  button->setToolTip(tip);
  button->setGeometry(geometry);
  // Enter belongs to the edit box: no button may take it as the default.
  button->setAutoDefault(false);
  button->setDefault(false);
  button->setFocusPolicy(Qt::TabFocus);
  return button;
}

void frmEdit::fitPopupToNames(QComboBox* combo) {
  // The drop-down list is as wide as its longest name, however narrow the box.
  int widest = 0;
  const QFontMetrics metrics = combo->view()->fontMetrics();
  for (int i = 0; i < combo->count(); ++i) widest = std::max(widest, metrics.horizontalAdvance(combo->itemText(i)));
  const int frame = 2 * combo->view()->frameWidth() + 4 * style()->pixelMetric(QStyle::PM_FocusFrameHMargin);
  const int scrollBar = style()->pixelMetric(QStyle::PM_ScrollBarExtent);
  combo->view()->setMinimumWidth(std::max(combo->width(), widest + frame + scrollBar + 2 * metrics.averageCharWidth()));
}

void frmEdit::buildClientArea(QWidget* client) {
  txtCname_ = new QLineEdit(EditorTexts::kDefaultName, client);
  txtCname_->setObjectName(QStringLiteral("txtCname"));
  txtCname_->setToolTip(QStringLiteral("ﾌｧｲﾙ名"));
  txtCname_->setReadOnly(true);
  txtCname_->setGeometry(twipRect(480, 120, 2175, 300));

  mark_ = new CompanionMark(client);
  mark_->setObjectName(QStringLiteral("companionMark"));
  mark_->setGeometry(twipRect(2655, 60, 780, 420));
  auto* lblQuorl = new PlainLabel(QStringLiteral("Q U O R L"), client);
  lblQuorl->setObjectName(QStringLiteral("lblQuorl"));
  lblQuorl->setGeometry(twipRect(3480, 150, 1350, 240));

  cmbQ_ = new QComboBox(client);
  cmbA_ = new QComboBox(client);
  const std::array<QComboBox*, 2> combos{cmbQ_, cmbA_};
  const std::array<QString, 2> comboNames{QStringLiteral("cmbQ"), QStringLiteral("cmbA")};
  const std::array<QString, 2> comboTips{QStringLiteral("Questionのﾌｫﾝﾄ"), QStringLiteral("Answerのﾌｫﾝﾄ")};
  const std::array<QString, 2> headings{QStringLiteral(" Question"), QStringLiteral(" Answer")};
  for (int column = 0; column < 2; ++column) {
    QComboBox* combo = combos[column];
    combo->setObjectName(comboNames[column]);
    combo->setToolTip(comboTips[column]);
    combo->setEditable(true);
    combo->setInsertPolicy(QComboBox::NoInsert);
    combo->setMaxVisibleItems(20);
    combo->setGeometry(twipRect(kColumnLeft[column], 600, kCellWidth, 330));
    connect(combo, &QComboBox::activated, this, [this, column](int index) { model_.pickFont(column, index); });
    connect(combo, &QComboBox::editTextChanged, this,
            [this, column](const QString& text) { model_.typeFontText(column, text); });

    auto* heading = new PlainLabel(headings[column], client);
    heading->setObjectName(column == 0 ? QStringLiteral("lblHeadQ") : QStringLiteral("lblHeadA"));
    heading->setGeometry(twipRect(kColumnLeft[column], 1050, kCellWidth, kCellHeight));

    for (int row = 0; row < GridCursor::kRows; ++row) {
      auto* cell = new GridCell(client);
      cell->setObjectName(QStringLiteral("%1(%2)").arg(column == 0 ? u"lblQ" : u"lblA").arg(row));
      cell->setGeometry(cellRect(column, row));
      cell->setFont(designFont());
      cell->installEventFilter(this);  // the wheel scrolls the grid
      connect(cell, &GridCell::clicked, this, [this, column, row] { model_.clickCell(column, row); });
      cells_[column][row] = cell;
    }
  }

  for (int column = 0; column < 2; ++column) {
    auto* box = new QLineEdit(client);
    box->setObjectName(QStringLiteral("txtEdit(%1)").arg(column));
    box->setFont(designFont());
    box->setFrame(false);
    box->setStyleSheet(QStringLiteral("QLineEdit { border: 1px solid black; padding: 0px 1px; background: white; }"));
    box->setGeometry(cellRect(column, 0));
    box->setAttribute(Qt::WA_InputMethodEnabled, true);
    box->hide();
    box->installEventFilter(this);
    box->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(box, &QLineEdit::customContextMenuRequested, this,
            [this, box](const QPoint& at) { mnuEdit_->popup(box->mapToGlobal(at)); });
    connect(box, &QLineEdit::textChanged, this, [this, column](const QString& text) { model_.setBoxText(column, text); });
    txtEdit_[column] = box;
  }

  vscEdit_ = new QScrollBar(Qt::Vertical, client);
  vscEdit_->setObjectName(QStringLiteral("vscEdit"));
  vscEdit_->setGeometry(twipRect(4950, kGridTop, 255, kRowPitch * 11 + kCellHeight));
  vscEdit_->setSingleStep(1);
  vscEdit_->setPageStep(GridCursor::kRows);
  vscEdit_->setFocusPolicy(Qt::NoFocus);
  connect(vscEdit_, &QScrollBar::valueChanged, &model_, &EditorModel::setScrollValue);

  lblEcnt_ = new PlainLabel(client);
  lblEcnt_->setObjectName(QStringLiteral("lblEcnt"));
  lblEcnt_->setToolTip(QStringLiteral("項目数"));
  lblEcnt_->setGeometry(twipRect(5040, 4365, 780, 255));

  QPushButton* cmdFile =
      makeButton(client, QStringLiteral("cmdFile"), QStringLiteral("F"), QStringLiteral("ﾌｧｲﾙ操作など"),
                 twipRect(5340, 120, 420, 375));
  connect(cmdFile, &QPushButton::clicked, this, [this] { mnuFile_->popup(QCursor::pos()); });

  QPushButton* cmdOKedit = makeButton(client, QStringLiteral("cmdOKedit"), QStringLiteral("O K"),
                                      QStringLiteral("編集内容を適用"), twipRect(2760, 4290, 1050, 390));
  connect(cmdOKedit, &QPushButton::clicked, this, &frmEdit::onOk);
  QPushButton* cmdCCLedit = makeButton(client, QStringLiteral("cmdCCLedit"), QStringLiteral("CANCEL"),
                                       QStringLiteral("ｷｬﾝｾﾙ"), twipRect(3885, 4290, 1050, 390));
  connect(cmdCCLedit, &QPushButton::clicked, this, &frmEdit::reject);

  // The floating boxes stay above the cells they cover.
  txtEdit_[0]->raise();
  txtEdit_[1]->raise();
}

void frmEdit::buildMenu() {
  menuBar_ = new QMenuBar(this);
  mnuFile_ = menuBar_->addMenu(QStringLiteral("ﾌｧｲﾙ(&F)"));
  mnuFile_->setObjectName(QStringLiteral("mnuFile"));

  connect(namedAction(mnuFile_, QStringLiteral("mitNew"), QStringLiteral("新規作成")), &QAction::triggered, &model_,
          &EditorModel::fileNew);
  connect(namedAction(mnuFile_, QStringLiteral("mitOpen"), QStringLiteral("開く(*.dgl)")), &QAction::triggered, &model_,
          &EditorModel::fileOpen);
  mnuFile_->addSeparator();
  connect(namedAction(mnuFile_, QStringLiteral("mitOvWr"), QStringLiteral("上書保存")), &QAction::triggered, &model_,
          &EditorModel::overwrite);
  connect(namedAction(mnuFile_, QStringLiteral("mitSave"), QStringLiteral("名前をつけて保存")), &QAction::triggered,
          &model_, &EditorModel::saveAs);
  mnuFile_->addSeparator();
  connect(namedAction(mnuFile_, QStringLiteral("mitImp"), QStringLiteral("ｲﾝﾎﾟｰﾄ(*.txt|*.csv)")), &QAction::triggered,
          &model_, &EditorModel::importText);
  connect(namedAction(mnuFile_, QStringLiteral("mitImpM"), QStringLiteral("Quorlingの問題ﾃﾞｰﾀ(*.vcb)")),
          &QAction::triggered, &model_, &EditorModel::importVcb);
  QMenu* formats = mnuFile_->addMenu(QStringLiteral("  ? → 書式などについて"));
  formats->setObjectName(QStringLiteral("mnuFormats"));
  const std::array<std::pair<const char*, QString (*)()>, 3> helps{{
      {"mitIFtext", &EditorTexts::textHelpText},
      {"mitIFcsv", &EditorTexts::csvHelpText},
      {"mitIFvcb", &EditorTexts::vcbHelpText},
  }};
  const std::array<QString, 3> helpCaptions{QStringLiteral("txtﾌｧｲﾙの書式"), QStringLiteral("csvﾌｧｲﾙの書式"),
                                            QStringLiteral("vcbﾌｧｲﾙについて")};
  for (size_t i = 0; i < helps.size(); ++i) {
    const auto text = helps[i].second;
    connect(namedAction(formats, QLatin1String(helps[i].first), helpCaptions[i]), &QAction::triggered, this,
            [this, text] { dialogs_.message(text()); });
  }
  mnuFile_->addSeparator();
  connect(namedAction(mnuFile_, QStringLiteral("mitOK"), QStringLiteral("OK")), &QAction::triggered, this,
          &frmEdit::onOk);
  connect(namedAction(mnuFile_, QStringLiteral("mitCcl"), QStringLiteral("CANCEL")), &QAction::triggered, this,
          &frmEdit::reject);
}

void frmEdit::buildListCommands(QWidget* client) {
  mnuEdit_ = menuBar_->addMenu(QStringLiteral("編集(&E)"));
  mnuEdit_->setObjectName(QStringLiteral("mnuEdit"));
  const std::array<std::tuple<const char*, QString, TextCommand>, 4> textCommands{{
      {"mitEcut", QStringLiteral("切り取り"), TextCommand::Cut},
      {"mitEcopy", QStringLiteral("コピー"), TextCommand::Copy},
      {"mitEpaste", QStringLiteral("貼り付け"), TextCommand::Paste},
      {"mitEdelete", QStringLiteral("削除"), TextCommand::Delete},
  }};
  for (const auto& [name, caption, command] : textCommands) {
    const TextCommand which = command;
    connect(namedAction(mnuEdit_, QLatin1String(name), caption), &QAction::triggered, this,
            [this, which] { runTextCommand(which); });
  }

  QMenu* items = menuBar_->addMenu(QStringLiteral("項目(&I)"));
  items->setObjectName(QStringLiteral("mnuItem"));
  using ItemOperations::MoveDirection;
  const auto insert = [this] { model_.itemInsert(); };
  const auto remove = [this] { model_.itemDelete(); };
  const auto moveUp = [this] { model_.itemMove(MoveDirection::Up); };
  const auto moveDown = [this] { model_.itemMove(MoveDirection::Down); };
  const auto shuffle = [this] { model_.shuffle(); };
  const auto sort = [this] { model_.sortByQuestion(); };
  const auto search = [this] {
    model_.toggleSearchBar();
    showSearchBar(model_.searchBarShown());
  };
  connect(namedAction(items, QStringLiteral("mitIin(1)"), QStringLiteral("項目追加")), &QAction::triggered, this, insert);
  connect(namedAction(items, QStringLiteral("mitIdl"), QStringLiteral("項目削除")), &QAction::triggered, this, remove);
  items->addSeparator();
  connect(namedAction(items, QStringLiteral("mitMv(0)"), QStringLiteral("上へ移動")), &QAction::triggered, this, moveUp);
  connect(namedAction(items, QStringLiteral("mitMv(1)"), QStringLiteral("下へ移動")), &QAction::triggered, this,
          moveDown);
  items->addSeparator();
  connect(namedAction(items, QStringLiteral("mitErnd"), QStringLiteral("順番シャッフル")), &QAction::triggered, this,
          shuffle);
  connect(namedAction(items, QStringLiteral("mitEabc"), QStringLiteral("順番ABC順")), &QAction::triggered, this, sort);
  items->addSeparator();
  connect(namedAction(items, QStringLiteral("mitSch"), QStringLiteral("検索")), &QAction::triggered, this, search);

  // The same commands as buttons in a column right of the grid.
  const auto buttonAt = [](int index) { return twipRect(5340, kGridTop + 420 * index, 420, 375); };
  connect(makeButton(client, QStringLiteral("cmdIin"), QStringLiteral("┼"), QStringLiteral("項目追加"), buttonAt(0)),
          &QPushButton::clicked, this, insert);
  connect(makeButton(client, QStringLiteral("cmdIdlt"), QStringLiteral("Ｘ"), QStringLiteral("項目削除"), buttonAt(1)),
          &QPushButton::clicked, this, remove);
  connect(makeButton(client, QStringLiteral("cmdImv(0)"), QStringLiteral("∧"), QStringLiteral("上へ移動"), buttonAt(2)),
          &QPushButton::clicked, this, moveUp);
  connect(makeButton(client, QStringLiteral("cmdImv(1)"), QStringLiteral("∨"), QStringLiteral("下へ移動"), buttonAt(3)),
          &QPushButton::clicked, this, moveDown);
  connect(makeButton(client, QStringLiteral("cmdRnd"), QStringLiteral("ξ"), QStringLiteral("順番ｼｬｯﾌﾙ"), buttonAt(4)),
          &QPushButton::clicked, this, shuffle);
  connect(makeButton(client, QStringLiteral("cmdAbc"), QStringLiteral("§"), QStringLiteral("順番ABC順"), buttonAt(5)),
          &QPushButton::clicked, this, sort);
  connect(makeButton(client, QStringLiteral("cmdSch"), QStringLiteral("Ж"), QStringLiteral("検索"), buttonAt(6)),
          &QPushButton::clicked, this, search);
}

void frmEdit::buildSearchBar(QWidget* client) {
  auto* line = new QFrame(client);
  line->setObjectName(QStringLiteral("lnSch"));
  line->setFrameShape(QFrame::HLine);
  line->setGeometry(twipRect(480, 4245, kCellWidth, 30));
  lnSch_ = line;

  txtSch_ = new QLineEdit(client);
  txtSch_->setObjectName(QStringLiteral("txtSch"));
  txtSch_->setToolTip(QStringLiteral("検索する文字"));
  txtSch_->setGeometry(twipRect(480, 4320, 1290, 330));
  txtSch_->installEventFilter(this);

  cmdSnxt_ = makeButton(client, QStringLiteral("cmdSnxt"), QStringLiteral("SEARCH"), QStringLiteral("検索開始"),
                        twipRect(1815, 4305, 840, 360));
  cmdSnxt_->setEnabled(false);
  connect(txtSch_, &QLineEdit::textChanged, this, [this](const QString& text) { cmdSnxt_->setEnabled(!text.isEmpty()); });
  connect(cmdSnxt_, &QPushButton::clicked, this, &frmEdit::runSearch);
  showSearchBar(false);
}
