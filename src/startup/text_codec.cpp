#include "startup/text_codec.h"

#include "startup/text_sniff.h"

#include <QStringDecoder>

#include "os/legacy_text.h"

namespace TextCodec {

namespace {

// How well bytes read in one encoding.
struct Scan {
  qsizetype wellFormed = 0;  // multi-byte characters
  qsizetype broken = 0;      // bytes that start no character
  int brokenLines = 0;
  bool lineBroken = false;   // the line being scanned has a broken byte

  void lineEnd() { lineBroken = false; }
  void brokenByte() {
    ++broken;
    if (!lineBroken) ++brokenLines;
    lineBroken = true;
  }
};

bool inRange(const QByteArray& b, qsizetype i, uchar low, uchar high) {
  return i < b.size() && uchar(b[i]) >= low && uchar(b[i]) <= high;
}

// The length of the UTF-8 sequence at i (1 for ASCII), 0 when it is none.
int sequenceLength(const QByteArray& b, qsizetype i) {
  const uchar c = uchar(b[i]);
  if (c < 0x80) return 1;
  auto tail = [&](qsizetype from, int count) {
    for (int k = 0; k < count; ++k)
      if (!inRange(b, from + k, 0x80, 0xBF)) return false;
    return true;
  };
  if (c >= 0xC2 && c <= 0xDF) return tail(i + 1, 1) ? 2 : 0;
  if (c == 0xE0) return inRange(b, i + 1, 0xA0, 0xBF) && tail(i + 2, 1) ? 3 : 0;
  if (c == 0xED) return inRange(b, i + 1, 0x80, 0x9F) && tail(i + 2, 1) ? 3 : 0;
  if (c >= 0xE1 && c <= 0xEF) return tail(i + 1, 2) ? 3 : 0;
  if (c == 0xF0) return inRange(b, i + 1, 0x90, 0xBF) && tail(i + 2, 2) ? 4 : 0;
  if (c >= 0xF1 && c <= 0xF3) return tail(i + 1, 3) ? 4 : 0;
  if (c == 0xF4) return inRange(b, i + 1, 0x80, 0x8F) && tail(i + 2, 2) ? 4 : 0;
  return 0;
}

Scan scanUtf8(const QByteArray& b) {
  Scan scan;
  for (qsizetype i = 0; i < b.size();) {
    if (b[i] == '\n') scan.lineEnd();
    const int length = sequenceLength(b, i);
    if (length == 0) {
      scan.brokenByte();
      ++i;
      continue;
    }
    if (length > 1) ++scan.wellFormed;
    i += length;
  }
  return scan;
}

// The bytes that have no place in code page 932, where every character is a
// single byte or a lead byte with a trail byte.
Scan scanShiftJis(const QByteArray& b) {
  Scan scan;
  for (qsizetype i = 0; i < b.size(); ++i) {
    const uchar c = uchar(b[i]);
    if (c == '\n') scan.lineEnd();
    if (c < 0x80 || (c >= 0xA1 && c <= 0xDF)) continue;
    const bool lead = (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
    if (lead && (inRange(b, i + 1, 0x40, 0x7E) || inRange(b, i + 1, 0x80, 0xFC))) {
      ++scan.wellFormed;
      ++i;
      continue;
    }
    scan.brokenByte();
  }
  return scan;
}

}  // namespace

QString decodeShiftJis(const QByteArray& bytes) { return LegacyText::decodeShiftJis(bytes); }

Decoded decodeReporting(const QByteArray& bytes, bool imported) {
  if (const TextSniff::Kind kind = TextSniff::of(bytes);
      TextSniff::isUtf16(kind) && (imported || TextSniff::hasUtf16Mark(bytes))) {
    QStringDecoder utf16(kind == TextSniff::Kind::Utf16LE ? QStringDecoder::Utf16LE : QStringDecoder::Utf16BE);
    QString text = utf16.decode(bytes);  // drops a leading byte-order mark
    return {std::move(text), utf16.hasError() ? 1 : 0};
  }
  QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
  QString text = utf8.decode(bytes);  // drops a leading byte-order mark
  if (!utf8.hasError()) return {std::move(text), 0};
  const Scan asUtf8 = scanUtf8(bytes);
  // Shift JIS text forms a UTF-8 sequence now and then (about one for every
  // three broken bytes in dense half-width kana, far fewer in kanji); a UTF-8
  // file with a few bad bytes has many more sequences than broken bytes.
  if (asUtf8.wellFormed < 2 * asUtf8.broken) {
    const Scan asShiftJis = scanShiftJis(bytes);
    if (asShiftJis.broken < asUtf8.broken) return {decodeShiftJis(bytes), asShiftJis.brokenLines};
  }
  return {std::move(text), asUtf8.brokenLines};
}

QString decode(const QByteArray& bytes) { return decodeReporting(bytes).text; }

QByteArray encode(const QString& text) { return LegacyText::encodeForFiles(text); }

}  // namespace TextCodec
