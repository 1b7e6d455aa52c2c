#include "startup/text_sniff.h"

namespace TextSniff {

namespace {

bool hasSignature(const QByteArray& start) {
  static const QByteArray kSignatures[] = {
      QByteArrayLiteral("\x89PNG"), QByteArrayLiteral("\xFF\xD8\xFF"), QByteArrayLiteral("GIF87a"),
      QByteArrayLiteral("GIF89a"), QByteArrayLiteral("PK\x03\x04"), QByteArrayLiteral("PK\x05\x06"),
      QByteArrayLiteral("%PDF-"), QByteArrayLiteral("\x7F" "ELF"), QByteArrayLiteral("\x1F\x8B"),
      QByteArrayLiteral("\x28\xB5\x2F\xFD"), QByteArrayLiteral("7z\xBC\xAF\x27\x1C"), QByteArrayLiteral("Rar!\x1A\x07"),
      QByteArrayLiteral("SQLite format 3"), QByteArrayLiteral("RIFF"), QByteArrayLiteral("OggS"),
      QByteArrayLiteral("\xCA\xFE\xBA\xBE")};
  for (const QByteArray& signature : kSignatures)
    if (start.startsWith(signature)) return true;
  // A Windows program: "MZ" and, at the offset its header names, "PE\0\0".
  return start.startsWith("MZ") && start.size() >= 64 && start.contains(QByteArrayLiteral("PE\0\0"));
}

}  // namespace

Kind of(const QByteArray& bytes) {
  const QByteArray start = bytes.left(kSniffBytes);
  if (hasUtf16Mark(start)) return start.startsWith("\xFF") ? Kind::Utf16LE : Kind::Utf16BE;
  if (hasSignature(start)) return Kind::NotText;
  qsizetype evenZeros = 0;
  qsizetype oddZeros = 0;
  for (qsizetype i = 0; i < start.size(); ++i)
    if (start.at(i) == '\0') ++((i % 2) ? oddZeros : evenZeros);
  if (evenZeros + oddZeros == 0) return Kind::Text;
  // UTF-16 text without a mark: its ASCII characters (spaces, tabs, line
  // ends at least) put every zero byte on the same side of each pair.
  if (start.size() % 2 == 0 || start.size() == kSniffBytes) {
    if (evenZeros == 0) return Kind::Utf16LE;
    if (oddZeros == 0) return Kind::Utf16BE;
  }
  return Kind::NotText;
}

}  // namespace TextSniff
