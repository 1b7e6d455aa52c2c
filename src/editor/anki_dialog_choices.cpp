#include "editor/anki_dialog_choices.h"

#include "editor/editor_texts.h"
#include "desktop/user_dialogs.h"

std::optional<QString> AnkiDialogChoices::deck(const QStringList& names) {
  if (names.size() <= 1) return QString();
  const std::optional<QList<int>> picked =
      dialogs_.choose(EditorTexts::kDeckQuestion, {{EditorTexts::kDeckLabel, QStringList{EditorTexts::kAllDecks} + names, 0}});
  if (!picked) return std::nullopt;
  const int index = picked->value(0);
  return index >= 1 && index <= names.size() ? names.at(index - 1) : QString();
}

std::optional<FieldChoice> AnkiDialogChoices::fields(const QString& noteType, const QStringList& fieldNames) {
  if (const ExtraSettings::NoteFields* known = remembered_.fieldsFor(noteType))
    if (auto named = GivenChoices::named(fieldNames, known->question, known->answer)) return named;
  // Two fields are question and answer in their order unless chosen otherwise.
  if (fieldNames.size() <= 2) return FieldChoice{};
  for (;;) {
    const std::optional<QList<int>> picked =
        dialogs_.choose(EditorTexts::fieldsQuestion(noteType, int(fieldNames.size())),
                        {{EditorTexts::kQuestionFieldLabel, fieldNames, 0}, {EditorTexts::kAnswerFieldLabel, fieldNames, 1}});
    if (!picked) return std::nullopt;
    const FieldChoice choice{picked->value(0), picked->value(1)};
    if (choice.question == choice.answer || choice.question < 0 || choice.answer < 0 ||
        choice.question >= fieldNames.size() || choice.answer >= fieldNames.size()) {
      dialogs_.message(EditorTexts::kSameFieldMessage);
      continue;
    }
    ExtraSettings::NoteFields chosen{noteType, fieldNames.at(choice.question), fieldNames.at(choice.answer)};
    remembered_.noteFields.removeIf([&](const ExtraSettings::NoteFields& f) { return f.noteType == noteType; });
    remembered_.noteFields.append(chosen);
    rememberedNew_ = true;
    return choice;
  }
}
