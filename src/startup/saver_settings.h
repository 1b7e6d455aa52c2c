#pragma once

#include <QByteArray>
#include <QString>
#include <array>
#include <cstdint>

inline constexpr int kPatternCount = 16;
inline const QString kDefaultWord = QStringLiteral("DEFAULT");

// The eleven persisted settings, in the order of the settings file DrifStt.
// The defaults are those a new installation starts with.
struct SaverSettings {
  uint8_t linkState = 0;          // 0 not yet looked for, 1 companion found, 2 not found
  QString companionFolder;        // folder of the companion's executable, no trailing separator
  uint8_t patternOrder = 0;       // 0 random, 1 list order
  std::array<uint8_t, kPatternCount> patternExcluded{};  // nonzero: pattern k+1 is left out
  uint8_t speed = 3;              // 1 slow .. 7 fast
  QString backgroundPath = kDefaultWord;
  int32_t questionColor = 0x00FFFFFF;  // 0x00BBGGRR
  int32_t answerColor = 0x0080FFFF;
  uint8_t wordOrder = 0;          // 0 random, 1 list order
  uint8_t ownList = 0;            // nonzero: always the list in wordListPath
  QString wordListPath = kDefaultWord;

  bool operator==(const SaverSettings&) const = default;
};

// The settings file: eleven CR LF lines of comma-separated values. Reading is
// record by record (a quoted path may hold line breaks) and never fails: every
// line that is missing or unreadable keeps the default value, so a hand-edited
// or short file still loads.
namespace SettingsFile {

struct Parsed {
  SaverSettings settings;
  int linesRead = 0;  // how many of the eleven lines held valid values
};

Parsed parse(const QByteArray& bytes);
QByteArray format(const SaverSettings& settings);

}  // namespace SettingsFile
