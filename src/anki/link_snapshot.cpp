#include "anki/link_snapshot.h"

#include <QSettings>

#include "startup/file_io.h"
#include "startup/paths.h"

namespace LinkSnapshot {

namespace {

QString listPath(const QString& home) { return Paths::join(home, QStringLiteral("AnkiSnapshot.dgl")); }
QString notePath(const QString& home) { return Paths::join(home, QStringLiteral("AnkiSnapshot.ini")); }

// What a snapshot was read for, as one line.
QString choiceOf(const ExtraSettings& s) {
  QStringList choice{s.ankiProfile, s.ankiDeck, s.ankiCards == ExtraSettings::AnkiCards::All ? "all" : "due",
                     s.ankiQuestion, s.ankiAnswer};
  for (const ExtraSettings::NoteFields& fields : s.noteFields) choice << fields.noteType << fields.question << fields.answer;
  return choice.join(QChar(0x1f));
}

}  // namespace

bool save(const QString& home, const ExtraSettings& settings, const WordList& words, const QDateTime& taken) {
  if (!WordListFile::write(listPath(home), words)) return false;
  QSettings note(notePath(home), QSettings::IniFormat);
  note.setValue(QStringLiteral("snapshot/choice"), choiceOf(settings));
  note.setValue(QStringLiteral("snapshot/taken"), taken.toUTC().toString(Qt::ISODate));
  note.sync();
  return note.status() == QSettings::NoError;
}

std::optional<Snapshot> load(const QString& home, const ExtraSettings& settings) {
  const QSettings note(notePath(home), QSettings::IniFormat);
  if (note.status() != QSettings::NoError || note.value(QStringLiteral("snapshot/choice")).toString() != choiceOf(settings))
    return std::nullopt;
  QDateTime taken = QDateTime::fromString(note.value(QStringLiteral("snapshot/taken")).toString(), Qt::ISODate);
  if (!taken.isValid() || !FileIo::isFile(listPath(home))) return std::nullopt;
  std::optional<WordList> words = WordListFile::readChecked(listPath(home));
  if (!words || words->isEmpty()) return std::nullopt;
  return Snapshot{std::move(*words), taken.toLocalTime()};
}

}  // namespace LinkSnapshot
