#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// Writes records in the format FieldReader reads: strings in double quotes,
// numbers in plain decimal, fields separated by commas, lines ended by CR LF.
// A double quote cannot be stored inside a quoted field, so it is written as
// the full-width quotation mark U+FF02, which looks the same to a reader.
class RecordWriter {
 public:
  RecordWriter& string(const QString& value);
  RecordWriter& number(qint64 value);
  RecordWriter& endLine();

  // The whole text written so far, encoded in the system code page.
  QByteArray bytes() const;
  const QString& text() const { return text_; }

  static QString storable(QString value);

 private:
  void separate();

  QString text_;
  bool lineStarted_ = false;
};
