#include <QTemporaryDir>
#include <QtTest>

#include "file_size_limit.h"
#include "os/legacy_text.h"
#include "special_files.h"
#include "startup/bounded_text.h"
#include "startup/file_io.h"
#include "startup/text_codec.h"
#include "startup/word_list.h"

class TestWordList : public QObject {
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
    // Pairs after the counted ones are counted: the file is not written over.
    QCOMPARE(list.leftOut.beyondCount, bytes.isEmpty() ? 0 : 3 - pairs);
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

  // One bad byte never garbles the rest: a UTF-8 list stays UTF-8 with the
  // bad bytes replaced and their lines counted; Shift JIS is read as such.
  void decodingKeepsWhatItCanRead_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("answer");  // of the last pair
    QTest::addColumn<int>("badLines");
    const QString kana = QStringLiteral("ｱｲｳｴｵｶｷｸｹｺｻｼｽｾｿﾀﾁﾂﾃﾄﾅﾆﾇﾈﾉﾊﾋﾌﾍﾎﾏﾐﾑﾒﾓﾔﾕﾖﾗﾘﾙﾚﾛﾜｦﾝ").repeated(20);
    QTest::addRow("a Latin-1 byte") << QByteArray("2,f,g\r\n\"caf\xe9\",x\r\n" + QStringLiteral("犬,いぬ\r\n").toUtf8())
                                    << QStringLiteral("いぬ") << 1;
    QTest::addRow("Shift JIS half-width kana")
        << LegacyText::encodeShiftJis(QStringLiteral("1,f,g\r\n%1,%1\r\n").arg(kana)).value() << kana << 0;
  }
  void decodingKeepsWhatItCanRead() {
    QFETCH(QByteArray, bytes);
    QFETCH(QString, answer);
    QFETCH(int, badLines);
    QTemporaryDir dir;
    QVERIFY(FileIo::writeAtomically(dir.filePath(QStringLiteral("l.dgl")), bytes));
    const WordList list = WordListFile::read(dir.filePath(QStringLiteral("l.dgl"))).value();
    QCOMPARE(list.answer(list.count()), answer);
    QCOMPARE(list.leftOut.badLines, badLines);
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

  // Files that are not regular files cannot be read; of a file longer than
  // is read, the pairs after its start are counted by their lines.
  void readingFiles_data() {
    QTest::addColumn<QString>("kind");
    QTest::addColumn<int>("pairs");  // -1: cannot be read
    QTest::addColumn<LeftOut>("leftOut");
    QTest::addRow("FIFO") << "fifo" << -1 << LeftOut{};
    QTest::addRow("folder") << "folder" << -1 << LeftOut{};
    QTest::addRow("link to /dev/zero") << "zero" << -1 << LeftOut{};
    QTest::addRow("longer than is read") << "long" << kMaxPairs << LeftOut{42000 - kMaxPairs, false, true};
    // NULs without a line end run on past what is counted: one more line.
    QTest::addRow("longer than is counted") << "longest" << kMaxPairs << LeftOut{40000 - kMaxPairs + 1, true, true};
    QTest::addRow("NULs longer than is read") << "nuls" << 0 << LeftOut{0, false, true};
  }
  void readingFiles() {
    QFETCH(QString, kind);
    QFETCH(int, pairs);
    QFETCH(LeftOut, leftOut);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("l.dgl"));
    const QByteArray pair = kind == "longest" ? "\"q\",\"a\"\r\n" : "\"q\",\"" + QByteArray(200, 'a') + "\"\r\n";
    QFile file(path);
    if (pairs < 0 && !makeSpecialFile(kind, path)) QSKIP("no such file here");
    if (pairs >= 0) {
      QVERIFY(file.open(QIODevice::WriteOnly));
      if (kind != "nuls")
        file.write("100000,f,g\r\n" + pair.repeated(kind == "longest" ? 40000 : 42000));
      const qint64 end = kind == "longest" ? BoundedText::kReadBytes + BoundedText::kScanBytes : BoundedText::kReadBytes;
      QVERIFY(file.resize(std::max(file.size(), end + 1)));
    }
    file.close();
    const std::optional<WordList> list = WordListFile::read(path);
    const std::optional<WordList> checked = WordListFile::readChecked(path);
    QCOMPARE(list.has_value(), pairs >= 0);
    QCOMPARE(checked.has_value(), pairs >= 0 && kind != "nuls");
    if (!list) return;
    QCOMPARE(list->count(), pairs);
    QCOMPARE(list->leftOut, leftOut);
    if (checked) QCOMPARE(*checked, *list);
    if (pairs > 0) QCOMPARE(list->answer(pairs).toLatin1(), pair.mid(5, pair.size() - 8));
  }

  // Every failed write leaves the old file byte for byte and says so.
  void failedWriteKeepsOldFile_data() {
    QTest::addColumn<QString>("cause");
    QTest::addRow("read-only folder") << "read-only";
    QTest::addRow("full disk") << "full";
    QTest::addRow("more pairs than a list holds") << "too many";
    QTest::addRow("more than is read back whole") << "too large";
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
      other.append(QStringLiteral("changed"), cause == "too large" ? QString(20000, u'x') : QStringLiteral("x"));
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

QTEST_GUILESS_MAIN(TestWordList)
#include "tst_word_list.moc"
