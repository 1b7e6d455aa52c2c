#pragma once

#include <QByteArray>
#include <QString>

// Text files are read in either of the two encodings users actually have:
// valid UTF-8 (with or without a byte-order mark) or legacy Shift JIS
// (windows-31j). Files are written as the system writes them (see LegacyText).
namespace TextCodec {

// UTF-8 when the bytes are valid UTF-8, otherwise Shift JIS.
QString decode(const QByteArray& bytes);

// Shift JIS (windows-31j) decoding, for fixed-length fields known to be legacy.
QString decodeShiftJis(const QByteArray& bytes);

// Text for a file: UTF-8 on Linux; code page 932 on Windows where it fits.
QByteArray encode(const QString& text);

}  // namespace TextCodec
