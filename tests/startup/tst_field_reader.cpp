#include <QtTest>

#include "startup/field_reader.h"
#include "startup/record_writer.h"

class TestFieldReader : public QObject {
  Q_OBJECT

 private slots:
  void readsFields_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("fields");
    QTest::addRow("quoted with commas") << "\"a,b\",\"c\"\r\n" << QStringList{"a,b", "c"};
    QTest::addRow("leading spaces skipped") << "  x,   \"y\"\r\n" << QStringList{"x", "y"};
    QTest::addRow("unquoted trailing spaces cut") << "x  ,y\r\n" << QStringList{"x", "y"};
    QTest::addRow("empty quoted fields") << "\"\",\"\"\r\n" << QStringList{"", ""};
    QTest::addRow("line ends separate") << "a\r\nb\r\nc" << QStringList{"a", "b", "c"};
    QTest::addRow("LF alone") << "a\nb\n" << QStringList{"a", "b"};
    QTest::addRow("text after closing quote dropped") << "\"a\"xyz,b" << QStringList{"a", "b"};
    QTest::addRow("empty middle field") << ",dog\r\n" << QStringList{"", "dog"};
    QTest::addRow("empty last field after comma") << "dog,\r\n\r\n" << QStringList{"dog", ""};
    QTest::addRow("unterminated quote runs to end") << "\"abc" << QStringList{"abc"};
    QTest::addRow("quoted field runs across line ends") << "\"a\r\nb\nc\",d" << QStringList{"a\r\nb\nc", "d"};
    QTest::addRow("japanese") << "\"りんご\",\"林檎\"\r\n" << QStringList{"りんご", "林檎"};
  }
  void readsFields() {
    QFETCH(QString, text);
    QFETCH(QStringList, fields);
    FieldReader reader(text);
    QStringList read;
    while (!reader.atEnd()) read.append(reader.readString().value());
    QCOMPARE(read, fields);
  }

  void readingPastTheEndFails() {
    FieldReader reader(QStringLiteral("\"a\"\r\n\r\n  \r\n"));
    QCOMPARE(reader.readString().value(), QStringLiteral("a"));
    QVERIFY(reader.atEnd());
    QVERIFY(!reader.readString().has_value());
    QVERIFY(!reader.readNumber().has_value());
  }

  void numbers() {
    FieldReader reader(QStringLiteral("12, -7,abc,16777215\r\n"));
    QCOMPARE(reader.readNumber().value(), 12);
    QCOMPARE(reader.readNumber().value(), -7);
    QVERIFY(!reader.readNumber().has_value());
    QCOMPARE(reader.readNumber().value(), 16777215);
  }

  void linesKeepCommas() {
    FieldReader reader(QStringLiteral("apple, red\r\n\r\nりんご"));
    QCOMPARE(reader.readLine().value(), QStringLiteral("apple, red"));
    QCOMPARE(reader.readLine().value(), QString());
    QCOMPARE(reader.readLine().value(), QStringLiteral("りんご"));
    QVERIFY(!reader.readLine().has_value());
  }

  void linesEndAfterATrailingComma() {
    FieldReader reader(QStringLiteral("a,"));
    QCOMPARE(reader.readString(), std::optional<QString>(QStringLiteral("a")));
    QCOMPARE(reader.readLine(), std::optional<QString>(QString()));
    QVERIFY(reader.atEnd());
  }

  void records_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("records");
    QTest::addRow("one a line") << "1\r\n\"x\"\r\n2,3\r\n" << QStringList{"1", "\"x\"", "2,3"};
    QTest::addRow("line breaks inside quotes") << "\"a\r\nb\"\r\n\"c\rd\ne\",1\n2"
                                               << QStringList{"\"a\r\nb\"", "\"c\rd\ne\",1", "2"};
    QTest::addRow("blank line is an empty record") << "1\r\n\r\n2" << QStringList{"1", "", "2"};
    QTest::addRow("text after the quote kept") << "\"a\"x,1\r\n" << QStringList{"\"a\"x,1"};
  }
  void records() {
    QFETCH(QString, text);
    QFETCH(QStringList, records);
    FieldReader reader(text);
    QStringList read;
    while (const std::optional<QString> record = reader.readRecord()) read.append(*record);
    QCOMPARE(read, records);
  }

  void writerRoundTripsThroughReader() {
    RecordWriter writer;
    writer.number(2).string(QStringLiteral("a, b")).string(QString()).endLine();
    writer.string(QStringLiteral("say \"hi\"")).endLine();
    QCOMPARE(writer.text(), QStringLiteral("2,\"a, b\",\"\"\r\n\"say ＂hi＂\"\r\n"));
    FieldReader reader(writer.text());
    QCOMPARE(reader.readNumber().value(), 2);
    QCOMPARE(reader.readString().value(), QStringLiteral("a, b"));
    QCOMPARE(reader.readString().value(), QString());
    QCOMPARE(reader.readString().value(), QStringLiteral("say ＂hi＂"));
    QVERIFY(reader.atEnd());
  }
};

QTEST_GUILESS_MAIN(TestFieldReader)
#include "tst_field_reader.moc"
