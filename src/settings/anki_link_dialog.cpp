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
  cmbDeck_ = new QComboBox(this);
  cmbDeck_->setObjectName(QStringLiteral("cmbAnkiDeck"));
  form->addRow(new PlainLabel(QStringLiteral("デッキ"), this), cmbDeck_);
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
    model_.setDeck(index == 0 ? QString() : cmbDeck_->itemText(index));
    refresh();
  });
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
      cmbProfile_->addItem(profile.name, profile.folder);
      cmbProfile_->setItemData(cmbProfile_->count() - 1, QDir::toNativeSeparators(profile.folder), Qt::ToolTipRole);
      if (QDir(profile.folder) == QDir(s.ankiProfile)) cmbProfile_->setCurrentIndex(cmbProfile_->count() - 1);
    }
  }
  {
    const QSignalBlocker block(cmbDeck_);
    cmbDeck_->clear();
    cmbDeck_->addItem(AnkiLinkModel::allDecks());
    QStringList decks = model_.decks();
    // A deck chosen earlier stays on offer while the collection cannot be read.
    if (!s.ankiDeck.isEmpty() && !decks.contains(s.ankiDeck)) decks.append(s.ankiDeck);
    cmbDeck_->addItems(decks);
    cmbDeck_->setCurrentIndex(s.ankiDeck.isEmpty() ? 0 : int(decks.indexOf(s.ankiDeck)) + 1);
  }
  optDue_->setChecked(s.ankiCards == ExtraSettings::AnkiCards::Due);
  optAll_->setChecked(s.ankiCards == ExtraSettings::AnkiCards::All);
  lblStatus_->setText(model_.profiles().isEmpty() ? QStringLiteral("Ankiのプロファイルが見つかりません。「参照...」で collection.anki2 を選んでください。")
                                                  : model_.status());
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
