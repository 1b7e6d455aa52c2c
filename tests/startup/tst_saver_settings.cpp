#include <QTemporaryDir>
#include <QtTest>

#include "file_size_limit.h"
#include "special_files.h"
#include "startup/file_io.h"
#include "startup/extra_settings.h"
#include "startup/quorl_saver.h"
#include "startup/saver_settings.h"

namespace {

const QByteArray kCanonicalDefaults =
    "0\r\n\"\"\r\n0\r\n0,0,0,0,0,0,0,0\r\n0,0,0,0,0,0,0,0\r\n3\r\n\"DEFAULT\"\r\n"
    "16777215,8454143\r\n0\r\n0\r\n\"DEFAULT\"\r\n";

QByteArray readFile(const QString& path) { return FileIo::readStart(path, 1 << 20).value_or(FileIo::Start{}).bytes; }

void writeFile(const QString& path, const QByteArray& bytes) { QVERIFY(FileIo::writeAtomically(path, bytes)); }

}  // namespace

class TestSaverSettings : public QObject {
  Q_OBJECT

 private slots:
  void defaultsAreCanonical() {
    QCOMPARE(SettingsFile::format(SaverSettings{}), kCanonicalDefaults);
    QCOMPARE(SettingsFile::parse(kCanonicalDefaults).settings, SaverSettings{});
    QCOMPARE(SettingsFile::parse(kCanonicalDefaults).linesRead, 11);
  }

  void roundTrip() {
    SaverSettings s;
    s.linkState = 1;
    s.companionFolder = QStringLiteral("/opt/q, folder");
    s.patternOrder = 1;
    s.patternExcluded = {1, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 1, 1, 1};
    s.speed = 7;
    s.backgroundPath = QStringLiteral("/pics/海.jpg");
    s.questionColor = 0x00123456;
    s.answerColor = -1;
    s.wordOrder = 1;
    s.ownList = 1;
    s.wordListPath = QStringLiteral("/lists/my.dgl");
    const QByteArray bytes = SettingsFile::format(s);
    QVERIFY(bytes.contains("1,0,1,0,0,0,0,1\r\n0,0,0,0,1,1,1,1\r\n7\r\n"));
    QVERIFY(bytes.contains("1193046,-1\r\n"));
    QCOMPARE(SettingsFile::parse(bytes).settings, s);
  }

  // File names may hold line breaks, commas and spaces; everything the writer
  // writes reads back unchanged.
  void pathsWithAnyCharactersRoundTrip() {
    QRandomGenerator random(13);
    const auto anyText = [&random] {
      static const QString tricky = QStringLiteral("\r\n, \t\x1a\u3000");
      QString text;
      for (int n = random.bounded(12); n > 0; --n) {
        char32_t c = random.bounded(2) ? tricky.at(random.bounded(tricky.size())).unicode()
                                       : random.bounded(0x110000);
        if (c == u'"' || (c >= 0xD800 && c < 0xE000)) c = u'x';
        text += QString::fromUcs4(&c, 1);
      }
      return text;
    };
    for (int round = 0; round < 300; ++round) {
      SaverSettings s;
      s.linkState = uint8_t(random.bounded(3));
      s.companionFolder = anyText();
      s.patternOrder = uint8_t(random.bounded(256));
      for (uint8_t& flag : s.patternExcluded) flag = uint8_t(random.bounded(256));
      s.speed = uint8_t(random.bounded(1, 8));
      s.backgroundPath = anyText();
      s.questionColor = int32_t(random.generate());
      s.answerColor = int32_t(random.generate());
      s.wordOrder = uint8_t(random.bounded(256));
      s.ownList = uint8_t(random.bounded(256));
      s.wordListPath = anyText();
      const SettingsFile::Parsed back = SettingsFile::parse(SettingsFile::format(s));
      QVERIFY2(back.settings == s, SettingsFile::format(s).toPercentEncoding().constData());
      QCOMPARE(back.linesRead, 11);
    }
  }

  void missingShortOrBadLinesKeepDefaults_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("speed");
    QTest::addColumn<int>("questionColor");
    QTest::addColumn<QString>("wordListPath");
    QTest::addRow("empty") << QByteArray() << 3 << 0x00FFFFFF << "DEFAULT";
    QTest::addRow("short") << QByteArray("2\r\n\"\"\r\n1\r\n1,1,1,1,1,1,1,1\r\n0,0,0,0,0,0,0,0\r\n5\r\n") << 5
                           << 0x00FFFFFF << "DEFAULT";
    QTest::addRow("speed out of range") << QByteArray("0\r\n\"\"\r\n0\r\n0,0,0,0,0,0,0,0\r\n0,0,0,0,0,0,0,0\r\n9\r\n")
                                        << 3 << 0x00FFFFFF << "DEFAULT";
    QTest::addRow("garbage") << QByteArray("\x01\x02\xff\xfe garbage\n\n\n\"") << 3 << 0x00FFFFFF << "DEFAULT";
    QTest::addRow("colour line short") << QByteArray(
        "0\r\n\"\"\r\n0\r\n0,0,0,0,0,0,0,0\r\n0,0,0,0,0,0,0,0\r\n4\r\n\"DEFAULT\"\r\n255\r\n0\r\n0\r\n\"/x.dgl\"\r\n")
                                       << 4 << 0x00FFFFFF << "/x.dgl";
  }
  void missingShortOrBadLinesKeepDefaults() {
    QFETCH(QByteArray, bytes);
    QFETCH(int, speed);
    QFETCH(int, questionColor);
    QFETCH(QString, wordListPath);
    const SaverSettings s = SettingsFile::parse(bytes).settings;
    QCOMPARE(int(s.speed), speed);
    QCOMPARE(s.questionColor, questionColor);
    QCOMPARE(s.answerColor, 0x0080FFFF);
    QCOMPARE(s.wordListPath, wordListPath);
  }

  void handEditedFileComesBackCanonical() {
    QTemporaryDir dir;
    QuorlSaver saver(dir.path());
    writeFile(saver.settingsPath(),
              "  2 \n  \"\" \n 1\n1, 0 ,0,0,0,0,0, 1\n0,0,0,0,0,0,0,0\n 6\n DEFAULT \n16777215 , 255\n1\n0\n\"DEFAULT\"xx\n");
    saver.load();
    QCOMPARE(readFile(saver.settingsPath()),
             QByteArray("2\r\n\"\"\r\n1\r\n1,0,0,0,0,0,0,1\r\n0,0,0,0,0,0,0,0\r\n6\r\n\"DEFAULT\"\r\n"
                        "16777215,255\r\n1\r\n0\r\n\"DEFAULT\"\r\n"));
  }

  // A full disk during the load's rewrite or a save leaves the file byte for byte.
  void fullDiskKeepsSettingsFile() {
    if (!FileSizeLimit::kAvailable) QSKIP("no file-size limit here to stand in for a full disk");
    QTemporaryDir dir;
    QuorlSaver saver(dir.path());
    saver.settings.linkState = 2;
    saver.settings.speed = 6;
    saver.settings.wordListPath = dir.filePath(QStringLiteral("mine.dgl"));
    QVERIFY(saver.save());
    const QByteArray before = readFile(saver.settingsPath());
    {
      FileSizeLimit noRoom(0);
      saver.load();
      saver.settings.speed = 1;
      QString error;
      QVERIFY(!saver.save(&error));
      QVERIFY(!error.isEmpty());
    }
    QCOMPARE(readFile(saver.settingsPath()), before);
  }

  // A settings file read in part, or not a regular file, is read as far as
  // it goes and never written over.
  void settingsNotReadWholeAreLeftAlone_data() {
    QTest::addColumn<QString>("kind");
    QTest::addColumn<int>("speed");
    QTest::addRow("FIFO") << "fifo" << 3;
    QTest::addRow("folder") << "folder" << 3;
    QTest::addRow("link to /dev/zero") << "zero" << 3;
    QTest::addRow("longer than is read") << "long" << 6;
  }
  void settingsNotReadWholeAreLeftAlone() {
    QFETCH(QString, kind);
    QFETCH(int, speed);
    QTemporaryDir dir;
    QuorlSaver saver(dir.path());
    const QString path = saver.settingsPath();
    const QByteArray bytes =
        QByteArray(kCanonicalDefaults).replace("\r\n3\r\n", "\r\n6\r\n") + QByteArray(QuorlSaver::kSettingsBytes, ' ');
    if (kind == "long") writeFile(path, bytes);
    else if (!makeSpecialFile(kind, path)) QSKIP("no such file here");
    saver.load();
    QCOMPARE(int(saver.settings.speed), speed);
    QCOMPARE(FileIo::isFile(path), kind == "long");
    if (kind == "long") QCOMPARE(readFile(path), bytes);
  }

  // A start writes DrifStt only to change it, and never through a link that
  // leads out of the home folder (a planted link to ~/.bashrc) or to nothing.
  void settingsWrittenOnlyWhenNeeded_data() {
    QTest::addColumn<QString>("kind");
    QTest::addRow("canonical") << "canonical";
    QTest::addRow("link out of the folder") << "link out";
    QTest::addRow("dangling link") << "dangling";
  }
  void settingsWrittenOnlyWhenNeeded() {
    QFETCH(QString, kind);
    QTemporaryDir dir, elsewhere;
    QuorlSaver saver(dir.path());
    const QString outside = elsewhere.filePath(QStringLiteral("bashrc"));
    const QDateTime old(QDate(2001, 1, 1), QTime(0, 0));
    QFile file(kind == "canonical" ? saver.settingsPath() : outside);
    if (kind != "dangling")
      writeFile(file.fileName(), kind == "canonical" ? QByteArray(kCanonicalDefaults).replace('0', '2') : "  2 \n export PATH\n");
#ifdef Q_OS_WIN
    if (kind != "canonical") QSKIP("Windows makes shortcuts, not symbolic links");
#endif
    if (kind != "canonical" && !QFile::link(outside, saver.settingsPath())) QSKIP("no symbolic links here");
    QVERIFY(kind == "dangling" || (file.open(QIODevice::ReadWrite) && file.setFileTime(old, QFileDevice::FileModificationTime)));
    file.close();
    saver.load();
    QCOMPARE(QFileInfo(file.fileName()).lastModified(), kind == "dangling" ? QDateTime() : old);
    QString error;
    QCOMPARE(saver.save(&error), kind == "canonical");
    QCOMPARE(error.isEmpty(), kind == "canonical");
  }

  void loadOnEmptyHomeCreatesDefaults() {
    QTemporaryDir dir;
    QuorlSaver saver(dir.path());
    saver.load();
    // Line 1 was 0, so the companion was looked for (and not found here).
    QByteArray expected = kCanonicalDefaults;
    expected[0] = '2';
    QCOMPARE(readFile(saver.settingsPath()), expected);
    QCOMPARE(int(saver.companionState), 2);
    QVERIFY(saver.words.isEmpty());
    QCOMPARE(saver.words.questionFont, kFallbackListFont);
  }

  void chosenListOrDefaultList() {
    QTemporaryDir dir;
    QuorlSaver saver(dir.path());
    WordList defaults;
    defaults.append(QStringLiteral("default"), QStringLiteral("既定"));
    QVERIFY(WordListFile::write(saver.defaultListPath(), defaults));
    WordList mine;
    mine.append(QStringLiteral("mine"), QStringLiteral("私の"));
    const QString minePath = dir.filePath(QStringLiteral("mine.dgl"));
    QVERIFY(WordListFile::write(minePath, mine));

    saver.settings.wordListPath = minePath;
    QVERIFY(saver.save());
    saver.load();
    QCOMPARE(saver.words.question(1), QStringLiteral("mine"));

    QFile::remove(minePath);
    saver.load();
    QCOMPARE(saver.words.question(1), QStringLiteral("default"));
    // The stored path is kept even though its file is gone.
    QCOMPARE(saver.settings.wordListPath, minePath);
  }

  // Driftglyph.ini's [display] keys: anything but true/false (or 1/0) is the default.
  void extraDisplayKeys_data() {
    QTest::addColumn<QByteArray>("ini");
    QTest::addColumn<bool>("smooth");
    QTest::addColumn<bool>("everyMonitor");
    QTest::addRow("off") << QByteArray("[display]\nsmooth=false\nevery_monitor=false\n") << false << false;
    QTest::addRow("maybe") << QByteArray("[display]\nsmooth=maybe\nevery_monitor=0\n") << true << false;
    QTest::addRow("garbage") << QByteArray("\x01\xff[[display\nsmooth\n=") << true << true;
  }
  void extraDisplayKeys() {
    QFETCH(QByteArray, ini);
    QFETCH(bool, smooth);
    QFETCH(bool, everyMonitor);
    QTemporaryDir dir;
    if (!ini.isEmpty()) writeFile(ExtraSettingsFile::path(dir.path()), ini);
    QuorlSaver saver(dir.path());
    saver.load();
    QCOMPARE(std::pair(saver.extra.smooth, saver.extra.everyMonitor), std::pair(smooth, everyMonitor));
    saver.extra.smooth = !smooth;
    QVERIFY(ExtraSettingsFile::save(dir.path(), saver.extra));
    QCOMPARE(ExtraSettingsFile::load(dir.path()).smooth, !smooth);
  }

  void pictureOrDefault() {
    QTemporaryDir dir;
    QuorlSaver saver(dir.path());
    const QString picture = dir.filePath(QStringLiteral("p.jpg"));
    writeFile(picture, "x");
    QCOMPARE(saver.pictureOrDefault(picture), picture);
    QCOMPARE(saver.pictureOrDefault(QStringLiteral("DEFAULT")), saver.defaultPicturePath());
    QCOMPARE(saver.pictureOrDefault(QString()), saver.defaultPicturePath());
    QCOMPARE(saver.pictureOrDefault(dir.path()), saver.defaultPicturePath());  // a folder is no picture
  }
};

QTEST_GUILESS_MAIN(TestSaverSettings)
#include "tst_saver_settings.moc"
