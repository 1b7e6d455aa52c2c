#include "settings/anki_link_model.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>

#include "anki/anki_link.h"
#include "startup/quorl_saver.h"

AnkiLinkModel::AnkiLinkModel(QuorlSaver& saver) : saver_(saver), settings_(ExtraSettingsFile::load(saver.homeFolder())) {
  profiles_ = AnkiProfile::profiles();
  if (settings_.ankiProfile.isEmpty() && !profiles_.isEmpty()) settings_.ankiProfile = profiles_.first().folder;
  readProfile();
}

void AnkiLinkModel::readProfile() {
  const QString chosen = settings_.ankiProfile;
  bool listed = chosen.isEmpty();
  for (const AnkiProfile::Profile& profile : profiles_) listed = listed || QDir(profile.folder) == QDir(chosen);
  if (!listed) profiles_.append({QFileInfo(chosen).fileName(), chosen, QFileInfo(chosen).fileName()});

  const std::variant<AnkiLink::Offer, AnkiError> offer = AnkiLink::offered(chosen);
  const AnkiLink::Offer* offered = std::get_if<AnkiLink::Offer>(&offer);
  decks_ = offered ? offered->decks : QStringList();
  noteTypes_ = offered ? offered->noteTypes : QList<Collection::NoteType>();
  // A look at the choice, not yet made: nothing is written until Apply.
  const AnkiLink::Result read = AnkiLink::load(saver_.homeFolder(), settings_, QDateTime::currentDateTime(), false);
  status_ = AnkiLink::statusText(read);
}

void AnkiLinkModel::setUsed(bool used) {
  settings_.words = used ? ExtraSettings::WordSource::Anki : ExtraSettings::WordSource::Settings;
}

void AnkiLinkModel::setProfile(const QString& folder) {
  if (folder == settings_.ankiProfile) return;
  settings_.ankiProfile = folder;
  settings_.ankiDeck.clear();  // another collection's deck names mean nothing here
  readProfile();
}

void AnkiLinkModel::setDeck(const QString& deck) {
  if (deck == settings_.ankiDeck) return;
  settings_.ankiDeck = deck;
  readProfile();
}

void AnkiLinkModel::setFields(const QString& noteType, const QString& question, const QString& answer) {
  ExtraSettings::NoteFields chosen{noteType, question, answer};
  if (const ExtraSettings::NoteFields* known = settings_.fieldsFor(noteType); known && *known == chosen) return;
  settings_.noteFields.removeIf([&](const ExtraSettings::NoteFields& f) { return f.noteType == noteType; });
  settings_.noteFields.append(chosen);
  changedFields_.insert(noteType);
  readProfile();
}

ExtraSettings::NoteFields AnkiLinkModel::fieldsOf(const Collection::NoteType& type) const {
  const ExtraSettings::NoteFields* known = settings_.fieldsFor(type.name);
  if (known && type.fields.contains(known->question) && type.fields.contains(known->answer)) return *known;
  return {type.name, type.fields.value(0), type.fields.value(1)};
}

void AnkiLinkModel::setCards(ExtraSettings::AnkiCards cards) {
  if (cards == settings_.ankiCards) return;
  settings_.ankiCards = cards;
  readProfile();
}

bool AnkiLinkModel::apply(QString* error) {
  // The note types' field choices may have been remembered meanwhile by an
  // import: keep them, but for those chosen here.
  ExtraSettings toSave = settings_;
  toSave.noteFields = ExtraSettingsFile::load(saver_.homeFolder()).noteFields;
  for (const QString& type : changedFields_) {
    toSave.noteFields.removeIf([&](const ExtraSettings::NoteFields& f) { return f.noteType == type; });
    toSave.noteFields.append(*settings_.fieldsFor(type));
  }
  if (!ExtraSettingsFile::save(saver_.homeFolder(), toSave, error)) return false;
  saver_.loadWords();
  return true;
}
