#include "startup/word_list.h"

#include "startup/field_reader.h"
#include "startup/file_io.h"
#include "startup/record_writer.h"
#include "startup/text_codec.h"

namespace WordListFile {

namespace {

struct Header {
  std::optional<qint64> count;
  std::optional<QString> questionFont;
  std::optional<QString> answerFont;
};

Header readHeader(FieldReader& reader) {
  Header header;
  header.count = reader.readNumber();
  header.questionFont = reader.readString();
  header.answerFont = reader.readString();
  return header;
}

// Reads up to `count` pairs; those beyond kMaxPairs are only counted.
void readPairs(FieldReader& reader, qint64 count, WordList& list) {
  for (qint64 i = 0; i < count && !reader.atEnd(); ++i) {
    const QString question = reader.readString().value_or(QString());
    const QString answer = reader.readString().value_or(QString());
    if (i < kMaxPairs)
      list.append(question, answer);
    else
      ++list.pairsLeftOut;
  }
}

}  // namespace

WordList parse(const QByteArray& bytes) {
  WordList list;
  FieldReader reader(TextCodec::decode(bytes));
  const Header header = readHeader(reader);
  list.questionFont = header.questionFont.value_or(kFallbackListFont);
  list.answerFont = header.answerFont.value_or(kFallbackListFont);
  readPairs(reader, header.count.value_or(0), list);
  return list;
}

std::optional<WordList> parseChecked(const QByteArray& bytes) {
  FieldReader reader(TextCodec::decode(bytes));
  const Header header = readHeader(reader);
  if (!header.count || !header.questionFont || !header.answerFont) return std::nullopt;
  WordList list;
  list.questionFont = *header.questionFont;
  list.answerFont = *header.answerFont;
  readPairs(reader, *header.count, list);
  return list;
}

QByteArray format(const WordList& list) {
  RecordWriter writer;
  const int count = std::min(list.count(), kMaxPairs);
  writer.number(count).string(list.questionFont).string(list.answerFont).endLine();
  for (int i = 0; i < count; ++i)
    writer.string(list.questions.at(i)).string(list.answers.value(i)).endLine();
  return writer.bytes();
}

std::optional<WordList> read(const QString& path) {
  const std::optional<QByteArray> bytes = FileIo::readAll(path);
  if (!bytes) return std::nullopt;
  return parse(*bytes);
}

std::optional<WordList> readChecked(const QString& path) {
  const std::optional<QByteArray> bytes = FileIo::readAll(path);
  if (!bytes) return std::nullopt;
  return parseChecked(*bytes);
}

bool write(const QString& path, const WordList& list, QString* error) {
  // A longer list cannot be read back whole; refuse it rather than drop pairs.
  if (list.count() > kMaxPairs) {
    if (error) *error = QStringLiteral("A word list holds at most %1 pairs.").arg(kMaxPairs);
    return false;
  }
  return FileIo::writeAtomically(path, format(list), error);
}

}  // namespace WordListFile
