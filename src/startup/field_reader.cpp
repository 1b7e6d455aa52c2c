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

qsizetype FieldReader::separatorFrom(qsizetype from) const {
  const QChar* const data = text_.constData();
  const qsizetype size = text_.size();
  while (from < size && data[from] != u',' && data[from] != u'\r' && data[from] != u'\n') ++from;
  return from;
}

void FieldReader::skipBlankLines() {
  if (fieldPending_) return;
  if (pos_ > 0 && text_.at(pos_ - 1) != u'\n' && text_.at(pos_ - 1) != u'\r') return;
  for (;;) {
    qsizetype at = pos_;
    while (at < text_.size() && (text_.at(at) == u' ' || text_.at(at) == u'\t')) ++at;
    if (at >= text_.size() || (text_.at(at) != u'\r' && text_.at(at) != u'\n')) return;
    pos_ = at;
    skipSeparatorAfterField();
  }
}

std::optional<QString> FieldReader::readString() {
  if (atEnd()) return std::nullopt;
  const QChar* const data = text_.constData();
  const qsizetype size = text_.size();
  while (pos_ < size && data[pos_] == u' ') ++pos_;

  QString value;
  if (pos_ < size && data[pos_] == u'"') {
    const qsizetype start = pos_ + 1;
    qsizetype close = text_.indexOf(u'"', start);
    if (close < 0) close = size;
    value = QString(data + start, close - start);
    // Whatever stands between the closing quote and the separator is not part of the value.
    pos_ = separatorFrom(close < size ? close + 1 : close);
  } else {
    const qsizetype start = pos_;
    pos_ = separatorFrom(pos_);
    qsizetype end = pos_;
    while (end > start && data[end - 1] == u' ') --end;
    value = QString(data + start, end - start);
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
