// How long the command-line import of a large flashcard package takes and
// how much memory it needs: packages of 100 000 notes (and 200 000, of which
// a list takes the first 32767) with HTML and furigana in their fields, in
// the current format (zstd, schema 18) and the legacy one (schema 11), are
// made in a temporary folder and imported by the real program, each run
// timed and its peak resident memory taken from the kernel's accounting of
// the finished child. The packages are made by a first child of this
// benchmark, so that the one that forks the program stays small (a forked
// child's peak starts at its parent's size). Target for 100 000 notes:
// under 2 s, under 150 MB.
//   ./bench/bench_anki [PROGRAM] [ROUNDS]   (PROGRAM: build/src/driftglyph)
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include "anki_fixture.h"

namespace {

constexpr double kTargetSeconds = 2;
constexpr double kTargetMb = 150;

AnkiFixture::Collection notes(int count, int schema) {
  AnkiFixture::Collection c;
  c.schema = schema;
  c.noteTypes = {{7, "Vocab", {"Word", "Reading", "Meaning"}}};
  c.decks = {{1, "Default"}, {2, "Japanese::Core"}};
  c.notes.reserve(count);
  for (int i = 0; i < count; ++i)
    c.notes.append({7,
                    {QStringLiteral("<b>単語%1</b> 漢字[かんじ]").arg(i), QStringLiteral("たんご%1").arg(i),
                     QStringLiteral("word number %1&nbsp;<br><div>a meaning of it</div>").arg(i)},
                    2, i % 4, i});
  return c;
}

struct Run {
  double seconds = 0;
  double peakMb = 0;
  int status = -1;
  QByteArray output;
};

// One import by the program in a child of its own, so that its peak memory is its alone.
Run import(const QString& program, const QString& package, const QString& output) {
  Run run;
  int pipeFds[2];
  if (pipe(pipeFds) != 0) return run;
  QElapsedTimer clock;
  clock.start();
  const pid_t child = fork();
  if (child == 0) {
    dup2(pipeFds[1], 1);
    close(pipeFds[0]);
    const QByteArray p = program.toLocal8Bit(), f = package.toLocal8Bit(), o = output.toLocal8Bit();
    execl(p.constData(), p.constData(), "--import", f.constData(), "--output", o.constData(), "--fields",
          "Word,Meaning", static_cast<char*>(nullptr));
    _exit(127);
  }
  close(pipeFds[1]);
  char buffer[512];
  ssize_t got;
  while ((got = read(pipeFds[0], buffer, sizeof buffer)) > 0) run.output.append(buffer, got);
  close(pipeFds[0]);
  int status = 0;
  rusage usage{};
  wait4(child, &status, 0, &usage);
  run.seconds = clock.elapsed() / 1000.0;
  run.peakMb = usage.ru_maxrss / 1024.0;
  run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return run;
}

}  // namespace

struct Case {
  const char* name;
  int notes;
  int schema;
  int version;
};
const Case kCases[] = {{"100 000 notes, zstd, schema 18", 100000, 18, 3},
                       {"100 000 notes, legacy, schema 11", 100000, 11, 1},
                       {"200 000 notes, zstd, schema 18", 200000, 18, 3}};

QString packagePath(const QString& folder, const Case& c) {
  return folder + u'/' + QString::fromLatin1(c.name).replace(u' ', u'_').replace(u',', u'_') + QStringLiteral(".apkg");
}

int makePackages(const QString& folder) {
  for (const Case& c : kCases)
    if (!AnkiFixture::writePackage(packagePath(folder, c), notes(c.notes, c.schema), c.version)) return 1;
  return 0;
}

int main(int argc, char* argv[]) {
  QCoreApplication app(argc, argv);
  if (argc == 3 && QByteArray(argv[1]) == "--make") return makePackages(QString::fromLocal8Bit(argv[2]));
  const QString program = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("src/driftglyph");
  const int rounds = argc > 2 ? std::max(1, atoi(argv[2])) : 3;
  QTemporaryDir folder;
  if (QProcess::execute(QCoreApplication::applicationFilePath(), {QStringLiteral("--make"), folder.path()}) != 0) {
    std::fprintf(stderr, "cannot make the packages\n");
    return 1;
  }
  std::printf("%-34s %9s %9s  %s\n", "package", "time", "peak", "program's line");
  bool met = true;
  for (const Case& c : kCases) {
    Run worst;
    for (int r = 0; r < rounds; ++r) {
      const Run run = import(program, packagePath(folder.path(), c), folder.filePath(QStringLiteral("out.dgl")));
      if (run.status != 0) {
        std::fprintf(stderr, "%s: status %d\n", c.name, run.status);
        return 1;
      }
      worst.seconds = std::max(worst.seconds, run.seconds);
      worst.peakMb = std::max(worst.peakMb, run.peakMb);
      worst.output = run.output.trimmed();
    }
    if (c.notes == 100000) met = met && worst.seconds < kTargetSeconds && worst.peakMb < kTargetMb;
    std::printf("%-34s %7.2f s %6.1f MB  %s\n", c.name, worst.seconds, worst.peakMb, worst.output.constData());
  }
  std::printf("worst of %d runs each; target for 100 000 notes: < %.0f s, < %.0f MB: %s\n", rounds, kTargetSeconds,
              kTargetMb, met ? "met" : "NOT met");
  return met ? 0 : 1;
}
