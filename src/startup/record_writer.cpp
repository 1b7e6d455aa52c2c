#include "startup/record_writer.h"

#include "startup/text_codec.h"

QString RecordWriter::storable(QString value) {
  value.replace(u'"', QChar(0xFF02));
  return value;
}

void RecordWriter::separate() {
  if (lineStarted_) text_ += u',';
  lineStarted_ = true;
}

RecordWriter& RecordWriter::string(const QString& value) {
  separate();
  text_ += u'"';
  text_ += storable(value);
  text_ += u'"';
  return *this;
}

RecordWriter& RecordWriter::number(qint64 value) {
  separate();
  text_ += QString::number(value);
  return *this;
}

RecordWriter& RecordWriter::endLine() {
  text_ += QStringLiteral("\r\n");
  lineStarted_ = false;
  return *this;
}

QByteArray RecordWriter::bytes() const { return TextCodec::encode(text_); }
