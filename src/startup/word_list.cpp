#include "startup/word_list.h"

#include "startup/field_reader.h"
#include "startup/file_io.h"
#include "startup/record_writer.h"
#include "startup/text_codec.h"

namespace WordListFile {

WordList parse(const QByteArray& bytes) {
  WordList list;
  FieldReader reader(TextCodec::decode(bytes));
  const qint64 count = reader.readNumber().value_or(0);
  list.questionFont = reader.readString().value_or(kFallbackListFont);
  list.answerFont = reader.readString().value_or(kFallbackListFont);
  const qint64 wanted = std::min<qint64>(count, kMaxPairs);
  for (qint64 i = 0; i < wanted && !reader.atEnd(); ++i) {
    const QString question = reader.readString().value_or(QString());
    const QString answer = reader.readString().value_or(QString());
    list.append(question, answer);
  }
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

bool write(const QString& path, const WordList& list, QString* error) {
  // A longer list cannot be read back whole; refuse it rather than drop pairs.
  if (list.count() > kMaxPairs) {
    if (error) *error = QStringLiteral("A word list holds at most %1 pairs.").arg(kMaxPairs);
    return false;
  }
  return FileIo::writeAtomically(path, format(list), error);
}

}  // namespace WordListFile
