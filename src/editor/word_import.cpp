#include "editor/word_import.h"

#include <QStringList>

#include "startup/trim_spaces.h"
#include "startup/field_reader.h"
#include "startup/file_io.h"
#include "startup/maker_page.h"
#include "startup/text_codec.h"

namespace WordImport {

namespace {

// Appends a pair, or only counts it once the import is full; false then.
bool append(ImportedWords& words, const QString& question, const QString& answer) {
  if (words.count() >= kMaxImportedPairs) {
    ++words.pairsLeftOut;
    return false;
  }
  words.questions.append(question);
  words.answers.append(answer);
  return true;
}

std::optional<ImportedWords> unlessEmpty(ImportedWords words) {
  if (words.count() == 0) return std::nullopt;
  return words;
}

std::optional<QString> decodedFile(const QString& path) {
  if (!FileIo::isFile(path)) return std::nullopt;
  const std::optional<QByteArray> bytes = FileIo::readAll(path);
  if (!bytes) return std::nullopt;
  return TextCodec::decode(*bytes);
}

QString joinLines(const QStringList& lines) { return lines.join(QStringLiteral("\r\n")); }

}  // namespace

TextFormat textFormatOf(const QString& fileName) {
  return fileName.endsWith(QStringLiteral("csv"), Qt::CaseSensitive) ? TextFormat::Csv
                                                                     : TextFormat::LineByLine;
}

std::optional<ImportedWords> parseCsv(const QString& text) {
  FieldReader reader(text);
  ImportedWords words;
  while (!reader.atEnd()) {
    const std::optional<QString> question = reader.readString();
    const std::optional<QString> answer = reader.readString();
    if (!question || !answer) return std::nullopt;  // the file ends without the answer field
    const QString q = trimSpaces(*question);
    const QString a = trimSpaces(*answer);
    if (!q.isEmpty() || !a.isEmpty()) append(words, q, a);
  }
  return unlessEmpty(std::move(words));
}

std::optional<ImportedWords> parseLineByLine(const QString& text) {
  FieldReader reader(text);
  ImportedWords words;
  bool answerExpected = false;
  bool questionKept = false;  // the pending question was not left out
  while (!reader.atEnd()) {
    const QString field = trimSpaces(reader.readString().value_or(QString()));
    if (field.isEmpty()) continue;
    if (answerExpected) {
      if (questionKept) words.answers.last() = field;
      answerExpected = false;
    } else {
      questionKept = append(words, field, QString());
      answerExpected = true;
    }
  }
  return unlessEmpty(std::move(words));
}

std::optional<ImportedWords> importTextFile(const QString& path) {
  const std::optional<QString> text = decodedFile(path);
  if (!text) return std::nullopt;
  return textFormatOf(path) == TextFormat::Csv ? parseCsv(*text) : parseLineByLine(*text);
}

VcbImport parseVcb(const QString& text) {
  constexpr int kMeanings = 5;
  VcbImport result;
  FieldReader reader(text);
  const std::optional<qint64> entries = reader.readNumber();
  const std::optional<QString> questionFont = reader.readString();
  const std::optional<QString> answerFont = reader.readString();
  const std::optional<QString> unused = reader.readString();
  if (!entries || !questionFont || !answerFont || !unused) return result;
  result.questionFont = questionFont;
  result.answerFont = answerFont;

  ImportedWords words;
  for (qint64 entry = 0; entry < *entries; ++entry) {
    // The entry's number (not used), the word and five meanings; reading
    // past the end of the file is an error.
    const std::optional<QString> number = reader.readString();
    const std::optional<QString> word = reader.readString();
    if (!number || !word) return result;
    for (int meaning = 0; meaning < kMeanings; ++meaning) {
      const std::optional<QString> text = reader.readString();
      if (!text) return result;
      if (!trimSpaces(*text).isEmpty()) append(words, *word, *text);
    }
  }
  result.words = unlessEmpty(std::move(words));
  return result;
}

VcbImport importVcbFile(const QString& path) {
  const std::optional<QString> text = decodedFile(path);
  if (!text) return {};
  return parseVcb(*text);
}

QString csvHelpText() {
  return joinLines({
      QStringLiteral("表計算ｿﾌﾄなどで入力したcsv(ｺﾝﾏ区切り)ﾃﾞｰﾀを"),
      QStringLiteral("変換することが出来ます。"),
      QStringLiteral("------------------------------------------"),
      QStringLiteral("QUESTION,ANSWER"),
      QStringLiteral("QUESTION,ANSWER"),
      QStringLiteral("QUESTION,ANSWER"),
      QStringLiteral("QUESTION,ANSWER"),
      QStringLiteral("・・・・繰り返す"),
      QStringLiteral("------------------------------------------"),
      QStringLiteral("Questionにあたる文字とAnswerにあたる文字を"),
      QStringLiteral("横２列に並べて繰返します。３列目以降やﾃﾞｰﾀの上に"),
      QStringLiteral("余計な文字を入力してはいけません。"),
      QStringLiteral("作成後、csvﾌｧｲﾙ(*.csv)の書式でﾌｧｲﾙを"),
      QStringLiteral("保存します。これでｲﾝﾎﾟｰﾄできる書式に"),
      QStringLiteral("なります。"),
  });
}

QString textHelpText() {
  return joinLines({
      QStringLiteral("ﾃｷｽﾄﾌｧｲﾙで入力したﾃﾞｰﾀを変換することが出来ます。"),
      QStringLiteral("------------------------------------------"),
      QStringLiteral("QUESTION"),
      QStringLiteral("ANSWER"),
      QStringLiteral("(改行のみ空白行)"),
      QStringLiteral("QUESTION"),
      QStringLiteral("ANSWER"),
      QStringLiteral("(改行のみ空白行)"),
      QStringLiteral("・・・・繰り返す"),
      QStringLiteral("------------------------------------------"),
      QStringLiteral("Questionにあたる文字・Answerにあたる文字・"),
      QStringLiteral("改行とそれぞれ１行づつで入力して繰り返します。"),
      QStringLiteral("作成後、ﾃｷｽﾄﾌｧｲﾙ(*.txt)の書式で"),
      QStringLiteral("ﾌｧｲﾙを保存します。これでｲﾝﾎﾟｰﾄできる書式に"),
      QStringLiteral("なります。"),
  });
}

QString vcbHelpText() {
  return joinLines({
      QStringLiteral("ここで言うvcbﾌｧｲﾙはQuorlingの問題ﾃﾞｰﾀです。"),
      QStringLiteral("Quorlingをﾀﾞｳﾝﾛｰﾄﾞしていれば実行ファイル"),
      QStringLiteral("[Quorl.exe]のあるﾌｫﾙﾀﾞに最後がvcbになって"),
      QStringLiteral("いるﾌｧｲﾙがあります。これらはDriftglyphの形式へ"),
      QStringLiteral("変換できます。"),
      QStringLiteral("詳しくは<") + kMakerPage + QStringLiteral(">"),
      QStringLiteral("へアクセス！"),
  });
}

}  // namespace WordImport
