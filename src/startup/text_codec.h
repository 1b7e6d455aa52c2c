#pragma once

#include <QByteArray>
#include <QString>

// Text files are read in the encodings users actually have: UTF-8 (with or
// without a byte-order mark), legacy Shift JIS (windows-31j), and the UTF-16
// of spreadsheets' "Unicode text" (see TextSniff). Files are written as the system writes them (see LegacyText).
namespace TextCodec {

struct Decoded {
  QString text;
  // Lines that held byte sequences that are not UTF-8, each read as U+FFFD.
  int badLines = 0;
};

// UTF-8 when the bytes are UTF-8, also when a few sequences are not (a
// stray Latin-1 byte, a file cut inside a character): those become U+FFFD
// and are counted by line, the rest stays readable. Shift JIS only when the
// bytes read better as Shift JIS -- a real Shift JIS file breaks UTF-8
// far more often than it happens to form it. UTF-16 when the bytes start
// with its mark; without one only for files from elsewhere (`imported`):
// the program's own files are never UTF-16, and a zero byte in one (a
// padded field, a character read from a damaged file and written back) must
// not turn it into UTF-16 on the next read.
Decoded decodeReporting(const QByteArray& bytes, bool imported = false);

// The text of decodeReporting, for readers with no one to tell.
QString decode(const QByteArray& bytes);

// Shift JIS (windows-31j) decoding, for fixed-length fields known to be legacy.
QString decodeShiftJis(const QByteArray& bytes);

// Text for a file: UTF-8 on Linux; code page 932 on Windows where it fits.
QByteArray encode(const QString& text);

}  // namespace TextCodec
