#pragma once

#include "anki/anki_choices.h"
#include "startup/extra_settings.h"

class UserDialogs;

// The editor's import asks the user (in the words of EditorTexts) which deck to read (when
// the package offers more than one) and, once per note type of more than
// two fields, which field is the question and which the answer. A note
// type's choice is remembered by its name in `remembered` (Driftglyph.ini's
// [note_fields]) and not asked again while its fields are there.
class AnkiDialogChoices final : public AnkiChoices {
 public:
  AnkiDialogChoices(UserDialogs& dialogs, ExtraSettings& remembered) : dialogs_(dialogs), remembered_(remembered) {}

  std::optional<QString> deck(const QStringList& names) override;
  std::optional<FieldChoice> fields(const QString& noteType, const QStringList& fieldNames) override;

  // Whether a new field choice was remembered (the caller saves it).
  bool rememberedNew() const { return rememberedNew_; }

 private:
  UserDialogs& dialogs_;
  ExtraSettings& remembered_;
  bool rememberedNew_ = false;
};
