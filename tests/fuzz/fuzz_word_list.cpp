// Any .dgl file reads without trusting its count, and a list written to a
// file reads back with the same pairs and fonts.
#include <QDir>
#include <QTemporaryDir>

#include "fuzz_check.h"
#include "startup/record_writer.h"
#include "startup/word_list.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static QTemporaryDir dir;
  static const QString path = QDir(dir.path()).filePath(QStringLiteral("list.dgl"));
  const WordList list = WordListFile::parse(fuzzBytes(data, size));
  FUZZ_CHECK(list.count() <= kMaxPairs && list.questions.size() == list.answers.size());

  FUZZ_CHECK(WordListFile::write(path, list));
  const std::optional<WordList> back = WordListFile::read(path);
  FUZZ_CHECK(back && back->count() == list.count());
  // Double quotes become full-width ones; after that the text is stable.
  FUZZ_CHECK(WordListFile::format(*back) == WordListFile::format(list));
  for (int i = 1; i <= list.count(); ++i)
    FUZZ_CHECK(back->question(i) == RecordWriter::storable(list.question(i)));
  return 0;
}
