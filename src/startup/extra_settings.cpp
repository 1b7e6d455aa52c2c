#include "startup/extra_settings.h"

#include <QFile>
#include <QFileInfo>
#include <QSettings>

#include "startup/file_io.h"
#include "startup/paths.h"
#include "startup/startup_texts.h"

namespace ExtraSettingsFile {

namespace {

// QSettings reads "true"/"false" (and 1/0); anything else keeps the default.
bool readBool(const QSettings& ini, const QString& key, bool fallback) {
  const QString text = ini.value(key).toString().trimmed().toLower();
  if (text == QLatin1String("true") || text == QLatin1String("1")) return true;
  if (text == QLatin1String("false") || text == QLatin1String("0")) return false;
  return fallback;
}

QString readText(const QSettings& ini, const QString& key) {
  const QVariant value = ini.value(key);
  // A value with a comma comes back as a list; such a name is taken whole.
  if (value.userType() == QMetaType::QStringList) return value.toStringList().join(QLatin1Char(','));
  return value.toString();
}

}  // namespace

QString path(const QString& home) { return Paths::join(home, QStringLiteral("Driftglyph.ini")); }

ExtraSettings load(const QString& home) {
  ExtraSettings s;
  QSettings ini(path(home), QSettings::IniFormat);
  if (ini.status() != QSettings::NoError) return s;
  s.smooth = readBool(ini, QStringLiteral("display/smooth"), s.smooth);
  s.everyMonitor = readBool(ini, QStringLiteral("display/every_monitor"), s.everyMonitor);
  if (readText(ini, QStringLiteral("source/words")).trimmed().toLower() == QLatin1String("anki"))
    s.words = ExtraSettings::WordSource::Anki;
  s.ankiProfile = readText(ini, QStringLiteral("anki/profile"));
  s.ankiDeck = readText(ini, QStringLiteral("anki/deck"));
  if (readText(ini, QStringLiteral("anki/cards")).trimmed().toLower() == QLatin1String("all"))
    s.ankiCards = ExtraSettings::AnkiCards::All;
  s.ankiQuestion = readText(ini, QStringLiteral("anki/question"));
  s.ankiAnswer = readText(ini, QStringLiteral("anki/answer"));
  // A hand-edited size is not trusted: nobody has a thousand note types of their own.
  const int count = std::min(ini.beginReadArray(QStringLiteral("note_fields")), 1000);
  for (int i = 0; i < count; ++i) {
    ini.setArrayIndex(i);
    ExtraSettings::NoteFields fields{readText(ini, QStringLiteral("note_type")), readText(ini, QStringLiteral("question")),
                                     readText(ini, QStringLiteral("answer"))};
    if (!fields.noteType.isEmpty() && !fields.question.isEmpty() && !fields.answer.isEmpty())
      s.noteFields.append(fields);
  }
  ini.endArray();
  return s;
}

static QSettings::Status write(const QString& file, const ExtraSettings& s) {
  QSettings ini(file, QSettings::IniFormat);
  ini.setValue(QStringLiteral("display/smooth"), s.smooth);
  ini.setValue(QStringLiteral("display/every_monitor"), s.everyMonitor);
  ini.setValue(QStringLiteral("source/words"),
               s.words == ExtraSettings::WordSource::Anki ? QStringLiteral("anki") : QStringLiteral("settings"));
  ini.setValue(QStringLiteral("anki/profile"), s.ankiProfile);
  ini.setValue(QStringLiteral("anki/deck"), s.ankiDeck);
  ini.setValue(QStringLiteral("anki/cards"),
               s.ankiCards == ExtraSettings::AnkiCards::All ? QStringLiteral("all") : QStringLiteral("due"));
  ini.setValue(QStringLiteral("anki/question"), s.ankiQuestion);
  ini.setValue(QStringLiteral("anki/answer"), s.ankiAnswer);
  ini.remove(QStringLiteral("note_fields"));
  ini.beginWriteArray(QStringLiteral("note_fields"), int(s.noteFields.size()));
  for (int i = 0; i < s.noteFields.size(); ++i) {
    ini.setArrayIndex(i);
    ini.setValue(QStringLiteral("note_type"), s.noteFields.at(i).noteType);
    ini.setValue(QStringLiteral("question"), s.noteFields.at(i).question);
    ini.setValue(QStringLiteral("answer"), s.noteFields.at(i).answer);
  }
  ini.endArray();
  ini.sync();
  return ini.status();
}

bool save(const QString& home, const ExtraSettings& s, QString* error) {
  if (load(home) == s && QFileInfo::exists(path(home))) return true;
  if (!FileIo::mayWriteInFolder(home, path(home), error)) return false;
  QSettings::Status status = write(path(home), s);
  // QSettings never writes over a file it could not read: an odd file goes.
  if (status == QSettings::FormatError && QFile::remove(path(home))) status = write(path(home), s);
  if (status == QSettings::NoError) return true;
  if (error) *error = StartupTexts::settingsNotWritten(path(home));
  return false;
}

}  // namespace ExtraSettingsFile
