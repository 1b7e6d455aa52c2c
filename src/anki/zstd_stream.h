#pragma once

#include <QtGlobal>
#include <functional>
#include <optional>

#include "anki/anki_error.h"

class QIODevice;

// Decompresses a zstd stream (one frame or more) from `read` into `out`,
// writing no byte beyond `maxBytes` whatever the frames declare: TooLarge
// then. `read` gives the bytes read, 0 at the end, -1 on an error
// (NotPackage, as is a frame cut short or damaged).
namespace ZstdStream {

using Reader = std::function<qint64(char* into, qint64 size)>;

std::optional<AnkiError> decompress(const Reader& read, QIODevice& out, qint64 maxBytes);

// Whether the bytes start with a zstd frame's magic number.
bool startsFrame(const QByteArray& bytes);

}  // namespace ZstdStream
