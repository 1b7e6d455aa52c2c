#pragma once

#include <QString>
#include <array>
#include <cstdint>
#include <optional>

#include "startup/companion_link.h"
#include "startup/saver_settings.h"
#include "startup/word_list.h"

class QuorlSaver;

using SourceMark = CompanionLink::SourceMark;

struct SourceMarkState {
  bool connector = false;  // the line between the companion button and the words
  SourceMark mark = SourceMark::None;
  bool operator==(const SourceMarkState&) const = default;
};

// The settings dialog's seven-row look at the word list, its name line and
// its source mark, worked out without any widget.
namespace WordPreview {

inline constexpr int kRows = 7;

struct Row {
  bool filled = false;  // false: the row is blanked (black, no text)
  QString question;
  QString answer;
  bool operator==(const Row&) const = default;
};

struct View {
  std::array<Row, kRows> rows;
  int scrollMaximum = 0;  // the scroll bar runs 0..scrollMaximum, value 0
  bool scrollEnabled = false;
  QString questionFont;
  QString answerFont;
  QString name;      // between the brackets of the name line
  QString nameLine;  // "   Words-[ name ]"
  QString namePath;  // the whole path behind a file name; empty for DEFAULT and Quorling
  SourceMarkState source;
};

// The whole preview, scrolled to the top.
View assort(const QuorlSaver& saver);

// The source mark for the current link state.
SourceMarkState sourceMark(const SaverSettings& settings, uint8_t companionState);

// "DEFAULT" for the default list, otherwise the file-name part of the list's
// path; with `requireExisting`, empty when that file does not exist.
QString listName(const SaverSettings& settings, bool requireExisting);

QString nameLine(const QString& name);

// The rows after scrolling to `value` (index of the first pair shown, less 1).
// A row past the end of the list is nullopt: it keeps what it showed.
std::array<std::optional<Row>, kRows> scrolled(const WordList& words, int value);

}  // namespace WordPreview
