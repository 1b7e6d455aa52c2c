#pragma once

#include <QString>
#include <cstdint>
#include <functional>
#include <optional>

#include "startup/extra_settings.h"
#include "startup/random_source.h"
#include "startup/saver_settings.h"
#include "startup/word_list.h"

// The state that the display, the settings dialog and the editor share: the
// settings, the current word list and where the words came from. One instance lives for the whole run and is
// handed to each window; nothing here is global.
class QuorlSaver {
 public:
  // The most of DrifStt that is read: its eleven short lines fit many times over.
  static constexpr qint64 kSettingsBytes = 64 * 1024;

  explicit QuorlSaver(QString homeFolder);

  SaverSettings settings;
  // The settings of Driftglyph.ini, read by every load.
  ExtraSettings extra;
  WordList words;
  // 0 = the words came from the companion; otherwise equal to linkState.
  uint8_t companionState = 0;
  // The one random generator of the program (display and editor shuffle).
  RandomSource random;

  const QString& homeFolder() const { return home_; }
  QString settingsPath() const;
  // The home folder's default list and picture; where the home folder lacks
  // them (it could not be given copies, or a mode only reads), the ones in
  // `defaultsFolder`.
  QString defaultListPath() const;
  QString defaultPicturePath() const;
  void setDefaultsFolder(QString folder) { defaults_ = std::move(folder); }

  // The given path when a file of that name exists, else the default picture.
  QString pictureOrDefault(const QString& path) const;

  // Reads DrifStt, links the companion when not yet looked for, takes the
  // companion's words or the chosen list, and rewrites the settings file
  // when it was read whole or was not there (unless `writes` is OnlyRead,
  // for a mode that only reports). Never fails: missing or bad lines keep
  // their defaults.
  enum class Writes { SettingsFile, OnlyRead };
  void load(Writes writes = Writes::SettingsFile);

  // Writes DrifStt; false (with `error`) when the file could not be written,
  // in which case the old file is left whole.
  bool save(QString* error = nullptr) const;

  // Reads the chosen list file, or the default one, into `words`.
  void loadOwnWordList();

  // The words as the settings choose them: the companion's, or the own or
  // default list, then those of a source beyond DrifStt where Driftglyph.ini
  // chooses one and it gives words.
  void loadWords();

  // A source of words beyond DrifStt (the flashcard program's profile),
  // installed by the program where it is built in. It returns nullopt when
  // Driftglyph.ini does not choose it or it has no words: the DrifStt choice
  // stands then. `name` is what the settings dialog shows for the list.
  struct ExtraWords {
    WordList words;
    QString name;
  };
  using ExtraSource = std::function<std::optional<ExtraWords>(const QuorlSaver&)>;
  void setExtraSource(ExtraSource source) { extraSource_ = std::move(source); }
  // The name of the source the words came from, empty for the DrifStt choice.
  const QString& extraSourceName() const { return extraSourceName_; }
  // The words no longer come from that source (the user applied a list of their own).
  void leaveExtraSource() { extraSourceName_.clear(); }

 private:
  QString defaultFile(const QString& name) const;

  QString home_;
  QString defaults_;
  ExtraSource extraSource_;
  QString extraSourceName_;
};
