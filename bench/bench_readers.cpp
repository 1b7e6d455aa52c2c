// How long the file readers take on the inputs that once made them slow:
// long runs of blank lines, and the largest list a file holds (32767 pairs).
// Target: every read under 20 ms. Reads go through the whole path from bytes
// (decoding included). Run from the build tree: ./bench/bench_readers [rounds]
#include <QCoreApplication>
#include <QElapsedTimer>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

#include "editor/word_import.h"
#include "startup/saver_settings.h"
#include "startup/text_codec.h"
#include "startup/word_list.h"

namespace {

constexpr double kTargetMs = 20;

QByteArray blankLines(int count) { return QByteArray("\r\n").repeated(count); }

QByteArray largestList() {
  WordList list;
  for (int i = 1; i <= kMaxPairs; ++i)
    list.append(QStringLiteral("question %1 ことば").arg(i), QStringLiteral("answer %1, 意味").arg(i));
  return WordListFile::format(list);
}

struct Row {
  const char* name;
  QByteArray bytes;
  std::function<int(const QByteArray&)> read;  // returns what was read, so nothing is optimised away
};

int importedPairs(const std::optional<WordImport::ImportedWords>& words) { return words ? words->count() : 0; }

}  // namespace

int main(int argc, char* argv[]) {
  QCoreApplication app(argc, argv);
  const int rounds = argc > 1 ? std::max(1, atoi(argv[1])) : 7;
  const QByteArray blanks = blankLines(100000);
  const auto dgl = [](const QByteArray& b) { return WordListFile::parse(b).count(); };
  const auto csv = [](const QByteArray& b) { return importedPairs(WordImport::parseCsv(TextCodec::decode(b))); };
  const auto txt = [](const QByteArray& b) {
    return importedPairs(WordImport::parseLineByLine(TextCodec::decode(b)));
  };
  const auto vcb = [](const QByteArray& b) { return importedPairs(WordImport::parseVcb(TextCodec::decode(b)).words); };
  const std::vector<Row> rows = {
      {".dgl: 32767 pairs", largestList(), dgl},
      {".dgl: count 32767, 100000 blank lines, 1 pair", "32767,\"a\",\"b\"\r\n" + blanks + "\"q\",\"a\"\r\n", dgl},
      {".dgl: count 1, 100000 blank lines, 1 pair", "1,\"a\",\"b\"\r\n" + blanks + "\"q\",\"a\"\r\n", dgl},
      {".csv: 100000 blank lines, 1 pair", blanks + "apple,りんご\r\n", csv},
      {".txt: 100000 blank lines, 1 pair", blanks + "apple\r\nりんご\r\n", txt},
      {".vcb: 100000 blank lines, 1 entry", "1,\"f\",\"g\",\"\"\r\n" + blanks + "1,\"dog\",\"いぬ\",\"\",\"\",\"\",\"\"\r\n", vcb},
      {"DrifStt: 100000 blank lines", blanks, [](const QByteArray& b) { return SettingsFile::parse(b).linesRead; }},
  };

  std::printf("file readers, %d rounds (ms)\n", rounds);
  std::printf("%-48s %10s %10s %10s\n", "input", "median", "worst", "target");
  bool allMet = true;
  for (const Row& row : rows) {
    std::vector<double> ms;
    for (int round = 0; round < rounds; ++round) {
      QElapsedTimer clock;
      clock.start();
      volatile int read = row.read(row.bytes);
      (void)read;
      ms.push_back(clock.nsecsElapsed() / 1e6);
    }
    std::sort(ms.begin(), ms.end());
    const bool met = ms.back() <= kTargetMs;
    allMet = allMet && met;
    std::printf("%-48s %10.2f %10.2f %10.0f  %s\n", row.name, ms[ms.size() / 2], ms.back(), kTargetMs,
                met ? "ok" : "SLOW");
  }
  return allMet ? 0 : 1;
}
