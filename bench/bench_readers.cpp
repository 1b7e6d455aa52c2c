// How long the file readers take on the inputs that once made them slow:
// long runs of blank lines, and the largest list a file holds (32767 pairs).
// Target: every read under 20 ms. Reads go through the whole path from bytes
// (decoding included). Run from the build tree: ./bench/bench_readers [rounds]
//
// With "large", the readers of files instead, on files of 1 GB: a sparse file
// of NULs (no disk used) and one of real list lines, written into `folder`
// (the temporary folder by default) and removed after. Each read is timed
// and the process's peak resident memory taken after it, the peak being
// reset before each. Target: each under a second, the peak under 64 MB.
//   ./bench/bench_readers large [folder]
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

#include "display/background.h"
#include "editor/word_import.h"
#include "startup/quorl_saver.h"
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

constexpr qint64 kLargeBytes = qint64(1) << 30;
constexpr double kLargeTargetMs = 1000;
constexpr double kLargeTargetMb = 64;

// The peak resident memory of this process so far, in MB; resetPeak() starts it again from now.
double peakMb() {
  QFile status(QStringLiteral("/proc/self/status"));
  if (!status.open(QIODevice::ReadOnly)) return -1;
  for (const QByteArray& line : status.readAll().split('\n'))
    if (line.startsWith("VmHWM:")) return line.mid(6).trimmed().split(' ').first().toDouble() / 1024;
  return -1;
}

void resetPeak() {
  QFile refs(QStringLiteral("/proc/self/clear_refs"));
  if (refs.open(QIODevice::WriteOnly)) refs.write("5");
}

// A list file of about `bytes` of real pairs, whose count line promises more.
bool writeLines(const QString& path, qint64 bytes) {
  QFile file(path);
  if (!file.open(QIODevice::WriteOnly)) return false;
  QByteArray block;
  for (int i = 1; block.size() < (1 << 20); ++i)
    block += QStringLiteral("\"question %1 ことば\",\"answer %1, 意味\"\r\n").arg(i).toUtf8();
  if (file.write("2000000000,\"f\",\"g\"\r\n") < 0) return false;
  while (file.size() < bytes)
    if (file.write(block) != block.size()) return false;
  return file.flush();
}

bool writeNuls(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::WriteOnly) && file.resize(kLargeBytes);
}

int runLarge(const QString& folder) {
  QTemporaryDir dir(QDir(folder).filePath(QStringLiteral("bench_readers-XXXXXX")));
  const QString nuls = dir.filePath(QStringLiteral("nuls.dgl"));
  const QString lines = dir.filePath(QStringLiteral("lines.dgl"));
  const QString home = dir.filePath(QStringLiteral("home"));
  const QString zeroHome = dir.filePath(QStringLiteral("zero-home"));
  if (!dir.isValid() || !writeNuls(nuls) || !writeLines(lines, kLargeBytes) || !QDir().mkpath(home) ||
      !QDir().mkpath(zeroHome) || !QFile::link(nuls, QDir(home).filePath(QStringLiteral("DrifStt"))) ||
      !QFile::link(lines, QDir(home).filePath(QStringLiteral("DEFAULT.dgl"))) ||
      !QFile::link(QStringLiteral("/dev/zero"), QDir(zeroHome).filePath(QStringLiteral("DrifStt"))) ||
      !QFile::link(lines, dir.filePath(QStringLiteral("lines.txt")))) {
    std::fprintf(stderr, "cannot write the 1 GB files into %s\n", qPrintable(dir.path()));
    return 2;
  }
  const auto listRead = [](const std::optional<WordList>& list) {
    return list ? QStringLiteral("%1 pairs, %2%3 left out")
                      .arg(list->count())
                      .arg(list->leftOut.pairs)
                      .arg(list->leftOut.atLeast ? QStringLiteral(" or more") : QString())
                : QStringLiteral("cannot be read");
  };
  struct LargeRow {
    const char* name;
    std::function<QString()> read;  // says what was read
  };
  const std::vector<LargeRow> rows = {
      {"WordListFile::read, 1 GB of NULs", [&] { return listRead(WordListFile::read(nuls)); }},
      {"WordListFile::readChecked, 1 GB of NULs", [&] { return listRead(WordListFile::readChecked(nuls)); }},
      {"WordListFile::read, 1 GB of lines", [&] { return listRead(WordListFile::read(lines)); }},
      {"WordListFile::readChecked, 1 GB of lines", [&] { return listRead(WordListFile::readChecked(lines)); }},
      {"QuorlSaver::load, DrifStt NULs, list lines",
       [&] {
         QuorlSaver saver(home);
         saver.load();
         return QStringLiteral("speed %1, ").arg(saver.settings.speed) + listRead(saver.words);
       }},
      {"QuorlSaver::load, DrifStt -> /dev/zero",
       [&] {
         QuorlSaver saver(zeroHome);
         saver.load();
         return QStringLiteral("speed %1, %2 pairs").arg(saver.settings.speed).arg(saver.words.count());
       }},
      {"import line by line, 1 GB of lines",
       [&] {
         const auto words = WordImport::importTextFile(dir.filePath(QStringLiteral("lines.txt")));
         return words ? QStringLiteral("%1 pairs, %2%3 left out")
                            .arg(words->count())
                            .arg(words->leftOut.pairs)
                            .arg(words->leftOut.atLeast ? QStringLiteral(" or more") : QString())
                      : QStringLiteral("cannot be opened");
       }},
      {"Background::load, 1 GB of NULs",
       [&] { return Background::load(nuls).isNull() ? QStringLiteral("no picture") : QStringLiteral("a picture"); }},
  };

  std::printf("readers of 1 GB files in %s (ms, MB)\n", qPrintable(dir.path()));
  std::printf("%-44s %8s %8s  %s\n", "input", "time", "peak", "read");
  bool allMet = true;
  for (const LargeRow& row : rows) {
    resetPeak();
    QElapsedTimer clock;
    clock.start();
    const QString read = row.read();
    const double ms = clock.nsecsElapsed() / 1e6;
    const double mb = peakMb();
    const bool met = ms <= kLargeTargetMs && mb <= kLargeTargetMb;
    allMet = allMet && met;
    std::printf("%-44s %8.1f %8.1f  %s%s\n", row.name, ms, mb, qPrintable(read), met ? "" : "  (over target)");
  }
  return allMet ? 0 : 1;
}

}  // namespace

int main(int argc, char* argv[]) {
  QCoreApplication app(argc, argv);
  if (argc > 1 && QByteArray(argv[1]) == "large") return runLarge(argc > 2 ? argv[2] : QDir::tempPath());
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
