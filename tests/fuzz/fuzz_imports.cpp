// The editor's imports (csv, line by line, the companion's .vcb, separated
// lists and flashcard exports, field HTML) on the same decoded text, and the
// bytes as a flashcard package's version record.
#include "anki/package_meta.h"
#include "editor/separated_text.h"
#include "editor/word_import.h"
#include "fuzz_check.h"
#include "startup/html_text.h"
#include "startup/text_codec.h"

namespace {

void checkPairs(const std::optional<WordImport::ImportedWords>& words) {
  if (!words) return;
  FUZZ_CHECK(words->count() > 0 && words->count() <= WordImport::kMaxImportedPairs);
  FUZZ_CHECK(words->questions.size() == words->answers.size());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const QString text = TextCodec::decode(fuzzBytes(data, size));
  checkPairs(WordImport::parseCsv(text));
  checkPairs(WordImport::parseLineByLine(text));
  const WordImport::VcbImport vcb = WordImport::parseVcb(text);
  checkPairs(vcb.words);
  FUZZ_CHECK(!vcb.words || vcb.questionFont);
  checkPairs(SeparatedText::parse(text));
  const QString plain = HtmlText::toPlain(text);
  FUZZ_CHECK(plain == plain.trimmed());
  const std::variant<int, AnkiError> version = PackageMeta::version(fuzzBytes(data, size));
  FUZZ_CHECK(!std::holds_alternative<int>(version) || (std::get<int>(version) >= 1 && std::get<int>(version) <= 3));
  return 0;
}
