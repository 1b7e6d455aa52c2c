#pragma once

#include <QString>
#include <QStringList>
#include <optional>

// Which field of a note type is the question and which the answer (indices
// into its fields).
struct FieldChoice {
  int question = 0;
  int answer = 1;
  bool operator==(const FieldChoice&) const = default;
};

// The two choices a collection may need from whoever reads it: the editor
// asks the user, the command line and the display's link take given names.
class AnkiChoices {
 public:
  virtual ~AnkiChoices() = default;
  // One of `names` ("Parent::Child"), or an empty string for every deck;
  // nullopt when the user cancelled. Asked for every collection: one that
  // offers a single deck or none needs no question.
  virtual std::optional<QString> deck(const QStringList& names) = 0;
  // For a note type of two fields or more; nullopt when the user cancelled.
  virtual std::optional<FieldChoice> fields(const QString& noteType, const QStringList& fieldNames) = 0;
  // After every note type was asked: false when fields were named and no
  // note type has them (the read is then refused with NoSuchField).
  virtual bool namedFieldsFound() const { return true; }
};

// Choices given beforehand: a deck name (empty for all) and two field
// names; a note type without both names takes its first two fields, but
// names that no note type has refuse the read. What was on offer is kept,
// for the message that refuses a choice.
class GivenChoices final : public AnkiChoices {
 public:
  GivenChoices(QString deck, QString question, QString answer)
      : deck_(std::move(deck)), question_(std::move(question)), answer_(std::move(answer)) {}
  std::optional<QString> deck(const QStringList& names) override {
    decksOffered_ = names;
    return deck_;
  }
  std::optional<FieldChoice> fields(const QString& noteType, const QStringList& fieldNames) override {
    const QString fields = fieldNames.join(QStringLiteral(", "));
    fieldsOffered_.append(noteType.isEmpty() ? fields : QStringLiteral("%1 (%2)").arg(noteType, fields));
    const std::optional<FieldChoice> choice = named(fieldNames, question_, answer_);
    found_ = found_ || choice;
    return choice.value_or(FieldChoice{});
  }
  bool namedFieldsFound() const override { return found_ || (question_.isEmpty() && answer_.isEmpty()); }
  // The decks and the note types' fields the collection offered, for the user.
  const QStringList& decksOffered() const { return decksOffered_; }
  const QStringList& fieldsOffered() const { return fieldsOffered_; }
  // The two named fields, found without regard to case; nullopt unless both are there and differ.
  static std::optional<FieldChoice> named(const QStringList& fieldNames, const QString& question, const QString& answer) {
    const auto find = [&](const QString& name) {
      for (int i = 0; i < fieldNames.size(); ++i)
        if (!name.isEmpty() && fieldNames.at(i).compare(name, Qt::CaseInsensitive) == 0) return i;
      return -1;
    };
    const int q = find(question);
    const int a = find(answer);
    if (q < 0 || a < 0 || q == a) return std::nullopt;
    return FieldChoice{q, a};
  }

 private:
  QString deck_;
  QString question_;
  QString answer_;
  bool found_ = false;
  QStringList decksOffered_;
  QStringList fieldsOffered_;
};
