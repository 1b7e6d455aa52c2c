#include "startup/bounded_text.h"

#include <cstring>
#include <limits>

#include "os/regular_file.h"
#include "startup/file_io.h"
#include "startup/text_codec.h"
#include "startup/text_sniff.h"

namespace {

constexpr qint64 kPiece = 64 * 1024;
constexpr qint64 kNoCap = std::numeric_limits<qint64>::max();

bool isLineEnd(char c) { return c == '\n' || c == '\r'; }
bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\x1a' || isLineEnd(c); }

}  // namespace

bool BoundedText::LineCounter::take(const char* bytes, qint64 size, qint64 cap) {
  const char* at = bytes;
  const char* const end = bytes + size;
  while (at < end) {
    if (!inLine) {
      // In UTF-16 text the zero bytes of its ASCII characters are no content.
      inLine = !isBlank(*at) && !(utf16 && *at == '\0');
      ++at;
      continue;
    }
    // Inside a line only its end matters: memchr finds it many bytes at a time.
    const char* lineEnd = static_cast<const char*>(std::memchr(at, '\n', end - at));
    if (!lineEnd) lineEnd = end;
    if (const void* cr = std::memchr(at, '\r', lineEnd - at)) lineEnd = static_cast<const char*>(cr);
    if (lineEnd == end) return true;
    at = lineEnd + 1;
    inLine = false;
    if (++count >= cap) return false;
  }
  return true;
}

bool BoundedText::open(const QString& path) {
  if (!RegularFile::openForReading(file_, path)) return false;
  // Piece by piece up to kReadBytes, or until the start holds kKeepLines
  // lines: a long file of short lines then costs far less than the budget.
  qint64 lineEnds = 0;
  bytes_.reserve(qBound<qint64>(0, file_.size(), kReadBytes));  // pages not written cost nothing
  while (bytes_.size() < kReadBytes && lineEnds < kKeepLines) {
    const std::optional<QByteArray> piece = FileIo::readUpTo(file_, std::min(kPiece, kReadBytes - bytes_.size()));
    if (!piece) return false;
    if (piece->isEmpty()) return true;
    bytes_ += *piece;
    lineEnds += piece->count('\n');
  }
  const std::optional<QByteArray> more = FileIo::readUpTo(file_, kPiece);
  if (!more) return false;
  if (more->isEmpty()) return true;
  whole_ = false;
  // The text ends at the last line end; a line cut in two is left, whole, to
  // the count of the rest. UTF-16 is cut after a whole line-end character.
  const TextSniff::Kind kind = TextSniff::of(bytes_);
  counted_.utf16 = TextSniff::isUtf16(kind);
  qsizetype cut = bytes_.size();
  if (counted_.utf16) {
    const int low = kind == TextSniff::Kind::Utf16LE ? 2 : 1;  // where the character's low byte lies
    cut &= ~qsizetype(1);
    while (cut > 0 && !(isLineEnd(bytes_.at(cut - low)) && bytes_.at(cut - 3 + low) == '\0')) cut -= 2;
  } else {
    while (cut > 0 && !isLineEnd(bytes_.at(cut - 1))) --cut;
  }
  counted_.take(bytes_.constData() + cut, bytes_.size() - cut, kNoCap);
  counted_.take(more->constData(), more->size(), kNoCap);
  scanned_ = bytes_.size() - cut + more->size();
  bytes_.truncate(cut);
  return true;
}

QString BoundedText::takeText(bool imported) {
  TextCodec::Decoded decoded = TextCodec::decodeReporting(bytes_, imported);
  bytes_ = QByteArray();
  badLines_ = decoded.badLines;
  return std::move(decoded.text);
}

BoundedText::Lines BoundedText::linesBeyond(qint64 cap) {
  Lines lines;
  if (whole_ || cap <= 0) return lines;
  LineCounter counter = counted_;
  bool more = counter.count < cap;
  QByteArray piece(more ? kPiece : 0, Qt::Uninitialized);
  while (more) {
    if (scanned_ >= kScanBytes) {
      lines.atLeast = true;
      break;
    }
    const qint64 got = file_.read(piece.data(), kPiece);
    if (got <= 0) break;
    scanned_ += got;
    more = counter.take(piece.constData(), got, cap);
  }
  // A last line without a line end, or the one the scan stopped inside.
  if (more && counter.inLine) ++counter.count;
  lines.count = std::min(counter.count, cap);
  // Counted up to the cap, the count is exact as far as the reader goes.
  lines.atLeast = lines.atLeast && lines.count < cap;
  return lines;
}
