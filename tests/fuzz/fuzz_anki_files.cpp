// Flashcard files from hostile bytes: as a package (zip), as a bare
// collection (SQLite or zstd), and as a note's text with cloze deletions.
#include <QFile>
#include <QTemporaryDir>

#include "anki/anki_package.h"
#include "anki/cloze.h"
#include "anki/collection_file.h"
#include "fuzz_check.h"

namespace {

void checkPairs(const std::variant<AnkiPairs, AnkiError>& read) {
  const AnkiPairs* pairs = std::get_if<AnkiPairs>(&read);
  if (!pairs) return;
  FUZZ_CHECK(pairs->count() <= AnkiPairs::kMaxPairs);
  FUZZ_CHECK(pairs->questions.size() == pairs->answers.size());
  for (int i = 0; i < pairs->count(); ++i) {
    FUZZ_CHECK(!pairs->questions.at(i).isEmpty() && pairs->questions.at(i).size() <= SkippedNotes::kMaxFieldChars);
    FUZZ_CHECK(!pairs->answers.at(i).isEmpty() && pairs->answers.at(i).size() <= SkippedNotes::kMaxFieldChars);
  }
}

std::variant<AnkiPairs, AnkiError> readAs(const QTemporaryDir& dir, const char* name, const QByteArray& bytes) {
  const QString path = dir.filePath(QString::fromLatin1(name));
  QFile file(path);
  if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) return AnkiError::WriteFailed;
  file.close();
  GivenChoices choices{QString(), QString(), QString()};
  constexpr qint64 kBound = 8 << 20;
  return AnkiPackage::isPackageName(path) ? AnkiPackage::read(path, choices, kBound)
                                          : CollectionFile::read(path, choices, kBound);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const QByteArray bytes = fuzzBytes(data, size);
  const QTemporaryDir dir;
  checkPairs(readAs(dir, "deck.apkg", bytes));
  checkPairs(readAs(dir, "collection.anki2", bytes));
  const QString text = QString::fromUtf8(bytes);
  const QList<int> numbers = Cloze::numbers(text);
  for (const int number : numbers.mid(0, 4)) {
    const Cloze::Card card = Cloze::card(text, number);
    FUZZ_CHECK(card.question == card.question.trimmed());
  }
  return 0;
}
