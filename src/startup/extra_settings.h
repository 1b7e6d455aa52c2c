#pragma once

#include <QList>
#include <QString>

// Settings beyond DrifStt, kept in the home folder's Driftglyph.ini (Qt's INI
// format). DrifStt stays the eleven lines it always was; everything newer
// lives here. A missing, unreadable or odd file, and every odd value in it,
// gives the defaults below.
struct ExtraSettings {
  enum class WordSource { Settings, Anki };  // Settings: as DrifStt chooses
  enum class AnkiCards { Due, All };

  // [display]
  bool smooth = true;        // glide between ticks at the screen's refresh rate
  bool everyMonitor = true;  // a display on every monitor of /s, not only the first

  // [source]
  WordSource words = WordSource::Settings;

  // [anki]
  QString ankiProfile;       // profile folder (holds collection.anki2)
  QString ankiDeck;          // "Parent::Child", empty for every deck
  AnkiCards ankiCards = AnkiCards::Due;
  QString ankiQuestion;      // field names; empty for the note type's first two
  QString ankiAnswer;

  // [note_fields]: the question and answer fields the user chose for each
  // note type of more than two fields, by note type name; asked once.
  struct NoteFields {
    QString noteType;
    QString question;
    QString answer;
    bool operator==(const NoteFields&) const = default;
  };
  QList<NoteFields> noteFields;
  // The remembered choice for a note type, if any.
  const NoteFields* fieldsFor(const QString& noteType) const {
    for (const NoteFields& fields : noteFields)
      if (fields.noteType == noteType) return &fields;
    return nullptr;
  }

  bool operator==(const ExtraSettings&) const = default;
};

namespace ExtraSettingsFile {

QString path(const QString& home);

ExtraSettings load(const QString& home);

// Writes the file only when its content would change. False with `error`
// (Japanese, for the user) when it could not be written.
bool save(const QString& home, const ExtraSettings& settings, QString* error = nullptr);

}  // namespace ExtraSettingsFile
