#pragma once

#include <QByteArray>

// What the first bytes of a file say it is, before it is read as text:
// UTF-16 (by its byte-order mark, or by the zero bytes of its ASCII
// characters all falling on one side), or no text at all (a zero byte
// outside that pattern, or the signature of a picture, archive, database
// or program), else text for TextCodec to decode.
namespace TextSniff {

enum class Kind { Text, Utf16LE, Utf16BE, NotText };

// How much of a file's start the sniffing looks at.
inline constexpr qint64 kSniffBytes = 64 * 1024;

Kind of(const QByteArray& start);

inline bool isUtf16(Kind kind) { return kind == Kind::Utf16LE || kind == Kind::Utf16BE; }

// Whether the bytes start with UTF-16's byte-order mark (either order).
inline bool hasUtf16Mark(const QByteArray& bytes) { return bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF"); }

}  // namespace TextSniff
