#include <QTemporaryDir>
#include <QtTest>

#include "file_size_limit.h"
#include "platform/legacy_text.h"
#include "special_files.h"
#include "startup/bounded_text.h"
#include "startup/file_io.h"
#include "startup/text_codec.h"
#include "startup/word_list.h"

class tst_WordList : public QObject {
  Q_OBJECT

 private slots:
  void roundTrip() {
    QTemporaryDir dir;
    WordList list;
    list.questionFont = QStringLiteral("IPAPGothic");
    list.answerFont = QStringLiteral("ＭＳ 明朝");
    list.append(QStringLiteral("apple, red"), QStringLiteral("りんご"));
    list.append(QString(), QStringLiteral("空の質問"));
    list.append(QStringLiteral("dog"), QString());
    const QString path = dir.filePath(QStringLiteral("l.dgl"));
    QVERIFY(WordListFile::write(path, list));
    QCOMPARE(WordListFile::read(path).value(), list);

    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    QVERIFY(bytes.startsWith("3,\"IPAPGothic\",\""));
    QVERIFY(bytes.contains("\"dog\",\"\"\r\n"));
    QVERIFY(bytes.endsWith("\r\n"));
  }

  void doubleQuoteBecomesFullWidth() {
    WordList list;
    list.append(QStringLiteral("say \"hi\""), QStringLiteral("\"x\""));
    const WordList back = WordListFile::parse(WordListFile::format(list));
    QCOMPARE(back.count(), 1);
    QCOMPARE(back.question(1), QStringLiteral("say ＂hi＂"));
    QCOMPARE(back.answer(1), QStringLiteral("＂x＂"));
  }

  void countDecidesWhatIsRead_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("pairs");
    const QByteArray body = "\"a\",\"1\"\r\n\"b\",\"2\"\r\n\"c\",\"3\"\r\n";
    QTest::addRow("count smaller than data") << QByteArray("2,\"f\",\"g\"\r\n" + body) << 2;
    QTest::addRow("count equal") << QByteArray("3,\"f\",\"g\"\r\n" + body) << 3;
    QTest::addRow("count larger than data") << QByteArray("10,\"f\",\"g\"\r\n" + body) << 3;
    QTest::addRow("huge count") << QByteArray("2147483647,\"f\",\"g\"\r\n" + body) << 3;
    QTest::addRow("zero") << QByteArray("0,\"f\",\"g\"\r\n" + body) << 0;
    QTest::addRow("negative") << QByteArray("-5,\"f\",\"g\"\r\n" + body) << 0;
    QTest::addRow("not a number") << QByteArray("x,\"f\",\"g\"\r\n" + body) << 0;
    QTest::addRow("empty file") << QByteArray() << 0;
  }
  void countDecidesWhatIsRead() {
    QFETCH(QByteArray, bytes);
    QFETCH(int, pairs);
    const WordList list = WordListFile::parse(bytes);
    QCOMPARE(list.count(), pairs);
    QCOMPARE(list.answers.size(), list.questions.size());
    if (pairs > 0) {
      QCOMPARE(list.question(1), QStringLiteral("a"));
      QCOMPARE(list.questionFont, QStringLiteral("f"));
    }
  }

  void atMost32767Pairs() {
    QByteArray bytes = "50000,\"f\",\"g\"\r\n";
    for (int i = 0; i < 40000; ++i) bytes += "\"q\",\"a\"\r\n";
    // The pairs beyond are counted, as far as the file holds them.
    for (const WordList& list : {WordListFile::parse(bytes), WordListFile::parseChecked(bytes).value()}) {
      QCOMPARE(list.count(), kMaxPairs);
      QCOMPARE(list.leftOut.pairs, 40000 - kMaxPairs);
    }
  }

  void checkedReadingRefusesWhatIsNotAList_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("pairs");  // -1: not a word list
    const QByteArray body = "\"a\",\"1\"\r\n\"b\",\"2\"\r\n";
    QTest::addRow("a list") << QByteArray("2,\"f\",\"g\"\r\n" + body) << 2;
    QTest::addRow("count larger than data") << QByteArray("9,\"f\",\"g\"\r\n" + body) << 2;
    QTest::addRow("first field not a number") << QByteArray("x,\"f\",\"g\"\r\n" + body) << -1;
    QTest::addRow("words where the count stands") << QByteArray(body + body) << -1;
    QTest::addRow("ends before the answer font") << QByteArray("2,\"f\"\r\n") << -1;
    QTest::addRow("binary bytes") << QByteArray("\x89PNG\r\n\x1a\n\0\0\0\rIHDR\xff\xfe", 18) << -1;
  }
  void checkedReadingRefusesWhatIsNotAList() {
    QFETCH(QByteArray, bytes);
    QFETCH(int, pairs);
    const std::optional<WordList> list = WordListFile::parseChecked(bytes);
    QCOMPARE(list.has_value(), pairs >= 0);
    if (list) QCOMPARE(list->count(), pairs);
  }

  void shiftJisFileDecodes() {
    const QByteArray bytes = LegacyText::encodeShiftJis(QStringLiteral("1,\"ＭＳ Ｐゴシック\",\"ＭＳ Ｐゴシック\"\r\n\"犬\",\"いぬ\"\r\n")).value();
    QVERIFY(!bytes.contains("\xE7"));  // really Shift JIS, not UTF-8
    const WordList list = WordListFile::parse(bytes);
    QCOMPARE(list.questionFont, QStringLiteral("ＭＳ Ｐゴシック"));
    QCOMPARE(list.question(1), QStringLiteral("犬"));
    QCOMPARE(list.answer(1), QStringLiteral("いぬ"));
  }

  void utf8WithBomDecodes() {
    const QByteArray bytes = "\xEF\xBB\xBF" + QStringLiteral("1,\"f\",\"g\"\r\n\"猫\",\"ねこ\"\r\n").toUtf8();
    QCOMPARE(WordListFile::parse(bytes).question(1), QStringLiteral("猫"));
  }

  void missingFileIsNotAList() {
    QVERIFY(!WordListFile::read(QStringLiteral("/nonexistent/x.dgl")).has_value());
  }

  // Files that are not regular files cannot be read; a file longer than is
  // read gives the pairs of its start, the rest counted by their lines.
  void readingFiles_data() {
    QTest::addColumn<QString>("kind");
    QTest::addColumn<int>("pairs");    // -1: cannot be read
    QTest::addColumn<int>("leftOut");  // also: -1 when readChecked finds no list
    QTest::addColumn<bool>("atLeast");
    QTest::addColumn<bool>("cut");
    QTest::addRow("FIFO") << "fifo" << -1 << 0 << false << false;
    QTest::addRow("folder") << "folder" << -1 << 0 << false << false;
    QTest::addRow("link to /dev/zero") << "zero" << -1 << 0 << false << false;
    QTest::addRow("longer than is read") << "long" << kMaxPairs << 42000 - kMaxPairs << false << true;
    QTest::addRow("long, count reached early") << "count" << 100 << 0 << false << true;
    QTest::addRow("longer than is counted") << "longest" << kMaxPairs << 40000 - kMaxPairs + 1 << true << true;
    QTest::addRow("NULs longer than is read") << "nuls" << 0 << -1 << false << true;
  }
  void readingFiles() {
    QFETCH(QString, kind);
    QFETCH(int, pairs);
    QFETCH(int, leftOut);
    QFETCH(bool, atLeast);
    QFETCH(bool, cut);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("l.dgl"));
    const QByteArray longAnswer(200, 'a');
    QFile file(path);
    if (kind == "long" || kind == "count") {
      // The pairs run on past the part read: 42000 of 208 bytes.
      QVERIFY(file.open(QIODevice::WriteOnly));
      file.write(kind == "long" ? "50000,\"f\",\"g\"\r\n" : "100,\"f\",\"g\"\r\n");
      for (int i = 0; i < 42000; ++i) file.write("\"q\",\"" + longAnswer + "\"\r\n");
      QVERIFY(file.size() > BoundedText::kReadBytes);
    } else if (kind == "longest" || kind == "nuls") {
      // NULs up to past what is counted, with no line end: one more line.
      QVERIFY(file.open(QIODevice::WriteOnly));
      if (kind == "longest") file.write("100000,\"f\",\"g\"\r\n" + QByteArray("\"q\",\"a\"\r\n").repeated(40000));
      QVERIFY(file.resize(kind == "longest" ? BoundedText::kReadBytes + BoundedText::kScanBytes + 4096
                                            : BoundedText::kReadBytes + 1));
    } else if (!SpecialFiles::kAvailable) {
      QSKIP("no such files here");
    } else {
      QVERIFY(SpecialFiles::make(kind, path));
    }
    file.close();
    const std::optional<WordList> list = WordListFile::read(path);
    const std::optional<WordList> checked = WordListFile::readChecked(path);
    QCOMPARE(list.has_value(), pairs >= 0);
    QCOMPARE(checked.has_value(), pairs >= 0 && leftOut >= 0);
    if (!list) return;
    QCOMPARE(list->count(), pairs);
    QCOMPARE(list->leftOut, (LeftOut{std::max(leftOut, 0), atLeast, cut}));
    if (checked) QCOMPARE(*checked, *list);
    if (pairs > 0) QCOMPARE(list->answer(pairs), QString::fromLatin1(kind == "longest" ? QByteArray("a") : longAnswer));
  }

  // Every failed write leaves the old file byte for byte and says so.
  void failedWriteKeepsOldFile_data() {
    QTest::addColumn<QString>("cause");
    QTest::addRow("read-only folder") << "read-only";
    QTest::addRow("full disk") << "full";
    QTest::addRow("more pairs than a list holds") << "too many";
  }
  void failedWriteKeepsOldFile() {
    QFETCH(QString, cause);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("keep.dgl"));
    WordList list;
    list.append(QStringLiteral("q"), QStringLiteral("a"));
    QVERIFY(WordListFile::write(path, list));
    const QByteArray before = FileIo::readStart(path, 1 << 20)->bytes;
    WordList other;
    for (int i = 0; i < (cause == "too many" ? kMaxPairs + 1 : 500); ++i)
      other.append(QStringLiteral("changed"), QStringLiteral("x"));
    QString error;
    bool written = false;
    if (cause == "full") {
      if (!FileSizeLimit::kAvailable) QSKIP("no file-size limit here to stand in for a full disk");
      FileSizeLimit noRoom(before.size());
      written = WordListFile::write(path, other, &error);
    } else if (cause == "read-only") {
      QFile::setPermissions(dir.path(), QFileDevice::ReadOwner | QFileDevice::ExeOwner);
      written = WordListFile::write(path, other, &error);
      QFile::setPermissions(dir.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
      if (written) QSKIP("running as a user who can write into read-only folders");
    } else {
      written = WordListFile::write(path, other, &error);
    }
    QVERIFY(!written);
    QVERIFY(!error.isEmpty());
    QCOMPARE(FileIo::readStart(path, 1 << 20)->bytes, before);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"keep.dgl"});  // no temporary left
  }
};

QTEST_GUILESS_MAIN(tst_WordList)
#include "tst_word_list.moc"
