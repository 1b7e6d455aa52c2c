// The whole settings load over a linked companion folder whose files are
// fuzzed: Status.ini, the word index, the book table, the book header and the
// program's own default list, in this order, separated by the byte 0x1E.
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "fuzz_check.h"
#include "startup/file_io.h"
#include "startup/quorl_saver.h"

namespace {

// The names the seeds use: Status.ini says book 12 of table 3, and record 12
// of the table names the book "BOOK".
const char* const kFiles[] = {"Status.ini", "12.3i", "T.3", "BOOK.vcb", "DEFAULT.dgl"};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static QTemporaryDir home;
  const QDir folder(home.path());
  const QList<QByteArray> files = fuzzBytes(data, size).split('\x1e');
  for (int i = 0; i < int(std::size(kFiles)); ++i) {
    const QString path = folder.filePath(QString::fromLatin1(kFiles[i]));
    if (i < files.size()) FUZZ_CHECK(FileIo::writeAtomically(path, files.at(i)));
    else QFile::remove(path);
  }
  FUZZ_CHECK(FileIo::writeAtomically(folder.filePath(QStringLiteral("Quorl.exe")), QByteArray()));

  QuorlSaver saver(home.path());
  saver.settings.linkState = 1;
  saver.settings.companionFolder = home.path();
  FUZZ_CHECK(saver.save());
  saver.load();
  FUZZ_CHECK(saver.settings.linkState == 1 && saver.companionState <= 1);
  FUZZ_CHECK(saver.words.count() <= kMaxPairs);
  FUZZ_CHECK(saver.words.questions.size() == saver.words.answers.size());
  return 0;
}
