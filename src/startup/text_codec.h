#pragma once

#include <QByteArray>
#include <QString>

// Text files are read in either of the two encodings users actually have:
// valid UTF-8 (with or without a byte-order mark) or legacy Shift JIS
// (windows-31j). Files are written in the system's code page.
namespace TextCodec {

// UTF-8 when the bytes are valid UTF-8, otherwise Shift JIS.
QString decode(const QByteArray& bytes);

// Shift JIS (windows-31j) decoding, for fixed-length fields known to be legacy.
QString decodeShiftJis(const QByteArray& bytes);

// The system code page: UTF-8 on Linux.
QByteArray encode(const QString& text);

}  // namespace TextCodec
