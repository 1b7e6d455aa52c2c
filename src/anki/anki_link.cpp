#include "anki/anki_link.h"

#include <algorithm>

#include "anki/anki_notes.h"
#include "anki/anki_profile.h"
#include "anki/private_folder.h"
#include "anki/link_snapshot.h"

namespace AnkiLink {

namespace {

const QString kNothingDue = QStringLiteral("今日の復習はすべて終わりました。デッキの全カードを表示します。");

// The link's fields: the two named in the settings, else the note type's
// remembered choice, else its first two.
class LinkChoices final : public AnkiChoices {
 public:
  explicit LinkChoices(const ExtraSettings& settings)
      : settings_(settings), given_(settings.ankiDeck, settings.ankiQuestion, settings.ankiAnswer) {}
  std::optional<QString> deck(const QStringList& names) override { return given_.deck(names); }
  std::optional<FieldChoice> fields(const QString& noteType, const QStringList& names) override {
    given_.fields(noteType, names);  // kept for the message when the named fields are nowhere
    if (auto named = GivenChoices::named(names, settings_.ankiQuestion, settings_.ankiAnswer)) return named;
    if (const ExtraSettings::NoteFields* remembered = settings_.fieldsFor(noteType))
      if (auto named = GivenChoices::named(names, remembered->question, remembered->answer)) return named;
    return FieldChoice{};
  }
  bool namedFieldsFound() const override { return given_.namedFieldsFound(); }
  const QStringList& fieldsOffered() const { return given_.fieldsOffered(); }

 private:
  const ExtraSettings& settings_;
  GivenChoices given_;
};

std::variant<AnkiPairs, AnkiError> readProfile(const ExtraSettings& settings, const QDateTime& now, Result& result) {
  if (settings.ankiProfile.isEmpty()) return AnkiError::NoCollection;
  const PrivateFolder copyFolder;
  AnkiProfile::LiveState state = AnkiProfile::LiveState::Closed;
  std::variant<std::unique_ptr<Collection>, AnkiError> opened =
      AnkiProfile::openLive(settings.ankiProfile, copyFolder, &state);
  result.leftUntidy = state == AnkiProfile::LiveState::LeftUntidy;
  QStringList& fieldsOffered = result.fieldsOffered;
  if (const AnkiError* error = std::get_if<AnkiError>(&opened)) return *error;
  Collection& collection = *std::get<std::unique_ptr<Collection>>(opened);
  LinkChoices choices(settings);
  const auto offeredWith = [&](std::variant<AnkiPairs, AnkiError> read) {
    fieldsOffered = choices.fieldsOffered();
    return read;
  };
  if (settings.ankiCards == ExtraSettings::AnkiCards::All) return offeredWith(AnkiNotes::read(collection, choices));
  std::variant<AnkiPairs, AnkiError> due =
      offeredWith(AnkiNotes::read(collection, choices, Collection::Cards::DueToday, now));
  const AnkiPairs* pairs = std::get_if<AnkiPairs>(&due);
  if (!pairs || pairs->count() > 0) return due;
  // Today's work is done: the deck's words rather than a list that is not the learner's.
  std::variant<AnkiPairs, AnkiError> all = AnkiNotes::read(collection, choices);
  if (AnkiPairs* allPairs = std::get_if<AnkiPairs>(&all)) allPairs->nothingDue = true;
  return all;
}

}  // namespace

Result load(const QString& home, const ExtraSettings& settings, const QDateTime& now, bool keep) {
  Result result;
  const std::variant<AnkiPairs, AnkiError> read = readProfile(settings, now, result);
  const AnkiPairs* pairs = std::get_if<AnkiPairs>(&read);
  if (pairs && pairs->count() == 0) {
    // A read that found nothing to learn is a good read: an old snapshot would show stale words.
    result.error = AnkiError::NoPairs;
    result.skipped = pairs->skipped;
    return result;
  }
  if (pairs) {
    WordList words;
    words.questions = pairs->questions;
    words.answers = pairs->answers;
    result.skipped = pairs->skipped;
    result.beyond = pairs->beyond;
    result.nothingDue = pairs->nothingDue;
    if (keep) LinkSnapshot::save(home, settings, words, now);
    result.words = std::move(words);
    return result;
  }
  result.error = std::get<AnkiError>(read);
  // Nor does a deck that is gone get another deck's words.
  if (*result.error == AnkiError::NoDeck) return result;
  if (std::optional<LinkSnapshot::Snapshot> snapshot = LinkSnapshot::load(home, settings)) {
    result.words = std::move(snapshot->words);
    result.snapshotTaken = snapshot->taken;
  }
  return result;
}

std::variant<Offer, AnkiError> offered(const QString& profileFolder) {
  const PrivateFolder copyFolder;
  std::variant<std::unique_ptr<Collection>, AnkiError> opened = AnkiProfile::openLive(profileFolder, copyFolder);
  if (const AnkiError* error = std::get_if<AnkiError>(&opened)) return *error;
  Collection& collection = *std::get<std::unique_ptr<Collection>>(opened);
  std::variant<QStringList, AnkiError> decks = AnkiNotes::decksOffered(collection);
  if (const AnkiError* error = std::get_if<AnkiError>(&decks)) return *error;
  Offer offer{std::get<QStringList>(decks), {}};
  for (const Collection::NoteType& type : collection.noteTypes())
    if (!type.cloze && type.fields.size() >= 2) offer.noteTypes.append(type);
  std::sort(offer.noteTypes.begin(), offer.noteTypes.end(),
            [](const Collection::NoteType& a, const Collection::NoteType& b) { return a.name.compare(b.name, Qt::CaseInsensitive) < 0; });
  return offer;
}

QString statusText(const Result& result) {
  QString text;
  if (result.error == AnkiError::NoPairs)
    text = QStringLiteral("学習中・今日が期限のカードはありません。");
  else if (result.error)
    text = AnkiErrors::japanese(*result.error);
  if (result.error == AnkiError::NoSuchField)
    text += QStringLiteral("\nフィールド: ") + result.fieldsOffered.join(QStringLiteral(" / "));
  if (result.snapshotTaken)
    text += QStringLiteral("\n%1に読み込んだ%2語を表示します。")
                .arg(result.snapshotTaken->toString(QStringLiteral("yyyy/MM/dd HH:mm")))
                .arg(result.words ? result.words->count() : 0);
  else if (result.words)
    text = (result.nothingDue ? kNothingDue : QString()) +
           QStringLiteral("Ankiから%1語を読み込みました。").arg(result.words->count());
  if (!result.snapshotTaken && result.skipped.total() > 0 && result.error != AnkiError::NoPairs) text += result.skipped.japanese().replace(QStringLiteral("\r\n"), QString());
  if (result.leftUntidy && !result.error)
    text += QStringLiteral("Ankiが正しく終了していなかったため、最後に保存された内容を読み込みました。");
  if (!result.snapshotTaken && result.beyond > 0)
    text += QStringLiteral("%1語は一覧に入る%2語を超えるため表示しません。").arg(result.beyond).arg(AnkiPairs::kMaxPairs);
  return text;
}

QString sourceName(const Result& result) {
  return result.snapshotTaken ? QStringLiteral("Anki (%1)").arg(result.snapshotTaken->toString(QStringLiteral("MM/dd HH:mm")))
                              : QStringLiteral("Anki");
}

QuorlSaver::ExtraSource extraSource(std::function<void(const Result&)> report, bool keep) {
  return [report, keep](const QuorlSaver& saver) -> std::optional<QuorlSaver::ExtraWords> {
    const ExtraSettings settings = ExtraSettingsFile::load(saver.homeFolder());
    if (settings.words != ExtraSettings::WordSource::Anki) return std::nullopt;
    Result result = load(saver.homeFolder(), settings, QDateTime::currentDateTime(), keep);
    if (report) report(result);
    if (!result.words) return std::nullopt;
    return QuorlSaver::ExtraWords{std::move(*result.words), sourceName(result)};
  };
}

}  // namespace AnkiLink
