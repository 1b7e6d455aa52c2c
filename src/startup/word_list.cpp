#include "startup/word_list.h"

#include "startup/bounded_text.h"
#include "startup/field_reader.h"
#include "startup/file_io.h"
#include "startup/record_writer.h"
#include "startup/startup_texts.h"
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
// Returns how many more the count allows after the text's end.
qint64 readPairs(FieldReader& reader, qint64 count, WordList& list) {
  qint64 i = 0;
  for (; i < count && !reader.atEnd(); ++i) {
    const QString question = reader.readString().value_or(QString());
    const QString answer = reader.readString().value_or(QString());
    if (i < kMaxPairs)
      list.append(question, answer);
    else
      ++list.leftOut.pairs;
  }
  return std::max<qint64>(count - i, 0);
}

// Pairs that follow the counted ones in the text (one may be half a pair).
int pairsAfterCount(FieldReader& reader) {
  int pairs = 0;
  while (!reader.atEnd() && pairs < kMaxPairs) {
    const QString question = reader.readString().value_or(QString());
    const QString answer = reader.readString().value_or(QString());
    if (!question.isEmpty() || !answer.isEmpty()) ++pairs;
  }
  return pairs;
}

// nullopt when `checked` and the text is not a word list.
std::optional<WordList> parseText(QString text, bool checked, qint64* countLeft = nullptr) {
  FieldReader reader(std::move(text));
  const Header header = readHeader(reader);
  if (checked && (!header.count || !header.questionFont || !header.answerFont)) return std::nullopt;
  WordList list;
  list.questionFont = header.questionFont.value_or(kFallbackListFont);
  list.answerFont = header.answerFont.value_or(kFallbackListFont);
  const qint64 left = readPairs(reader, header.count.value_or(0), list);
  if (countLeft) *countLeft = left;
  if (left == 0) list.leftOut.beyondCount = pairsAfterCount(reader);
  return list;
}

std::optional<WordList> readFile(const QString& path, bool checked) {
  BoundedText file;
  if (!file.open(path)) return std::nullopt;
  qint64 countLeft = 0;
  std::optional<WordList> list = parseText(file.takeText(), checked, &countLeft);
  if (list) list->leftOut.badLines = file.badLines();
  if (!list || file.whole()) return list;
  const BoundedText::Lines beyond = file.linesBeyond(countLeft);
  list->leftOut.addAfterCut(beyond.count, beyond.atLeast);
  return list;
}

}  // namespace

WordList parse(const QByteArray& bytes) { return *parseText(TextCodec::decode(bytes), false); }

std::optional<WordList> parseChecked(const QByteArray& bytes) { return parseText(TextCodec::decode(bytes), true); }

QByteArray format(const WordList& list) {
  RecordWriter writer;
  const int count = std::min(list.count(), kMaxPairs);
  writer.number(count).string(list.questionFont).string(list.answerFont).endLine();
  for (int i = 0; i < count; ++i)
    writer.string(list.questions.at(i)).string(list.answers.value(i)).endLine();
  return writer.bytes();
}

std::optional<WordList> read(const QString& path) { return readFile(path, false); }

std::optional<WordList> readChecked(const QString& path) { return readFile(path, true); }

namespace {

// Why a list of `pairs` pairs, whose file would be `bytes`, is not written.
QString refusalOf(qsizetype pairs, const QByteArray& bytes) {
  if (pairs > kMaxPairs) return StartupTexts::tooManyPairs(kMaxPairs);
  if (!BoundedText::readsWhole(bytes))
    return StartupTexts::listTooLarge(BoundedText::kReadBytes >> 20);
  return QString();
}

}  // namespace

QString refusal(const WordList& list) { return refusalOf(list.count(), format(list)); }

bool write(const QString& path, const WordList& list, QString* error) {
  // A list that could not be read back whole is refused rather than cut;
  // the text is made once, for the check and the file.
  const QByteArray bytes = format(list);
  if (const QString refused = refusalOf(list.count(), bytes); !refused.isEmpty()) {
    if (error) *error = refused;
    return false;
  }
  return FileIo::writeAtomically(path, bytes, error);
}

}  // namespace WordListFile
