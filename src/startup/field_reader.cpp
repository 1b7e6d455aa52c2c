#include "startup/field_reader.h"

FieldReader::FieldReader(QString text) : text_(std::move(text)) {}

namespace {

bool isBlank(QChar c) {
  return c == u' ' || c == u'\r' || c == u'\n' || c == u'\t' || c == QChar(0x1A);
}

}  // namespace

bool FieldReader::atEnd() const {
  if (fieldPending_) return false;
  if (contentAt_ < pos_) {
    contentAt_ = pos_;
    while (contentAt_ < text_.size() && isBlank(text_.at(contentAt_))) ++contentAt_;
  }
  return contentAt_ >= text_.size();
}

void FieldReader::skipSeparatorAfterField() {
  fieldEnd_ = pos_;
  fieldPending_ = false;
  if (pos_ >= text_.size()) return;
  const QChar c = text_.at(pos_);
  if (c == u',') {
    fieldPending_ = true;
    ++pos_;
  } else if (c == u'\r') {
    ++pos_;
    if (pos_ < text_.size() && text_.at(pos_) == u'\n') ++pos_;
  } else if (c == u'\n') {
    ++pos_;
  }
}

std::optional<QString> FieldReader::readString() {
  if (atEnd()) return std::nullopt;
  while (pos_ < text_.size() && text_.at(pos_) == u' ') ++pos_;

  QString value;
  if (pos_ < text_.size() && text_.at(pos_) == u'"') {
    const qsizetype start = pos_ + 1;
    qsizetype close = text_.indexOf(u'"', start);
    if (close < 0) close = text_.size();
    value = text_.mid(start, close - start);
    pos_ = close < text_.size() ? close + 1 : close;
    // Whatever stands between the closing quote and the separator is not part of the value.
    while (pos_ < text_.size() && text_.at(pos_) != u',' && text_.at(pos_) != u'\r' &&
           text_.at(pos_) != u'\n')
      ++pos_;
  } else {
    const qsizetype start = pos_;
    while (pos_ < text_.size() && text_.at(pos_) != u',' && text_.at(pos_) != u'\r' &&
           text_.at(pos_) != u'\n')
      ++pos_;
    value = text_.mid(start, pos_ - start);
    while (value.endsWith(u' ')) value.chop(1);
  }
  skipSeparatorAfterField();
  return value;
}

std::optional<qint64> FieldReader::readNumber() {
  const std::optional<QString> field = readString();
  if (!field) return std::nullopt;
  bool ok = false;
  const qint64 value = field->trimmed().toLongLong(&ok);
  if (!ok) return std::nullopt;
  return value;
}

std::optional<QString> FieldReader::readLine() {
  if (pos_ >= text_.size()) {
    if (!fieldPending_) return std::nullopt;
    fieldPending_ = false;
    return QString();
  }
  qsizetype end = pos_;
  while (end < text_.size() && text_.at(end) != u'\r' && text_.at(end) != u'\n') ++end;
  QString line = text_.mid(pos_, end - pos_);
  pos_ = end;
  skipSeparatorAfterField();
  return line;
}

std::optional<QString> FieldReader::readRecord() {
  if (atEnd()) return std::nullopt;
  const qsizetype start = pos_;
  do readString();
  while (fieldPending_);
  return text_.mid(start, fieldEnd_ - start);
}
