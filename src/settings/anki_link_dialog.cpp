#include "settings/anki_link_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QVBoxLayout>
#include <algorithm>

#include "anki/anki_profile.h"
#include "desktop/plain_label.h"
#include "desktop/user_dialogs.h"
#include "startup/paths.h"

AnkiLinkDialog::AnkiLinkDialog(QuorlSaver& saver, UserDialogs& dialogs, QWidget* parent)
    : QDialog(parent), model_(saver), dialogs_(dialogs) {
  setObjectName(QStringLiteral("frmAnkiLink"));
  setWindowTitle(QStringLiteral("Ankiと連携 - Driftglyph"));
  auto* layout = new QVBoxLayout(this);
  chkUse_ = new QCheckBox(QStringLiteral("Ankiで学習中の言葉を表示する"), this);
  chkUse_->setObjectName(QStringLiteral("chkAnkiUse"));
  layout->addWidget(chkUse_);

  auto* form = new QFormLayout;
  auto* profileRow = new QHBoxLayout;
  cmbProfile_ = new QComboBox(this);
  cmbProfile_->setObjectName(QStringLiteral("cmbAnkiProfile"));
  cmbProfile_->setMinimumWidth(220);
  auto* browse = new QPushButton(QStringLiteral("参照..."), this);
  browse->setObjectName(QStringLiteral("cmdAnkiBrowse"));
  profileRow->addWidget(cmbProfile_, 1);
  profileRow->addWidget(browse);
  form->addRow(new PlainLabel(QStringLiteral("プロファイル"), this), profileRow);
  // A row of the form: its caption and a choice.
  const auto choiceRow = [&](const char* name, const QString& caption) {
    auto* combo = new QComboBox(this);
    combo->setObjectName(QLatin1String(name));
    form->addRow(new PlainLabel(caption, this), combo);
    return combo;
  };
  cmbDeck_ = choiceRow("cmbAnkiDeck", QStringLiteral("デッキ"));
  cmbNoteType_ = choiceRow("cmbAnkiNoteType", QStringLiteral("ノートタイプ"));
  cmbQuestion_ = choiceRow("cmbAnkiQuestion", QStringLiteral("問題のフィールド"));
  cmbAnswer_ = choiceRow("cmbAnkiAnswer", QStringLiteral("答えのフィールド"));
  // Names of any length (a deck nested two thousand levels) are shown
  // shortened: the combo boxes, and so the dialog, keep their width.
  for (QComboBox* combo : {cmbProfile_, cmbDeck_, cmbNoteType_, cmbQuestion_, cmbAnswer_}) {
    combo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    combo->setMinimumContentsLength(kShownCharacters);
  }
  optDue_ = new QRadioButton(QStringLiteral("学習中と今日が期限のカード"), this);
  optDue_->setObjectName(QStringLiteral("optAnkiDue"));
  optAll_ = new QRadioButton(QStringLiteral("デッキのすべてのカード"), this);
  optAll_->setObjectName(QStringLiteral("optAnkiAll"));
  auto* cards = new QVBoxLayout;
  cards->addWidget(optDue_);
  cards->addWidget(optAll_);
  form->addRow(new PlainLabel(QStringLiteral("カード"), this), cards);
  layout->addLayout(form);

  lblStatus_ = new PlainLabel(this);
  lblStatus_->setObjectName(QStringLiteral("lblAnkiStatus"));
  lblStatus_->setTextFormat(Qt::PlainText);
  lblStatus_->setWordWrap(true);
  lblStatus_->setMinimumHeight(3 * fontMetrics().height());
  layout->addWidget(lblStatus_);

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  layout->addWidget(buttons);
  connect(buttons, &QDialogButtonBox::accepted, this, &AnkiLinkDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  connect(browse, &QPushButton::clicked, this, &AnkiLinkDialog::browse);
  connect(chkUse_, &QCheckBox::toggled, this, [this](bool used) {
    model_.setUsed(used);
    refresh();
  });
  connect(cmbProfile_, &QComboBox::activated, this, [this](int index) {
    model_.setProfile(cmbProfile_->itemData(index).toString());
    refresh();
  });
  connect(cmbDeck_, &QComboBox::activated, this, [this](int index) {
    model_.setDeck(cmbDeck_->itemData(index).toString());
    refresh();
  });
  connect(cmbNoteType_, &QComboBox::activated, this, [this] { refreshFields(); });
  const auto chooseFields = [this] {
    const int type = cmbNoteType_->currentIndex();
    if (type < 0 || cmbQuestion_->currentIndex() == cmbAnswer_->currentIndex()) {
      refreshFields();  // the same field cannot be both
      return;
    }
    model_.setFields(model_.noteTypes().at(type).name, cmbQuestion_->currentData().toString(),
                     cmbAnswer_->currentData().toString());
    refresh();
  };
  connect(cmbQuestion_, &QComboBox::activated, this, chooseFields);
  connect(cmbAnswer_, &QComboBox::activated, this, chooseFields);
  connect(optDue_, &QRadioButton::clicked, this, [this] {
    model_.setCards(ExtraSettings::AnkiCards::Due);
    refresh();
  });
  connect(optAll_, &QRadioButton::clicked, this, [this] {
    model_.setCards(ExtraSettings::AnkiCards::All);
    refresh();
  });
  refresh();
}

void AnkiLinkDialog::refresh() {
  const ExtraSettings& s = model_.settings();
  const QSignalBlocker blockUse(chkUse_);
  chkUse_->setChecked(s.words == ExtraSettings::WordSource::Anki);
  {
    const QSignalBlocker block(cmbProfile_);
    cmbProfile_->clear();
    for (const AnkiProfile::Profile& profile : model_.profiles()) {
      addShortened(cmbProfile_, profile.label, profile.folder);
      cmbProfile_->setItemData(cmbProfile_->count() - 1, QDir::toNativeSeparators(profile.folder), Qt::ToolTipRole);
      if (QDir(profile.folder) == QDir(s.ankiProfile)) cmbProfile_->setCurrentIndex(cmbProfile_->count() - 1);
    }
  }
  {
    const QSignalBlocker block(cmbDeck_);
    cmbDeck_->clear();
    cmbDeck_->addItem(AnkiLinkModel::allDecks(), QString());
    QStringList decks = model_.decks();
    // A deck chosen earlier stays on offer while the collection cannot be read.
    if (!s.ankiDeck.isEmpty() && !decks.contains(s.ankiDeck)) decks.append(s.ankiDeck);
    for (const QString& deck : decks) addShortened(cmbDeck_, deck, deck);
    cmbDeck_->setCurrentIndex(s.ankiDeck.isEmpty() ? 0 : int(decks.indexOf(s.ankiDeck)) + 1);
  }
  {
    const QSignalBlocker block(cmbNoteType_);
    const QString shown = cmbNoteType_->currentData().toString();
    cmbNoteType_->clear();
    for (const Collection::NoteType& type : model_.noteTypes()) addShortened(cmbNoteType_, type.name, type.name);
    cmbNoteType_->setCurrentIndex(std::max(0, cmbNoteType_->findData(shown)));
  }
  refreshFields();
  optDue_->setChecked(s.ankiCards == ExtraSettings::AnkiCards::Due);
  optAll_->setChecked(s.ankiCards == ExtraSettings::AnkiCards::All);
  lblStatus_->setText(model_.profiles().isEmpty() ? QStringLiteral("Ankiのプロファイルが見つかりません。「参照...」で collection.anki2 を選んでください。")
                                                  : model_.status());
}

void AnkiLinkDialog::refreshFields() {
  const QSignalBlocker blockQuestion(cmbQuestion_);
  const QSignalBlocker blockAnswer(cmbAnswer_);
  cmbQuestion_->clear();
  cmbAnswer_->clear();
  const int index = cmbNoteType_->currentIndex();
  for (QComboBox* combo : {cmbNoteType_, cmbQuestion_, cmbAnswer_}) combo->setEnabled(index >= 0);
  if (index < 0) return;
  const Collection::NoteType& type = model_.noteTypes().at(index);
  for (const QString& field : type.fields) {
    addShortened(cmbQuestion_, field, field);
    addShortened(cmbAnswer_, field, field);
  }
  const ExtraSettings::NoteFields chosen = model_.fieldsOf(type);
  cmbQuestion_->setCurrentIndex(int(type.fields.indexOf(chosen.question)));
  cmbAnswer_->setCurrentIndex(int(type.fields.indexOf(chosen.answer)));
}

void AnkiLinkDialog::addShortened(QComboBox* combo, const QString& text, const QString& value) {
  const int width = combo->fontMetrics().averageCharWidth() * kShownCharacters * 2;
  // Laying out a name of thousands of characters only to drop them takes seconds: cut it first.
  constexpr qsizetype kKept = 4 * kShownCharacters;
  const QString cut = text.size() <= 2 * kKept ? text : text.left(kKept) + QChar(0x2026) + text.right(kKept);
  combo->addItem(combo->fontMetrics().elidedText(cut, Qt::ElideMiddle, width), value);
  combo->setItemData(combo->count() - 1, text, Qt::ToolTipRole);
}

void AnkiLinkDialog::browse() {
  UserDialogs::FileRequest request;
  request.filter = QStringLiteral("Ankiのコレクション(collection.anki2)|collection.anki2");
  const QStringList folders = AnkiProfile::dataFolders();
  request.initialFolder = folders.value(0);
  const QString chosen = dialogs_.openFile(request);
  if (chosen.isEmpty()) return;
  model_.setProfile(Paths::parentFolder(chosen));
  refresh();
}

void AnkiLinkDialog::accept() {
  QString error;
  if (!model_.apply(&error)) {
    dialogs_.message(error, UserDialogs::Buttons::Ok, UserDialogs::Icon::Warning);
    return;
  }
  QDialog::accept();
}
