#pragma once

#include <QDialog>

#include "settings/anki_link_model.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QRadioButton;
class UserDialogs;

// The settings' own dialog for the flashcard program's profile as the word
// source: a thin view over AnkiLinkModel. exec() returns Accepted when the
// choice was applied (the saver's words may have changed).
class AnkiLinkDialog final : public QDialog {
  Q_OBJECT

 public:
  AnkiLinkDialog(QuorlSaver& saver, UserDialogs& dialogs, QWidget* parent = nullptr);

  AnkiLinkModel& model() { return model_; }

 public slots:
  void accept() override;

 private:
  void refresh();
  void refreshFields();
  void browse();
  // Adds `text` shortened in its middle to a width the dialog can hold, the whole of it as the tip.
  static void addShortened(QComboBox* combo, const QString& text, const QString& value);

  static constexpr int kShownCharacters = 24;

  AnkiLinkModel model_;
  UserDialogs& dialogs_;
  QCheckBox* chkUse_ = nullptr;
  QComboBox* cmbProfile_ = nullptr;
  QComboBox* cmbDeck_ = nullptr;
  QComboBox* cmbNoteType_ = nullptr;
  QComboBox* cmbQuestion_ = nullptr;
  QComboBox* cmbAnswer_ = nullptr;
  QRadioButton* optDue_ = nullptr;
  QRadioButton* optAll_ = nullptr;
  QLabel* lblStatus_ = nullptr;
};
