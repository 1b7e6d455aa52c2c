// The editor's three imports (csv, line by line, the companion's .vcb) on
// the same decoded text.
#include "editor/word_import.h"
#include "fuzz_check.h"
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
  return 0;
}
