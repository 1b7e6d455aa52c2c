#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <utility>
#include <vector>

#include "startup/saver_settings.h"
#include "startup/word_list.h"
#include "support/numbered_list.h"

// Files on disk for the settings tests: a home folder with its settings file
// and lists, and a companion folder with the trainer's files.
namespace SettingsFixture {

inline void writeFile(const QString& path, const QByteArray& bytes) {
  QDir().mkpath(QFileInfo(path).absolutePath());
  QFile file(path);
  if (!file.open(QIODevice::WriteOnly)) qFatal("cannot write %s", qPrintable(path));
  file.write(bytes);
}

inline QByteArray readFile(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

inline void writeList(const QString& path, const WordList& list) { writeFile(path, WordListFile::format(list)); }

inline void writeSettings(const QString& home, const SaverSettings& settings) {
  writeFile(QDir(home).filePath(QStringLiteral("DrifStt")), SettingsFile::format(settings));
}

// A companion folder holding Quorl.exe; with `words`, also a status file
// pointing at book 12 of shelf 3 and that book's index with the given pairs.
inline QString makeCompanion(const QString& folder, const std::vector<std::pair<QString, QString>>& words,
                             const QString& executable = QStringLiteral("Quorl.exe")) {
  QDir().mkpath(folder);
  writeFile(QDir(folder).filePath(executable), QByteArray("MZ"));
  if (!words.empty()) {
    writeFile(QDir(folder).filePath(QStringLiteral("Status.ini")), "3,12\r\n");
    QByteArray index;
    for (const auto& [q, a] : words) index += "\"" + q.toUtf8() + "\",\"" + a.toUtf8() + "\",0\r\n";
    writeFile(QDir(folder).filePath(QStringLiteral("12.3i")), index);
  }
  return folder;
}

}  // namespace SettingsFixture
