#include "startup/saver_settings.h"

#include "startup/field_reader.h"
#include "startup/record_writer.h"
#include "startup/text_codec.h"

namespace SettingsFile {

namespace {

std::optional<uint8_t> readByte(FieldReader& reader) {
  const std::optional<qint64> value = reader.readNumber();
  if (!value || *value < 0 || *value > 255) return std::nullopt;
  return uint8_t(*value);
}

std::optional<int32_t> readInt32(FieldReader& reader) {
  const std::optional<qint64> value = reader.readNumber();
  if (!value || *value < INT32_MIN || *value > INT32_MAX) return std::nullopt;
  return int32_t(*value);
}

// Reads eight flag bytes into `flags` starting at `first`; all or nothing.
bool readFlags(FieldReader& reader, std::array<uint8_t, kPatternCount>& flags, int first) {
  std::array<uint8_t, 8> values{};
  for (uint8_t& value : values) {
    const std::optional<uint8_t> flag = readByte(reader);
    if (!flag) return false;
    value = *flag;
  }
  std::copy(values.begin(), values.end(), flags.begin() + first);
  return true;
}

// Applies line `index` (0-based) to `s`; false when the line is unusable.
bool applyLine(int index, const QString& line, SaverSettings& s) {
  FieldReader reader(line);
  switch (index) {
    case 0:
      if (auto v = readByte(reader); v && *v <= 2) return s.linkState = *v, true;
      return false;
    case 1:
      if (auto v = reader.readString()) return s.companionFolder = *v, true;
      return false;
    case 2:
      if (auto v = readByte(reader)) return s.patternOrder = *v, true;
      return false;
    case 3:
      return readFlags(reader, s.patternExcluded, 0);
    case 4:
      return readFlags(reader, s.patternExcluded, 8);
    case 5:
      if (auto v = readByte(reader); v && *v >= 1 && *v <= 7) return s.speed = *v, true;
      return false;
    case 6:
      if (auto v = reader.readString()) return s.backgroundPath = *v, true;
      return false;
    case 7: {
      const auto question = readInt32(reader);
      const auto answer = readInt32(reader);
      if (!question || !answer) return false;
      s.questionColor = *question;
      s.answerColor = *answer;
      return true;
    }
    case 8:
      if (auto v = readByte(reader)) return s.wordOrder = *v, true;
      return false;
    case 9:
      if (auto v = readByte(reader)) return s.ownList = *v, true;
      return false;
    case 10:
      if (auto v = reader.readString()) return s.wordListPath = *v, true;
      return false;
  }
  return false;
}

}  // namespace

Parsed parse(const QByteArray& bytes) {
  Parsed result;
  // Record by record rather than split into lines: a quoted path may hold
  // line breaks (file names can on Linux), and must not shift the lines after it.
  FieldReader file(TextCodec::decode(bytes));
  for (int i = 0; i < 11; ++i) {
    const std::optional<QString> record = file.readRecord();
    if (!record) break;
    if (applyLine(i, *record, result.settings)) ++result.linesRead;
  }
  return result;
}

QByteArray format(const SaverSettings& s) {
  RecordWriter w;
  w.number(s.linkState).endLine();
  w.string(s.companionFolder).endLine();
  w.number(s.patternOrder).endLine();
  for (int i = 0; i < 8; ++i) w.number(s.patternExcluded[i]);
  w.endLine();
  for (int i = 8; i < 16; ++i) w.number(s.patternExcluded[i]);
  w.endLine();
  w.number(s.speed).endLine();
  w.string(s.backgroundPath).endLine();
  w.number(s.questionColor).number(s.answerColor).endLine();
  w.number(s.wordOrder).endLine();
  w.number(s.ownList).endLine();
  w.string(s.wordListPath).endLine();
  return w.bytes();
}

}  // namespace SettingsFile
