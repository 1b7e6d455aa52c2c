#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include "anki/anki_package.h"
#include "editor/anki_dialog_choices.h"
#include "editor/editor_texts.h"
#include "editor/file_import.h"
#include "editor/import_command.h"
#include "editor/word_import.h"
#include "fake_user_dialogs.h"
#ifdef DRIFTGLYPH_ANKI
#include "anki_fixture.h"
#endif
#include "os/legacy_text.h"
#include "startup/startup_texts.h"
#include "startup/word_list.h"

namespace {

using Pairs = QList<QStringList>;  // each entry {question, answer}

Pairs pairsOf(const WordImport::ImportedWords& words) {
  Pairs pairs;
  for (int i = 0; i < words.count(); ++i) pairs << QStringList{words.questions.at(i), words.answers.at(i)};
  return pairs;
}

QByteArray shiftJis(const QString& text) { return LegacyText::encodeShiftJis(text).value_or(QByteArray()); }

// Writes a fixture file into the test's own folder and returns its path.
QString writeFile(const QTemporaryDir& dir, const QString& name, const QByteArray& bytes) {
  const QString path = dir.filePath(name);
  QFile file(path);
  if (!file.open(QIODevice::WriteOnly)) return QString();
  file.write(bytes);
  return path;
}

using Picks = QList<QList<int>>;  // the choice dialogs' answers of a package import; an empty one cancels

const QString kVcbHeader = QStringLiteral("2,\"ＭＳ 明朝\",\"Arial\",\"\"\r\n");

}  // namespace

class TestWordImport : public QObject {
  Q_OBJECT

 private slots:
  void csvReadsTwoFieldsAtATime_data();
  void csvReadsTwoFieldsAtATime();
  void lineByLineAlternates_data();
  void lineByLineAlternates();
  void formatFollowsLowerCaseExtension_data();
  void formatFollowsLowerCaseExtension();
  void importTextFileFromDisk_data();
  void importTextFileFromDisk();
  void separatedListsAndExports_data();
  void separatedListsAndExports();
  void ankiPackages_data();
  void ankiPackages();
  void importCommand_data();
  void importCommand();
  void shiftJisFileIsDecoded();
  void missingOrUnreadableFileFails();
  void importStopsAtItemLimit();
  void importOfLongFiles_data();
  void importOfLongFiles();
  void vcbGivesOnePairPerMeaning_data();
  void vcbGivesOnePairPerMeaning();
  void vcbWithoutMeaningsIsRefusedButKeepsFonts();
  void vcbThatEndsEarlyFails_data();
  void vcbThatEndsEarlyFails();
  void vcbFileInShiftJis();
  void helpTextsAreJoinedByCrLf_data();
  void helpTextsAreJoinedByCrLf();
};

void TestWordImport::csvReadsTwoFieldsAtATime_data() {
  QTest::addColumn<QString>("text");
  QTest::addColumn<bool>("ok");
  QTest::addColumn<Pairs>("pairs");
  QTest::addRow("empty question kept") << "apple,りんご\r\n,dog\r\n" << true
                                       << Pairs{{"apple", "りんご"}, {"", "dog"}};
  QTest::addRow("comma and spaces give nothing") << "apple,りんご\r\n  ,   \r\ncat,猫\r\n" << true
                                                 << Pairs{{"apple", "りんご"}, {"cat", "猫"}};
  QTest::addRow("third column shifts the pairing") << "a,b,c\r\nd,e,f\r\n" << true
                                                   << Pairs{{"a", "b"}, {"c", "d"}, {"e", "f"}};
  QTest::addRow("spaces trimmed, quotes hold commas") << "  apple  , \"red, round\" \r\n" << true
                                                      << Pairs{{"apple", "red, round"}};
  QTest::addRow("controls and direction overrides dropped, tab kept")
      << QString("a\x07pp\tle,\u202Eり") + QChar(0) + "んご\x7f\r\n" << true << Pairs{{"app\tle", "りんご"}};
  QTest::addRow("empty answer on the last line") << "cat,猫\r\ndog,\r\n" << true
                                                 << Pairs{{"cat", "猫"}, {"dog", ""}};
  QTest::addRow("empty answer, no final line end") << "dog," << true << Pairs{{"dog", ""}};
  QTest::addRow("blank lines after the data") << "cat,猫\r\n\r\n\r\n" << true << Pairs{{"cat", "猫"}};
  QTest::addRow("LF line ends") << "cat,猫\ndog,犬" << true << Pairs{{"cat", "猫"}, {"dog", "犬"}};
  QTest::addRow("blank line carries no pair") << "apple,りんご\r\n\r\ndog,犬\r\ncat,猫\r\n" << true
                                              << Pairs{{"apple", "りんご"}, {"dog", "犬"}, {"cat", "猫"}};
  QTest::addRow("blank lines with spaces, LF, in two places")
      << "apple,りんご\n  \n\ndog,犬\n\t\ncat,猫\n" << true << Pairs{{"apple", "りんご"}, {"dog", "犬"}, {"cat", "猫"}};
  QTest::addRow("blank line inside quotes is text") << "\"a\r\n\r\nb\",c\r\n" << true
                                                    << Pairs{{"a\r\n\r\nb", "c"}};
  QTest::addRow("last question without answer field") << "cat,猫\r\ndog\r\n" << false << Pairs{};
  QTest::addRow("only blank pairs") << ",\r\n , \r\n" << false << Pairs{};
  QTest::addRow("empty") << "" << false << Pairs{};
}

void TestWordImport::csvReadsTwoFieldsAtATime() {
  QFETCH(QString, text);
  QFETCH(bool, ok);
  QFETCH(Pairs, pairs);
  const std::optional<WordImport::ImportedWords> words = WordImport::parseCsv(text);
  QCOMPARE(bool(words), ok);
  if (words) QCOMPARE(pairsOf(*words), pairs);
}

void TestWordImport::lineByLineAlternates_data() {
  QTest::addColumn<QString>("text");
  QTest::addColumn<bool>("ok");
  QTest::addColumn<Pairs>("pairs");
  QTest::addColumn<int>("leftOut");  // last questions without an answer
  QTest::addRow("blank lines between, last question left out") << "apple\r\n\r\nりんご\r\n\r\ndog" << true << Pairs{{"apple", "りんご"}} << 1;
  QTest::addRow("blank lines do not reset the pairing") << "a\r\n\r\n\r\nb\r\nc\r\n\r\nd" << true
                                                        << Pairs{{"a", "b"}, {"c", "d"}} << 0;
  QTest::addRow("comma gives two fields") << "apple,pie\r\nりんご\r\n" << true << Pairs{{"apple", "pie"}} << 1;
  QTest::addRow("spaces trimmed") << "   cat  \r\n  猫 \r\n" << true << Pairs{{"cat", "猫"}} << 0;
  QTest::addRow("only a question") << "cat\r\n" << false << Pairs{} << 0;
  QTest::addRow("only blank lines") << "\r\n  \r\n\r\n" << false << Pairs{} << 0;
  QTest::addRow("empty") << "" << false << Pairs{} << 0;
}

void TestWordImport::lineByLineAlternates() {
  QFETCH(QString, text);
  QFETCH(bool, ok);
  QFETCH(Pairs, pairs);
  QFETCH(int, leftOut);
  const std::optional<WordImport::ImportedWords> words = WordImport::parseLineByLine(text);
  QCOMPARE(bool(words), ok);
  if (!words) return;
  QCOMPARE(pairsOf(*words), pairs);
  QCOMPARE(words->skipped.empty, leftOut);
}

void TestWordImport::formatFollowsLowerCaseExtension_data() {
  QTest::addColumn<QString>("name");
  QTest::addColumn<bool>("csv");
  QTest::addRow("words.csv") << "/tmp/words.csv" << true;
  QTest::addRow("words.CSV") << "/tmp/words.CSV" << false;
  QTest::addRow("words.Csv") << "/tmp/words.Csv" << false;
  QTest::addRow("words.txt") << "/tmp/words.txt" << false;
  QTest::addRow("name ending in csv") << "/tmp/wordscsv" << true;
}

void TestWordImport::formatFollowsLowerCaseExtension() {
  QFETCH(QString, name);
  QFETCH(bool, csv);
  QCOMPARE(WordImport::textFormatOf(name) == WordImport::TextFormat::Csv, csv);
}

void TestWordImport::importTextFileFromDisk_data() {
  QTest::addColumn<QString>("name");
  QTest::addColumn<Pairs>("pairs");
  // The same bytes pair up differently as csv and as lines.
  QTest::addRow("words.csv as csv") << "words.csv" << Pairs{{"apple", "りんご"}, {"", "dog"}};
  // As lines, the last question has no answer: left out.
  QTest::addRow("words.CSV as text") << "words.CSV" << Pairs{{"apple", "りんご"}};
  QTest::addRow("words.txt as text") << "words.txt" << Pairs{{"apple", "りんご"}};
}

void TestWordImport::importTextFileFromDisk() {
  QFETCH(QString, name);
  QFETCH(Pairs, pairs);
  QTemporaryDir dir;
  QVERIFY(dir.isValid());
  const QString path = writeFile(dir, name, QStringLiteral("apple,りんご\r\n,dog\r\n").toUtf8());
  const std::optional<WordImport::ImportedWords> words = WordImport::importTextFile(path);
  QVERIFY(words);
  QCOMPARE(pairsOf(*words), pairs);
}

void TestWordImport::separatedListsAndExports_data() {
  QTest::addColumn<QString>("name");
  QTest::addColumn<QString>("text");
  QTest::addColumn<Pairs>("pairs");
  QTest::addColumn<SkippedNotes>("skipped");
  // A flashcard program's export with every header: guid, note type, deck and tags columns skipped.
  QTest::addRow("export with every header")
      << "deck.txt"
      << "#separator:tab\n#html:true\n#columns:Guid\tType\tDeck\tFront\tBack\tTags\n#guid column:1\n"
         "#notetype column:2\n#deck column:3\n#tags column:6\n#notetype:Basic\n"
         "g1\tBasic\tJP\t<b>犬</b>\tdog&nbsp;<br>(animal)\tn5\n"
         "g2\tBasic\tJP\t\"<div>漢字[かんじ]</div>\"\t\"kanji, \"\"chars\"\"\" [sound:k.mp3]\tn4\n"
         "g3\tBasic\tJP\t<img src=\"a.png\">\tpicture\tx\n"
         "g4\tBasic\n"
      << Pairs{{"犬", "dog (animal)"}, {"漢字", "kanji, \"chars\""}} << SkippedNotes{1, 1, 0};
  QTest::addRow("entities, speech, controls")
      << "e.txt" << "#separator:tab\n#html:true\ncaf&eacute;&ndash;&hellip;&rsquo;&NotEqualTilde;\t"
                    "[anki:tts lang=ja_JP]猫[/anki:tts] &#7;ne&#x202E;ko\n"
      << Pairs{{"café–…’\u2242\u0338", "猫 neko"}} << SkippedNotes{};
  QTest::addRow("html:false keeps tags, quoted field runs over lines")
      << "e.txt" << "#separator:Semicolon\n#html:false\n\"a;\nb\";<i>x</i>\n\n\nc;d\n"
      << Pairs{{"a;\nb", "<i>x</i>"}, {"c", "d"}} << SkippedNotes{};
  QTest::addRow("header in a csv file") << "e.csv" << "#separator:comma\n\"a\",b\r\n"
                                        << Pairs{{"a", "b"}} << SkippedNotes{};
  QTest::addRow("tabs without header") << "list.txt" << "apple\tりんご\r\ndog\t犬\r\n"
                                       << Pairs{{"apple", "りんご"}, {"dog", "犬"}} << SkippedNotes{};
  QTest::addRow("tabs in a csv file stay csv") << "list.csv" << "apple\tx,りんご\r\n"
                                               << Pairs{{"apple\tx", "りんご"}} << SkippedNotes{};
  QTest::addRow("field of 1 MB") << "big.txt" << "a\t" + QString(1 << 20, u'x') + "\nb\tc\n"
                                 << Pairs{{"b", "c"}} << SkippedNotes{0, 0, 1};
}

void TestWordImport::separatedListsAndExports() {
  QFETCH(QString, name);
  QFETCH(QString, text);
  QFETCH(Pairs, pairs);
  QFETCH(SkippedNotes, skipped);
  QTemporaryDir dir;
  const std::optional<WordImport::ImportedWords> words = WordImport::importTextFile(writeFile(dir, name, text.toUtf8()));
  QVERIFY(words);
  QCOMPARE(pairsOf(*words), pairs);
  QCOMPARE(words->skipped, skipped);
}

#ifdef DRIFTGLYPH_ANKI
namespace {

using namespace AnkiFixture;

QByteArray packageBytes(const AnkiFixture::Collection& c, int version) {
  QTemporaryDir dir;
  QFile file(dir.filePath("p"));
  if (!writePackage(file.fileName(), c, version) || !file.open(QIODevice::ReadOnly)) return {};
  return file.readAll();
}

QByteArray zipBytes(const QMap<QString, QByteArray>& members, const char* password = nullptr) {
  QTemporaryDir dir;
  QFile file(dir.filePath("z"));
  if (!writeZip(file.fileName(), members, password) || !file.open(QIODevice::ReadOnly)) return {};
  return file.readAll();
}

}  // namespace
#endif

void TestWordImport::ankiPackages_data() {
  QTest::addColumn<QByteArray>("package");
  QTest::addColumn<Picks>("picks");
  QTest::addColumn<Pairs>("pairs");
  QTest::addColumn<int>("error");  // an AnkiError, -1 for none
  QTest::addColumn<SkippedNotes>("skipped");
#ifndef DRIFTGLYPH_ANKI
  QTest::addRow("not available in this build") << QByteArray("PK") << Picks{} << Pairs{} << int(AnkiError::Unavailable)
                                               << SkippedNotes{};
#else
  AnkiFixture::Collection legacy;
  legacy.schema = 11;
  legacy.notes = {{1, {"<b>犬</b>", "dog&nbsp;<br>[sound:d.mp3]"}}, {1, {" 漢字[かんじ]", "<img src=k.png>kanji"}},
                  {1, {"<div></div>", "empty question"}}};
  const Pairs legacyPairs{{"犬", "dog"}, {"漢字", "kanji"}};
  QTest::addRow("legacy package, schema 11") << packageBytes(legacy, 1) << Picks{} << legacyPairs << -1
                                             << SkippedNotes{1, 0, 0};
  QTest::addRow("version 2 with meta") << packageBytes(legacy, 2) << Picks{} << legacyPairs << -1 << SkippedNotes{1, 0, 0};
  AnkiFixture::Collection latest;
  latest.noteTypes = {{7, "Vocab", {"Word", "Reading", "Meaning"}}, {8, "Single", {"Text"}}};
  latest.decks = {{1, "Default"}, {2, "JP"}, {3, "JP::N5"}, {4, "Other"}};
  latest.notes = {{7, {"猫", "ねこ", "cat"}, 3}, {7, {"犬", "いぬ", "dog"}, 2}, {7, {"x", "y", "z"}, 4},
                  {8, {"alone"}, 3}, {7, {"長", "", QString(1 << 20, u'x')}, 2}};
  // Decks offered: all, JP, JP::N5, Other; fields: Word and Meaning.
  QTest::addRow("latest package: zstd, schema 18, deck with sub-decks, fields chosen")
      << packageBytes(latest, 3) << Picks{{1}, {0, 2}} << Pairs{{"猫", "cat"}, {"犬", "dog"}} << -1 << SkippedNotes{0, 1, 1};
  QTest::addRow("same field twice is asked again") << packageBytes(latest, 3) << Picks{{3}, {1, 1}, {0, 1}}
                                                   << Pairs{{"x", "y"}} << -1 << SkippedNotes{};
  QTest::addRow("deck choice cancelled") << packageBytes(latest, 3) << Picks{{}} << Pairs{} << int(AnkiError::Cancelled)
                                         << SkippedNotes{};
  const QByteArray real = collectionBytes(legacy);
  QTest::addRow("no meta: collection.anki21 before the old one")
      << zipBytes({{"collection.anki2", collectionBytes(AnkiFixture::Collection{})}, {"collection.anki21", real}})
      << Picks{} << legacyPairs << -1 << SkippedNotes{1, 0, 0};
  // Cloze notes: one pair per number, a hint in brackets, the Back Extra not needed.
  AnkiFixture::Collection cloze;
  cloze.noteTypes = {{5, "Cloze", {"Text", "Back Extra"}, true}};
  cloze.notes = {{5, {"{{c1::東京::capital}}は{{c2::日本}}の首都", ""}, 1, 0, 0, 0, {0, 1}},
                 {5, {"{{c1::image-occlusion:rect:left=.1:top=.2:width=.3:height=.4}}", ""}}};
  const Pairs clozePairs{{"[capital]は日本の首都", "東京"}, {"東京は[...]の首都", "日本"}};
  QTest::addRow("cloze, schema 18") << packageBytes(cloze, 3) << Picks{} << clozePairs << -1 << SkippedNotes{0, 0, 0, 1};
  cloze.schema = 11;
  cloze.notes = {{5, {"{{c1::犬}}と{{c1::<b>猫</b>}}、{{c2::鳥 {{c3::魚}}}}", "extra"}, 1, 0, 0, 0, {0, 1, 2}}};
  QTest::addRow("cloze, schema 11: repeated and nested numbers")
      << packageBytes(cloze, 2) << Picks{}
      << Pairs{{"[...]と[...]、鳥 魚", "犬 / 猫"}, {"犬と猫、[...]", "鳥 魚"}, {"犬と猫、鳥 [...]", "魚"}} << -1
      << SkippedNotes{};
  // A collection is a whole number of pages: at a multiple of 128 KiB its last
  // zstd block fills the reader's buffer exactly. The pages beyond the
  // collection's own are zeros, as SQLite leaves free pages.
  for (const int pages : {31, 32, 33, 63, 64, 65}) {
    QByteArray paged = real;
    paged.resize(pages * 4096, '\0');
    QTest::addRow("latest package of %d pages of 4 KiB", pages)
        << zipBytes({{"meta", meta(3)}, {"collection.anki21b", zstd(paged)}}) << Picks{} << legacyPairs << -1
        << SkippedNotes{1, 0, 0};
  }
  AnkiFixture::Collection many;
  for (int i = 0; i < 32767 + 5; ++i) many.notes.append({1, {QString::number(i), "n"}});
  QTest::addRow("beyond the pairs a list holds") << packageBytes(many, 3) << Picks{} << Pairs{} << -1 << SkippedNotes{};
  const QByteArray zeros(9 << 20, 0);
  const auto bad = [&](const char* name, const QByteArray& bytes, AnkiError error) {
    QTest::addRow("%s", name) << bytes << Picks{} << Pairs{} << int(error) << SkippedNotes{};
  };
  bad("not a zip", "hello", AnkiError::NotPackage);
  bad("truncated zip", packageBytes(legacy, 2).chopped(200), AnkiError::NotPackage);
  bad("meta not protobuf", zipBytes({{"meta", "\xff\xff"}, {"collection.anki21", real}}), AnkiError::BadMeta);
  bad("version too new", zipBytes({{"meta", meta(4)}, {"collection.anki21b", zstd(real)}}), AnkiError::TooNew);
  bad("zip bomb over the bound", zipBytes({{"collection.anki21", zeros}}), AnkiError::TooLarge);
  bad("zstd bomb over the bound", zipBytes({{"meta", meta(3)}, {"collection.anki21b", zstd(zeros)}}), AnkiError::TooLarge);
  bad("cut zstd frame", zipBytes({{"meta", meta(3)}, {"collection.anki21b", zstd(real).chopped(9)}}),
      AnkiError::NotPackage);
  bad("not SQLite", zipBytes({{"collection.anki21", QByteArray(4096, 'x')}}), AnkiError::NotCollection);
  AnkiFixture::Collection future;
  future.schema = 19;
  bad("unknown schema", zipBytes({{"collection.anki21", collectionBytes(future)}}), AnkiError::UnknownSchema);
  AnkiFixture::Collection oneField;
  oneField.noteTypes = {{1, "Single", {"Text"}}};
  oneField.notes = {{1, {"alone"}}};
  QTest::addRow("only notes of one field") << zipBytes({{"collection.anki21", collectionBytes(oneField)}}) << Picks{}
                                           << Pairs{} << -1 << SkippedNotes{0, 1, 0};
  bad("no collection member", zipBytes({{"media", "{}"}}), AnkiError::NoCollection);
  // Where libzip was built without a cryptography library it cannot encrypt: no such package to try.
  if (const QByteArray encrypted = zipBytes({{"collection.anki21", real}}, "secret"); !encrypted.isEmpty())
    bad("encrypted", encrypted, AnkiError::Encrypted);
#endif
}

void TestWordImport::ankiPackages() {
  QFETCH(QByteArray, package);
  QFETCH(Picks, picks);
  QFETCH(Pairs, pairs);
  QFETCH(int, error);
  QFETCH(SkippedNotes, skipped);
  QTemporaryDir dir;
  const QString path = writeFile(dir, "deck.apkg", package);
  FakeUserDialogs dialogs;
  for (const QList<int>& pick : picks) dialogs.picks.push_back(pick.isEmpty() ? std::nullopt : std::optional(pick));
  ExtraSettings remembered;
  AnkiDialogChoices choices(dialogs, remembered);
  const std::variant<AnkiPairs, AnkiError> read = AnkiPackage::read(path, choices, 8 << 20);
  QCOMPARE(dialogs.unexpected, 0);
  QVERIFY(dialogs.picks.empty());
  QCOMPARE(QFileInfo(path).size(), package.size());
  if (error >= 0) {
    QCOMPARE(int(std::get<AnkiError>(read)), error);
    return;
  }
  const AnkiPairs& got = std::get<AnkiPairs>(read);
  if (got.count() == AnkiPairs::kMaxPairs) {
    QCOMPARE(got.beyond, 5);
    return;
  }
  QCOMPARE(pairsOf(FileImport::fromAnki(got)), pairs);
  QCOMPARE(got.skipped, skipped);
  // The note type's fields are remembered: the same package asks no more about them.
  const qsizetype asked = dialogs.choiceRequests.size();
  for (const QList<int>& pick : picks.mid(0, 1)) dialogs.picks.push_back(pick);
  AnkiDialogChoices again(dialogs, remembered);
  QCOMPARE(pairsOf(FileImport::fromAnki(std::get<AnkiPairs>(AnkiPackage::read(path, again, 8 << 20)))), pairs);
  QCOMPARE(dialogs.choiceRequests.size(), asked + qsizetype(picks.isEmpty() ? 0 : 1));
}

// driftglyph --import: what is written, or why nothing is (status 2).
void TestWordImport::importCommand_data() {
  QTest::addColumn<QString>("name");
  QTest::addColumn<QByteArray>("bytes");
  QTest::addColumn<QStringList>("options");  // deck, question field, answer field
  QTest::addColumn<QString>("said");         // part of the line printed
  QTest::addColumn<Pairs>("pairs");          // written; none: status 2
  const QStringList none{"", "", ""};
  QTest::addRow("csv") << "w.csv" << QByteArray("cat,猫\r\n") << none << "1 pairs written" << Pairs{{"cat", "猫"}};
  QTest::addRow("a picture") << "photo.txt" << QByteArray("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16) << none
                             << "not a text file" << Pairs{};
  QTest::addRow("a program") << "words.csv" << QByteArray("\x7f" "ELF\2\1\1\0\0\0", 10) << none << "not a text file"
                             << Pairs{};
  const QString tabbed = "cat\t猫\r\ndog\t犬\r\n";
  QTest::addRow("UTF-16 with its mark, tab-separated")
      << "u.txt" << QByteArray("\xFF\xFE") + QByteArray(reinterpret_cast<const char*>(tabbed.utf16()), tabbed.size() * 2)
      << none << "2 pairs written" << Pairs{{"cat", "猫"}, {"dog", "犬"}};
  QByteArray bigEndian;
  for (const QChar c : tabbed) bigEndian += char(c.unicode() >> 8), bigEndian += char(c.unicode() & 0xFF);
  QTest::addRow("UTF-16 without a mark, tab-separated .csv")
      << "u.csv" << bigEndian << none << "2 pairs written" << Pairs{{"cat", "猫"}, {"dog", "犬"}};
  QTest::addRow("the output is the input") << "out.dgl" << QByteArray("cat\r\n猫\r\n") << none
                                           << "is also the output" << Pairs{};
  QTest::addRow("--deck on a file without decks") << "w.csv" << QByteArray("cat,猫\r\n") << QStringList{"JP", "", ""}
                                                  << "has no decks" << Pairs{};
  QTest::addRow("--fields on a file that names none") << "w.csv" << QByteArray("cat,猫\r\n")
                                                      << QStringList{"", "Back", "Front"} << "the file names no fields"
                                                      << Pairs{};
  QTest::addRow("--fields among #columns: names")
      << "e.txt" << QByteArray("#separator:tab\n#columns:Word\tReading\tMeaning\n猫\tねこ\tcat\n") << QStringList{"", "meaning", "word"}
      << "1 pairs written" << Pairs{{"cat", "猫"}};
#ifdef DRIFTGLYPH_ANKI
  AnkiFixture::Collection basic;
  basic.notes = {{1, {"犬", "dog"}}};
  const QByteArray collection = collectionBytes(basic);
  QTest::addRow("bare collection.anki2") << "collection.anki2" << collection << QStringList{"", "", ""}
                                         << "1 pairs written" << Pairs{{"犬", "dog"}};
  QTest::addRow("unzipped collection.anki21b") << "collection.anki21b" << zstd(collection) << QStringList{"", "", ""}
                                               << "1 pairs written" << Pairs{{"犬", "dog"}};
  QTest::addRow("--fields Back,Front on two fields") << "collection.anki2" << collection
                                                      << QStringList{"", "back", "front"} << "1 pairs written"
                                                      << Pairs{{"dog", "犬"}};
  QTest::addRow("--fields that no note type has") << "collection.anki2" << collection
                                                   << QStringList{"", "Reading", "Meaning"}
                                                   << "fields: Basic (Front, Back)" << Pairs{};
  QTest::addRow("--deck that is not there") << "collection.anki2" << collection << QStringList{"N5", "", ""}
                                            << "decks: Default" << Pairs{};
  AnkiFixture::Collection longField = basic;
  longField.notes.append({1, {"long", QString(20 << 20, u'x')}});
  QTest::addRow("a field of 20 MB left out, the rest read")
      << "collection.anki2" << collectionBytes(longField) << none << "1 longer than 2000 characters"
      << Pairs{{"犬", "dog"}};
  AnkiFixture::Collection endless = basic;
  endless.spoil = "DROP TABLE notes; CREATE VIEW notes AS WITH RECURSIVE r(id) AS (SELECT 1 UNION ALL SELECT id + 1 FROM r) "
                  "SELECT id, '' AS guid, 1 AS mid, 0 AS mod, 0 AS usn, '' AS tags, 'a' || char(31) || 'b' AS flds, "
                  "0 AS sfld, 0 AS csum, 0 AS flags, '' AS data FROM r";
  QTest::addRow("notes an endless view") << "collection.anki2" << collectionBytes(endless) << none
                                         << "not an Anki collection" << Pairs{};
#endif
}

void TestWordImport::importCommand() {
  QFETCH(QString, name);
  QFETCH(QByteArray, bytes);
  QFETCH(QStringList, options);
  QFETCH(QString, said);
  QFETCH(Pairs, pairs);
  QTemporaryDir dir;
  const QString input = writeFile(dir, name, bytes);
  const QString output = dir.filePath("out.dgl");  // the input itself in one row
  QString printed;
  QTextStream out(&printed);
  QTextStream err(&printed);
  const int status =
      ImportCommand::run({input, output, options.at(0), options.at(1), options.at(2)}, out, err);
  QVERIFY2(printed.contains(said), qPrintable(printed));
  QCOMPARE(status, pairs.isEmpty() ? 2 : 0);
  // The input is never changed, nothing is made beside it but the list.
  QCOMPARE(QFileInfo(input).size(), bytes.size());
  QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), pairs.isEmpty() ? 1 : 2);
  if (pairs.isEmpty()) return;
  const std::optional<WordList> written = WordListFile::readChecked(output);
  QVERIFY(written);
  Pairs got;
  for (int i = 1; i <= written->count(); ++i) got << QStringList{written->question(i), written->answer(i)};
  QCOMPARE(got, pairs);
}

void TestWordImport::shiftJisFileIsDecoded() {
  QTemporaryDir dir;
  const QByteArray bytes = shiftJis(QStringLiteral("りんご,林檎\r\n表,ｵﾓﾃ\r\n"));
  QVERIFY(!bytes.isEmpty());
  QVERIFY(bytes != QStringLiteral("りんご,林檎\r\n表,ｵﾓﾃ\r\n").toUtf8());
  const std::optional<WordImport::ImportedWords> words =
      WordImport::importTextFile(writeFile(dir, QStringLiteral("sjis.csv"), bytes));
  QVERIFY(words);
  QCOMPARE(pairsOf(*words), (Pairs{{"りんご", "林檎"}, {"表", "ｵﾓﾃ"}}));

  const std::optional<WordImport::ImportedWords> bom =
      WordImport::importTextFile(writeFile(dir, QStringLiteral("bom.txt"), "\xEF\xBB\xBF" "cat\r\n猫\r\n"));
  QVERIFY(bom);
  QCOMPARE(pairsOf(*bom), (Pairs{{"cat", "猫"}}));
}

void TestWordImport::missingOrUnreadableFileFails() {
  QTemporaryDir dir;
  QVERIFY(!WordImport::importTextFile(dir.filePath(QStringLiteral("absent.csv"))));
  QVERIFY(!WordImport::importTextFile(writeFile(dir, QStringLiteral("empty.csv"), QByteArray())));
  QVERIFY(!WordImport::importTextFile(writeFile(dir, QStringLiteral("empty.txt"), QByteArray())));
  QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("folder.csv")));
  QVERIFY(!WordImport::importTextFile(dir.filePath(QStringLiteral("folder.csv"))));
  QVERIFY(!WordImport::importVcbFile(dir.filePath(QStringLiteral("absent.vcb"))).words);
  QCOMPARE(EditorTexts::kCannotOpen, QStringLiteral("ﾌｧｲﾙを開けません"));
}

void TestWordImport::importStopsAtItemLimit() {
  QString text;
  for (int i = 1; i <= WordImport::kMaxImportedPairs + 2; ++i) text += QStringLiteral("q%1,a%1\r\n").arg(i);
  std::optional<WordImport::ImportedWords> words = WordImport::parseCsv(text);
  QVERIFY(words);
  QCOMPARE(words->count(), WordImport::kMaxImportedPairs);
  QCOMPARE(words->answers.size(), WordImport::kMaxImportedPairs);
  QCOMPARE(words->leftOut.pairs, 2);
  QCOMPARE(words->questions.last(), QStringLiteral("q%1").arg(WordImport::kMaxImportedPairs));

  QCOMPARE(WordImport::parseCsv(QStringLiteral("q,a\r\n"))->leftOut.pairs, 0);
  // Line by line, a left-out question takes its answer with it.
  text.replace(u',', QStringLiteral("\r\n"));
  text += QStringLiteral("last\r\n");
  words = WordImport::parseLineByLine(text);
  QCOMPARE(words->leftOut.pairs, 3);
  QCOMPARE(words->answers.last(), QStringLiteral("a%1").arg(WordImport::kMaxImportedPairs));
}

// A file longer than is read gives the pairs of its start, the rest counted by lines.
void TestWordImport::importOfLongFiles_data() {
  QTest::addColumn<QString>("name");
  QTest::addColumn<bool>("atLeast");
  QTest::addRow("csv") << "w.csv" << false;
  QTest::addRow("text, the part read ending on a question") << "w.txt" << false;
  QTest::addRow("vcb, an entry counted as one pair") << "w.vcb" << true;
}

void TestWordImport::importOfLongFiles() {
  QFETCH(QString, name);
  QFETCH(bool, atLeast);
  QTemporaryDir dir;
  const QByteArray x(100, 'x');
  QByteArray bytes = name.endsWith("vcb") ? "40000,f,g,\r\n" : "";
  for (int i = 1; i <= 40000; ++i) {  // pairs of over 210 bytes
    const QByteArray q = QByteArray::number(i).rightJustified(5, '0');
    bytes += name.endsWith("csv")   ? q + "," + x + x + "xx\r\n"
             : name.endsWith("txt") ? q + x + "\r\n" + x + "-" + q + "\r\n"
                                    : "1," + q + "," + x + x + ",,,,\r\n";
  }
  const QString path = writeFile(dir, name, bytes);
  const std::optional<WordImport::ImportedWords> words =
      name.endsWith("vcb") ? WordImport::importVcbFile(path).words : WordImport::importTextFile(path);
  QVERIFY(words);
  QCOMPARE(words->count(), WordImport::kMaxImportedPairs);
  QCOMPARE(words->leftOut, (LeftOut{40000 - WordImport::kMaxImportedPairs, atLeast, true}));
  QVERIFY(words->questions.last().startsWith(QString::number(WordImport::kMaxImportedPairs)));
}

void TestWordImport::vcbGivesOnePairPerMeaning_data() {
  QTest::addColumn<QString>("text");
  QTest::addColumn<Pairs>("pairs");
  QTest::addRow("meanings 1 and 3")
      << kVcbHeader + "1,\"apple\",\"りんご\",\"\",\"林檎\",\"\",\"\"\r\n2,\"dog\",\"犬\",\"\",\"\",\"\",\"\"\r\n"
      << Pairs{{"apple", "りんご"}, {"apple", "林檎"}, {"dog", "犬"}};
  QTest::addRow("blank meaning skipped, others kept as read")
      << kVcbHeader + "1,\" cat \",\"   \",\" 猫 \",\"\",\"\",\"ねこ\"\r\n2,\"x\",\"\",\"\",\"\",\"\",\"\"\r\n"
      << Pairs{{" cat ", " 猫 "}, {" cat ", "ねこ"}};
  QTest::addRow("count smaller than the data")
      << "1,\"a\",\"b\",\"\"\r\n1,\"sun\",\"太陽\",\"\",\"\",\"\",\"\"\r\n2,\"moon\",\"月\",\"\",\"\",\"\",\"\"\r\n"
      << Pairs{{"sun", "太陽"}};
  QTest::addRow("unquoted fields, empty last meaning")
      << "1,A,B,\r\n1,star,星,,,,\r\n" << Pairs{{"star", "星"}};
}

void TestWordImport::vcbGivesOnePairPerMeaning() {
  QFETCH(QString, text);
  QFETCH(Pairs, pairs);
  const WordImport::VcbImport result = WordImport::parseVcb(text);
  QVERIFY(result.words);
  QCOMPARE(pairsOf(*result.words), pairs);
  QVERIFY(result.questionFont && result.answerFont);
}

void TestWordImport::vcbWithoutMeaningsIsRefusedButKeepsFonts() {
  const WordImport::VcbImport result =
      WordImport::parseVcb(kVcbHeader + "1,\"apple\",\"\",\" \",\"\",\"\",\"\"\r\n2,\"dog\",\"\",\"\",\"\",\"\",\"\"\r\n");
  QVERIFY(!result.words);
  QCOMPARE(result.questionFont.value_or(QString()), QStringLiteral("ＭＳ 明朝"));
  QCOMPARE(result.answerFont.value_or(QString()), QStringLiteral("Arial"));
}

void TestWordImport::vcbThatEndsEarlyFails_data() {
  QTest::addColumn<QString>("text");
  QTest::addColumn<bool>("headerRead");
  QTest::addRow("empty file") << "" << false;
  QTest::addRow("blank lines only") << "\r\n\r\n" << false;
  QTest::addRow("count is not a number") << "apple,りんご\r\ndog,犬\r\n" << false;
  QTest::addRow("header cut short") << "3,\"ＭＳ 明朝\"" << false;
  // Reading past the end of the file is an error, also after whole entries.
  QTest::addRow("count larger than the data")
      << "5,\"a\",\"b\",\"\"\r\n1,\"sun\",\"太陽\",\"\",\"\",\"\",\"\"\r\n" << true;
  QTest::addRow("entry cut short") << "2,A,B,x\r\n1,sun,太陽,日\r\n" << true;
}

void TestWordImport::vcbThatEndsEarlyFails() {
  QFETCH(QString, text);
  QFETCH(bool, headerRead);
  const WordImport::VcbImport result = WordImport::parseVcb(text);
  QVERIFY(!result.words);
  QCOMPARE(result.questionFont.has_value(), headerRead);
  QCOMPARE(result.answerFont.has_value(), headerRead);
}

void TestWordImport::vcbFileInShiftJis() {
  QTemporaryDir dir;
  const QString text =
      QStringLiteral("1,\"ＭＳ 明朝\",\"ＭＳ ゴシック\",\"単語帳\"\r\n1,\"表\",\"おもて\",\"\",\"ひょう\",\"\",\"\"\r\n");
  const WordImport::VcbImport result =
      WordImport::importVcbFile(writeFile(dir, QStringLiteral("book.vcb"), shiftJis(text)));
  QVERIFY(result.words);
  QCOMPARE(pairsOf(*result.words), (Pairs{{"表", "おもて"}, {"表", "ひょう"}}));
  QCOMPARE(result.questionFont.value_or(QString()), QStringLiteral("ＭＳ 明朝"));
  QCOMPARE(result.answerFont.value_or(QString()), QStringLiteral("ＭＳ ゴシック"));
}

void TestWordImport::helpTextsAreJoinedByCrLf_data() {
  QTest::addColumn<QString>("text");
  QTest::addColumn<int>("lines");
  QTest::addColumn<QString>("first");
  QTest::addColumn<QString>("last");
  QTest::addRow("csv") << EditorTexts::csvHelpText() << 15 << "表計算ｿﾌﾄなどで入力したcsv(ｺﾝﾏ区切り)ﾃﾞｰﾀを"
                       << "なります。";
  QTest::addRow("txt") << EditorTexts::textHelpText() << 15 << "ﾃｷｽﾄﾌｧｲﾙで入力したﾃﾞｰﾀを変換することが出来ます。"
                       << "なります。";
  QTest::addRow("vcb") << EditorTexts::vcbHelpText() << 7 << "ここで言うvcbﾌｧｲﾙはQuorlingの問題ﾃﾞｰﾀです。"
                       << "をご覧ください！";
}

void TestWordImport::helpTextsAreJoinedByCrLf() {
  QFETCH(QString, text);
  QFETCH(int, lines);
  QFETCH(QString, first);
  QFETCH(QString, last);
  const QStringList split = text.split(QStringLiteral("\r\n"));
  QCOMPARE(split.size(), lines);
  QCOMPARE(split.first(), first);
  QCOMPARE(split.last(), last);
  QCOMPARE(text.count(u'\n'), lines - 1);
  QCOMPARE(text.count(u'\r'), lines - 1);
  if (lines == 7) QCOMPARE(split.at(5), QStringLiteral("詳しくは") + kHelpPlace);
}

QTEST_GUILESS_MAIN(TestWordImport)
#include "tst_word_import.moc"
