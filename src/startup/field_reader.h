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

  // The next field; nullopt when reading past the end.
  std::optional<QString> readString();
  // The next field as a plain decimal number; nullopt past the end or when
  // the field is not a number.
  std::optional<qint64> readNumber();
  // The rest of the current line, without its line end.
  std::optional<QString> readLine();

 private:
  void skipSeparatorAfterField();

  QString text_;
  qsizetype pos_ = 0;
  bool fieldPending_ = false;  // the last separator was a comma
};
