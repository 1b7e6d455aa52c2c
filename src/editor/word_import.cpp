#include "editor/word_import.h"

#include <QStringList>

#include <limits>

#include "editor/separated_text.h"
#include "startup/bounded_text.h"
#include "startup/control_characters.h"
#include "startup/field_reader.h"
#include "startup/trim_spaces.h"

namespace WordImport {

namespace {

// What follows the text in a file too long to be read whole.
using Rest = std::optional<BoundedText::Lines>;

// Appends a pair, or only counts it once the import is full; false then.
bool append(ImportedWords& words, const QString& question, const QString& answer) {
  if (words.count() >= kMaxImportedPairs) {
    ++words.leftOut.pairs;
    return false;
  }
  words.questions.append(ControlCharacters::removed(question, true));
  words.answers.append(ControlCharacters::removed(answer, true));
  return true;
}

std::optional<ImportedWords> unlessEmpty(ImportedWords words) {
  if (words.count() == 0) return std::nullopt;
  return words;
}

struct FileText {
  QString text;
  Rest rest;
  int badLines = 0;
};

std::optional<FileText> readFile(const QString& path) {
  BoundedText file;
  if (!file.open(path)) return std::nullopt;
  FileText read{file.takeText(true), std::nullopt, file.badLines()};
  if (!file.whole()) read.rest = file.linesBeyond(std::numeric_limits<qint64>::max());
  return read;
}

std::optional<ImportedWords> csvPairs(const QString& text, const Rest& rest) {
  FieldReader reader(text);
  ImportedWords words;
  for (reader.skipBlankLines(); !reader.atEnd(); reader.skipBlankLines()) {
    const std::optional<QString> question = reader.readString();
    const std::optional<QString> answer = reader.readString();
    // The file ends without the answer field; in a cut text, the rest holds it.
    if (!question || !answer) {
      if (rest) break;
      return std::nullopt;
    }
    const QString q = trimSpaces(*question);
    const QString a = trimSpaces(*answer);
    if (!q.isEmpty() || !a.isEmpty()) append(words, q, a);
  }
  if (rest) words.leftOut.addAfterCut(rest->count, rest->atLeast);
  return unlessEmpty(std::move(words));
}

std::optional<ImportedWords> lineByLinePairs(const QString& text, const Rest& rest) {
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
  // A last question without its answer gives no pair: left out and counted,
  // with the rest when its answer lies beyond the part read.
  const bool answerCut = answerExpected && rest && rest->count > 0;
  if (answerExpected && questionKept) {
    words.questions.removeLast();
    words.answers.removeLast();
    if (!answerCut) ++words.skipped.empty;
  }
  if (rest) {
    // A pending question takes the rest's first line as its answer.
    const qint64 fields = rest->count - (answerCut ? 1 : 0);
    words.leftOut.addAfterCut((fields + 1) / 2 + (answerCut && questionKept ? 1 : 0), rest->atLeast);
  }
  return unlessEmpty(std::move(words));
}

VcbImport vcbPairs(const QString& text, const Rest& rest) {
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
  qint64 entry = 0;
  for (; entry < *entries; ++entry) {
    // The entry's number (not used), the word and five meanings; reading
    // past the end of the file is an error, past the end of a cut text not.
    const std::optional<QString> number = reader.readString();
    const std::optional<QString> word = reader.readString();
    if (!number || !word) break;
    int meaning = 0;
    for (; meaning < kMeanings; ++meaning) {
      const std::optional<QString> text = reader.readString();
      if (!text) break;
      if (!trimSpaces(*text).isEmpty()) append(words, *word, *text);
    }
    if (meaning < kMeanings) break;
  }
  if (entry < *entries) {
    const qint64 entriesLeft = *entries - entry;
    // Only a rest that holds the missing entries, or is too long to tell, makes up for them.
    if (!rest || (!rest->atLeast && rest->count < entriesLeft)) return result;
    words.leftOut.addAfterCut(std::min(rest->count, entriesLeft), true);
  } else if (rest) {
    words.leftOut.addAfterCut(0, false);
  }
  result.words = unlessEmpty(std::move(words));
  return result;
}

}  // namespace

TextFormat textFormatOf(const QString& fileName) {
  return fileName.endsWith(QStringLiteral("csv"), Qt::CaseSensitive) ? TextFormat::Csv
                                                                     : TextFormat::LineByLine;
}

std::optional<ImportedWords> parseCsv(const QString& text) { return csvPairs(text, std::nullopt); }

std::optional<ImportedWords> parseLineByLine(const QString& text) { return lineByLinePairs(text, std::nullopt); }

std::optional<ImportedWords> importTextFile(const QString& path, AnkiChoices* choices) {
  const std::optional<FileText> file = readFile(path);
  if (!file) return std::nullopt;
  std::optional<ImportedWords> words =
      SeparatedText::recognises(file->text, textFormatOf(path) == TextFormat::Csv) ? SeparatedText::parse(file->text, file->rest, choices)
      : textFormatOf(path) == TextFormat::Csv                                     ? csvPairs(file->text, file->rest)
                                                                                   : lineByLinePairs(file->text, file->rest);
  if (words) words->leftOut.badLines = file->badLines;
  return words;
}

VcbImport parseVcb(const QString& text) { return vcbPairs(text, std::nullopt); }

VcbImport importVcbFile(const QString& path) {
  const std::optional<FileText> file = readFile(path);
  if (!file) return {};
  VcbImport imported = vcbPairs(file->text, file->rest);
  if (imported.words) imported.words->leftOut.badLines = file->badLines;
  return imported;
}

}  // namespace WordImport
