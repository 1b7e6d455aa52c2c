#pragma once

#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>

#include "anki/anki_profile.h"
#include "anki/collection.h"
#include "startup/extra_settings.h"
#include "settings/settings_texts.h"

class QuorlSaver;

// The settings' choice of the flashcard program's profile as the word
// source, without its window: whether it is used, which profile, deck and
// cards, what a read of that choice gives now (or why not, and which
// snapshot stands in), and applying it: Driftglyph.ini written, the saver's
// words taken anew.
class AnkiLinkModel {
 public:
  explicit AnkiLinkModel(QuorlSaver& saver);

  const ExtraSettings& settings() const { return settings_; }
  // The profiles found on this system, and the chosen one where it is elsewhere.
  const QList<AnkiProfile::Profile>& profiles() const { return profiles_; }
  // The chosen profile's decks that hold cards; empty while it cannot be read.
  const QStringList& decks() const { return decks_; }
  // The chosen profile's note types whose question and answer may be chosen.
  const QList<Collection::NoteType>& noteTypes() const { return noteTypes_; }
  // A note type's question and answer as chosen (else its first two fields).
  ExtraSettings::NoteFields fieldsOf(const Collection::NoteType& type) const;
  // One Japanese line: the words the choice gives, or why none.
  const QString& status() const { return status_; }

  void setUsed(bool used);
  void setProfile(const QString& folder);
  void setDeck(const QString& deck);
  void setCards(ExtraSettings::AnkiCards cards);
  void setFields(const QString& noteType, const QString& question, const QString& answer);

  // Writes Driftglyph.ini and loads the saver's words as now chosen; false
  // (with a Japanese `error`) when the file could not be written.
  bool apply(QString* error);

  static QString allDecks() { return SettingsTexts::kAllDecks; }

 private:
  void readProfile();

  QuorlSaver& saver_;
  ExtraSettings settings_;
  QList<AnkiProfile::Profile> profiles_;
  QStringList decks_;
  QList<Collection::NoteType> noteTypes_;
  QSet<QString> changedFields_;  // note types whose fields were chosen here
  QString status_;
};
