#include "startup/companion_link.h"

#include <QFile>

#include "os/regular_file.h"
#include "startup/bounded_text.h"
#include "startup/field_reader.h"
#include "startup/file_io.h"
#include "startup/paths.h"
#include "startup/quorl_saver.h"
#include "startup/text_codec.h"

namespace CompanionLink {

namespace {

// Status.ini and the book header are read for their first fields only.
constexpr qint64 kFirstFieldsBytes = 64 * 1024;

// Reads a and b from line 1 of Status.ini; nullopt when missing or unusable.
std::optional<std::pair<int, int>> readStatus(const QString& folder) {
  const std::optional<FileIo::Start> start =
      FileIo::readStart(Paths::join(folder, QStringLiteral("Status.ini")), kFirstFieldsBytes);
  if (!start) return std::nullopt;
  FieldReader reader(TextCodec::decode(start->bytes));
  const std::optional<qint64> a = reader.readNumber();
  const std::optional<qint64> b = reader.readNumber();
  if (!a || !b || *a < -32768 || *a > 32767 || *b < -32768 || *b > 32767) return std::nullopt;
  return std::pair{int(*a), int(*b)};
}

// The index file's records; nullopt when a record is incomplete or none is
// there. Of a file too long to read whole, the records of its start are
// taken: more than a list holds fit there.
std::optional<WordList> readIndex(const QString& path) {
  BoundedText file;
  if (!file.open(path)) return std::nullopt;
  FieldReader reader(file.takeText());
  WordList list;
  while (!reader.atEnd() && list.count() < kMaxPairs) {
    const std::optional<QString> question = reader.readString();
    const std::optional<QString> answer = reader.readString();
    const std::optional<QString> ignored = reader.readString();
    if (!question || !answer || !ignored) {
      if (file.whole()) return std::nullopt;
      break;  // the record runs on past the part read
    }
    list.append(*question, *answer);
  }
  if (list.isEmpty()) return std::nullopt;
  return list;
}

// The book table's verdict on record `b`: no table at all, a table too short
// to hold the record, or the book's file name.
struct BookName {
  bool tableExists = false;
  std::optional<QString> name;
};

BookName readBookName(const QString& tablePath, int b) {
  BookName result;
  QFile table;
  if (!QFile::exists(tablePath)) return result;
  result.tableExists = true;
  if (b < 1 || !RegularFile::openForReading(table, tablePath) || !table.seek(qint64(b - 1) * kBookRecordSize))
    return result;
  const QByteArray record = table.read(kBookRecordSize);
  if (record.size() < kBookRecordSize) return result;
  result.name = Paths::trimNulls(TextCodec::decode(record.mid(kBookNameOffset, kBookNameLength)));
  return result;
}

}  // namespace

SourceMark sourceMark(uint8_t linkState, uint8_t ownList, uint8_t companionState) {
  if (linkState != 1) return SourceMark::None;
  if (ownList != 0) return SourceMark::Cross;
  return companionState == 0 ? SourceMark::Circle : SourceMark::Triangle;
}

void findCompanion(QuorlSaver& saver) {
  SaverSettings& s = saver.settings;
  const QString drive = Paths::driveOf(saver.homeFolder());
  const QString candidate = Paths::join(drive + s.companionFolder, QString::fromUtf16(kCompanionExecutable));
  if (FileIo::isFile(candidate)) {
    s.companionFolder = drive + s.companionFolder;
    s.linkState = 1;
  } else {
    s.linkState = 2;
  }
}

void loadCompanionWords(QuorlSaver& saver) {
  const SaverSettings& s = saver.settings;
  if (s.ownList != 0 || s.linkState != 1) {
    saver.companionState = 2;
    return;
  }
  const std::optional<std::pair<int, int>> status = readStatus(s.companionFolder);
  if (!status) {
    saver.companionState = 1;
    return;
  }
  const auto [a, b] = *status;
  const QString indexPath =
      Paths::join(s.companionFolder, QStringLiteral("%1.%2i").arg(b).arg(a));
  std::optional<WordList> words = readIndex(indexPath);
  if (!words) {
    saver.companionState = 1;
    return;
  }

  const QString tablePath = Paths::join(s.companionFolder, QStringLiteral("T.%1").arg(a));
  const BookName book = readBookName(tablePath, b);
  if (book.tableExists && !book.name) {
    // A table that does not hold the current book is as good as no index.
    saver.companionState = 1;
    return;
  }

  saver.companionState = 0;
  words->questionFont = kFallbackListFont;
  words->answerFont = kFallbackListFont;
  if (book.name) {
    const QString headerPath = Paths::join(s.companionFolder, *book.name + QStringLiteral(".vcb"));
    if (const std::optional<FileIo::Start> header = FileIo::readStart(headerPath, kFirstFieldsBytes)) {
      FieldReader reader(TextCodec::decode(header->bytes));
      reader.readString();  // entry count, not needed here
      words->questionFont = reader.readString().value_or(kFallbackListFont);
      words->answerFont = reader.readString().value_or(kFallbackListFont);
    }
  }
  saver.words = std::move(*words);
}

}  // namespace CompanionLink
