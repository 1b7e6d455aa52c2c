#include "editor/separated_text.h"

#include <QSet>
#include <QStringList>
#include <algorithm>

#include "startup/control_characters.h"
#include "startup/html_text.h"

namespace SeparatedText {

namespace {

struct Header {
  std::optional<QChar> separator;
  bool html = false;
  QSet<int> skippedColumns;  // 0-based
  QString columns;           // the names of #columns:, still joined
  qsizetype dataStart = 0;
};

bool isLineEnd(QChar c) { return c == u'\r' || c == u'\n'; }

bool isHeaderLine(QStringView line) {
  static const char* const kKeys[] = {"#separator:", "#html:", "#columns:", "#notetype", "#deck", "#tags", "#guid"};
  for (const char* key : kKeys)
    if (line.startsWith(QLatin1String(key), Qt::CaseInsensitive)) return true;
  return false;
}

std::optional<QChar> separatorNamed(const QString& value) {
  if (value.size() == 1) return value.at(0);
  static const std::pair<const char*, char16_t> kNames[] = {{"tab", u'\t'},  {"comma", u','}, {"semicolon", u';'},
                                                            {"space", u' '}, {"pipe", u'|'},  {"colon", u':'}};
  const QString name = value.trimmed().toLower();
  for (const auto& [named, character] : kNames)
    if (name == QLatin1String(named)) return QChar(character);
  if (name.size() == 1) return name.at(0);
  return std::nullopt;
}

Header readHeader(const QString& text) {
  Header header;
  qsizetype pos = 0;
  while (pos < text.size() && text.at(pos) == u'#') {
    qsizetype end = pos;
    while (end < text.size() && !isLineEnd(text.at(end))) ++end;
    const QString line = text.mid(pos, end - pos);
    const qsizetype colon = line.indexOf(u':');
    const QString key = line.mid(1, colon - 1).trimmed().toLower();
    const QString value = colon < 0 ? QString() : line.mid(colon + 1);
    if (key == QLatin1String("separator")) {
      header.separator = separatorNamed(value);
    } else if (key == QLatin1String("html")) {
      header.html = value.trimmed().compare(QLatin1String("true"), Qt::CaseInsensitive) == 0;
    } else if (key == QLatin1String("columns")) {
      header.columns = value;
    } else if (key.endsWith(QLatin1String(" column"))) {
      bool ok = false;
      const int column = value.trimmed().toInt(&ok);
      if (ok && column > 0) header.skippedColumns.insert(column - 1);
    }
    pos = end;
    if (pos < text.size() && text.at(pos) == u'\r') ++pos;
    if (pos < text.size() && text.at(pos) == u'\n') ++pos;
  }
  header.dataStart = pos;
  return header;
}

// Splits records from `pos`: one record a line, except inside quotes.
class RecordReader {
 public:
  RecordReader(const QString& text, qsizetype pos, QChar separator) : text_(text), pos_(pos), separator_(separator) {}

  bool atEnd() const { return pos_ >= text_.size(); }

  QStringList next() {
    QStringList fields;
    QString field;
    bool fieldStart = true;
    while (pos_ < text_.size()) {
      const QChar c = text_.at(pos_);
      if (fieldStart && c == u'"') {
        ++pos_;
        readQuoted(field);
        fieldStart = false;
        continue;
      }
      fieldStart = false;
      if (c == separator_) {
        fields.append(std::exchange(field, QString()));
        fieldStart = true;
        ++pos_;
        continue;
      }
      if (isLineEnd(c)) {
        ++pos_;
        if (c == u'\r' && pos_ < text_.size() && text_.at(pos_) == u'\n') ++pos_;
        break;
      }
      field += c;
      ++pos_;
    }
    fields.append(field);
    return fields;
  }

 private:
  void readQuoted(QString& field) {
    while (pos_ < text_.size()) {
      const qsizetype quote = text_.indexOf(u'"', pos_);
      if (quote < 0) {
        field += QStringView(text_).mid(pos_);
        pos_ = text_.size();
        return;
      }
      field += QStringView(text_).mid(pos_, quote - pos_);
      pos_ = quote + 1;
      if (pos_ < text_.size() && text_.at(pos_) == u'"') {
        field += u'"';
        ++pos_;
        continue;
      }
      return;
    }
  }

  const QString& text_;
  qsizetype pos_;
  QChar separator_;
};

QStringView firstDataLine(const QString& text, qsizetype from) {
  while (from < text.size() && (isLineEnd(text.at(from)) || text.at(from) == u' ')) ++from;
  qsizetype end = from;
  while (end < text.size() && !isLineEnd(text.at(end))) ++end;
  return QStringView(text).mid(from, end - from);
}

}  // namespace

bool recognises(const QString& text, bool csvName) {
  qsizetype at = text.startsWith(QChar(0xFEFF)) ? 1 : 0;
  const QStringView first = firstDataLine(text, at);
  if (isHeaderLine(first)) return true;
  if (!csvName) return first.contains(u'\t');
  // A spreadsheet's tab-separated text saved under a .csv name: its first
  // lines hold tabs and no comma.
  constexpr int kLinesLooked = 3;
  for (int line = 0; line < kLinesLooked; ++line) {
    const QStringView data = firstDataLine(text, at);
    if (data.isEmpty()) return line > 0;
    if (!data.contains(u'\t') || data.contains(u',')) return false;
    at = data.data() - text.data() + data.size();
  }
  return true;
}

std::optional<WordImport::ImportedWords> parse(const QString& text, std::optional<BoundedText::Lines> linesAfter,
                                               AnkiChoices* choices) {
  const Header header = readHeader(text);
  const QChar separator = header.separator.value_or(
      firstDataLine(text, header.dataStart).contains(u'\t') ? QChar(u'\t') : QChar(u','));
  // The named columns that hold words are the fields a choice picks from.
  FieldChoice choice;
  if (choices && !header.columns.isEmpty()) {
    QStringList names;
    const QStringList columns = header.columns.split(separator);
    for (int column = 0; column < columns.size(); ++column)
      if (!header.skippedColumns.contains(column)) names.append(columns.at(column).trimmed());
    const std::optional<FieldChoice> chosen = choices->fields(QString(), names);
    if (!chosen) return std::nullopt;
    choice = *chosen;
  }
  const int needed = std::max(choice.question, choice.answer) + 1;
  RecordReader records(text, header.dataStart, separator);
  WordImport::ImportedWords words;
  while (!records.atEnd()) {
    const QStringList fields = records.next();
    if (fields.size() == 1 && fields.first().trimmed().isEmpty()) continue;  // a blank line
    QStringList kept;
    for (int column = 0; column < fields.size() && kept.size() < needed; ++column)
      if (!header.skippedColumns.contains(column)) kept.append(fields.at(column));
    if (kept.size() < needed) {
      ++words.skipped.oneField;
      continue;
    }
    const auto plain = [&](const QString& field) {
      return header.html ? HtmlText::toPlain(field) : ControlCharacters::removed(field, true).trimmed();
    };
    const QString question = plain(kept.at(choice.question));
    const QString answer = plain(kept.at(choice.answer));
    if (question.isEmpty() || answer.isEmpty()) {
      ++words.skipped.empty;
    } else if (question.size() > SkippedNotes::kMaxFieldChars || answer.size() > SkippedNotes::kMaxFieldChars) {
      ++words.skipped.tooLong;
    } else if (words.count() < WordImport::kMaxImportedPairs) {
      words.questions.append(question);
      words.answers.append(answer);
    } else {
      ++words.leftOut.pairs;
    }
  }
  if (linesAfter) words.leftOut.addAfterCut(linesAfter->count, linesAfter->atLeast);
  if (words.count() == 0) return std::nullopt;
  return words;
}

}  // namespace SeparatedText
