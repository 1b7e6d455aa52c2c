#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QtTest>

#include "display/trace_runner.h"
#include "patterns/pattern.h"
#include "startup/file_io.h"
#include "startup/quorl_saver.h"

// Trace mode: the whole display loop, headless, as JSON lines.
class TestTraceRunner : public QObject {
  Q_OBJECT

  QTemporaryDir home_;

  // Only the given patterns, in list order, words in list order.
  void writeSettings(std::initializer_list<int> patterns) {
    SaverSettings s;
    s.linkState = 2;
    s.patternOrder = 1;
    s.wordOrder = 1;
    s.patternExcluded.fill(1);
    for (int k : patterns) s.patternExcluded[size_t(k - 1)] = 0;
    QVERIFY(FileIo::writeAtomically(home_.filePath("DrifStt"), SettingsFile::format(s)));
  }

  QList<QJsonObject> trace(const TraceOptions& options) {
    QuorlSaver saver(home_.path());
    QString text;
    QTextStream out(&text);
    if (TraceRunner::run(saver, Patterns::table(), options, out) != 0) return {};
    QList<QJsonObject> lines;
    for (const QString& line : text.split(u'\n', Qt::SkipEmptyParts))
      lines.append(QJsonDocument::fromJson(line.toUtf8()).object());
    return lines;
  }

 private slots:
  void initTestCase() {
    WordList words;
    words.questionFont = words.answerFont = QStringLiteral("IPAPGothic");
    words.append(QStringLiteral("water"), QStringLiteral("水"));
    words.append(QStringLiteral("fire"), QStringLiteral("火"));
    QVERIFY(WordListFile::write(home_.filePath("DEFAULT.dgl"), words));
  }

  void linesHaveTheDocumentedKeys() {
    writeSettings({1});
    const QList<QJsonObject> lines = trace(TraceOptions{1, QSize(800, 600), 0, QString()});
    QCOMPARE(lines.size(), 2 + 61);
    const QStringList keys{"CX", "CY", "DELAY", "PH", "SH", "STEP", "SW", "enabled", "labels", "name",
                           "pattern", "t", "timer", "word"};
    for (const QJsonObject& line : lines) QCOMPARE(line.keys(), keys);
    const QJsonObject last = lines.last();
    QCOMPARE(last["SW"].toInt(), 800);
    QCOMPARE(last["SH"].toInt(), 595);
    QCOMPARE(last["name"].toString(), QStringLiteral("Waterdrop"));
    QCOMPARE(last["timer"].toString(), QStringLiteral("tmSwf"));
    QCOMPARE(last["enabled"].toArray(), QJsonArray{"tmQuo"});
    const QJsonObject label = last["labels"].toArray().first().toObject();
    QCOMPARE(label.keys(), (QStringList{"height", "id", "italic", "left", "size", "top", "width"}));
    QCOMPARE(label["id"].toString(), QStringLiteral("lblQ(0)"));
  }

  void waterdropDropSizes() {
    writeSettings({1});
    const QList<QJsonObject> lines = trace(TraceOptions{1, QSize(1024, 768), 0, QString()});
    QList<int> sizes;
    for (const QJsonObject& line : lines) {
      const int phase = line["PH"].toInt() - 1;  // PH is read after the tick
      if (line["timer"].toString() != "tmSwf" || phase < 1 || phase > 10) continue;
      sizes.append(line["labels"].toArray().first().toObject()["size"].toInt());
    }
    QCOMPARE(sizes, (QList<int>{30, 35, 39, 41, 42, 41, 39, 35, 30, 24}));
  }

  void runsUntilTheCountOfPatternsHasEnded() {
    writeSettings({2, 5});
    const QList<QJsonObject> lines = trace(TraceOptions{3, QSize(1024, 768), 0, QString()});
    QList<int> patterns, words;
    for (const QJsonObject& line : lines)
      if (line["timer"].toString() == "tmQuo" && line["pattern"].toInt() != 0) {
        patterns.append(line["pattern"].toInt());
        words.append(line["word"].toInt());
      }
    QCOMPARE(patterns, (QList<int>{2, 5, 2}));
    QCOMPARE(words, (QList<int>{1, 2, 1}));
    QCOMPARE(lines.last()["enabled"].toArray(), QJsonArray{"tmQuo"});
  }

  void seedDecidesTheRun() {
    writeSettings({4});
    const auto a = trace(TraceOptions{1, QSize(1024, 768), 7, QString()});
    const auto b = trace(TraceOptions{1, QSize(1024, 768), 7, QString()});
    const auto c = trace(TraceOptions{1, QSize(1024, 768), 8, QString()});
    QCOMPARE(a, b);
    QVERIFY(a != c);
  }

  void framesArePictures() {
    writeSettings({9});
    QTemporaryDir frames;
    const auto lines = trace(TraceOptions{1, QSize(320, 240), 0, frames.path()});
    const QStringList files = QDir(frames.path()).entryList({"*.png"}, QDir::Files, QDir::Name);
    QCOMPARE(files.size(), lines.size());
    QCOMPARE(files.first(), QStringLiteral("000000.png"));
    const QImage picture(frames.filePath(files.at(10)));
    QCOMPARE(picture.size(), QSize(320, 240));
  }
};

QTEST_MAIN(TestTraceRunner)
#include "tst_trace_runner.moc"
