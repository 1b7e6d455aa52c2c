#pragma once

#include <QString>
#include <optional>

// Reads the comma-separated fields that every text file of the program is
// made of (settings, word lists, imports, the companion's files):
//  - a comma or a line end (CR LF, or LF alone) ends a field;
//  - spaces before a field are skipped;
//  - a field that starts with a double quote runs to the next double quote and
//    may hold commas; anything after the closing quote up to the separator is
//    dropped;
//  - an unquoted field runs to the next comma or line end, trailing spaces cut.
// Every read takes the next field, whatever line it stands on.
class FieldReader {
 public:
  explicit FieldReader(QString text);

  // True when nothing but blank lines and spaces is left, unless the last
  // field ended with a comma: the (empty) field after it is still to come.
  bool atEnd() const;

  // Skips lines that hold nothing but spaces and tabs, when the reader
  // stands at the start of a line. A csv record never starts on a blank
  // line: without this, the blank line would be read as one empty field and
  // shift the pairing of every later record.
  void skipBlankLines();

  // The next field; nullopt when reading past the end.
  std::optional<QString> readString();
  // The next field as a plain decimal number; nullopt past the end or when
  // the field is not a number.
  std::optional<qint64> readNumber();
  // The rest of the current line, without its line end; an empty line when
  // the last field ended with a comma at the very end of the text.
  std::optional<QString> readLine();
  // The rest of the current record as written: its fields up to the line end
  // that follows one of them. Unlike readLine, a quoted field may run across
  // line ends, so a record holding such a field reads back whole.
  std::optional<QString> readRecord();

 private:
  void skipSeparatorAfterField();
  // The first comma or line end at or after `from`, or the end of the text.
  qsizetype separatorFrom(qsizetype from) const;

  QString text_;
  qsizetype pos_ = 0;
  bool fieldPending_ = false;  // the last separator was a comma
  qsizetype fieldEnd_ = 0;     // where the last field's text ended, before its separator
  // Where the run of blank characters from some earlier position ends: the
  // first character that is not blank, or the end of the text. While pos_
  // has not passed it, atEnd() needs no new scan, so reading a long run of
  // blank lines stays linear.
  mutable qsizetype contentAt_ = -1;
};
