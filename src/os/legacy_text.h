#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

// The legacy code page of Japanese systems, code page 932 (Shift JIS with
// the system's extensions, "windows-31j"), and the way this system writes
// text files.
namespace LegacyText {

// Decodes code page 932; Latin-1 where the system has no decoder for it.
QString decodeShiftJis(const QByteArray& bytes);

// Encodes into code page 932; nothing when a character has no place there.
std::optional<QByteArray> encodeShiftJis(const QString& text);

// Text for a file: the system's code page here (UTF-8 on Linux). On
// Windows code page 932 when every character has a place in it, so older
// tools can read the file, else UTF-8: a character is never lost.
QByteArray encodeForFiles(const QString& text);

}  // namespace LegacyText
