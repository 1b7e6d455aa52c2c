// Built without zstd: a compressed collection is refused as unreadable in this build.
#include "anki/zstd_stream.h"

#include <QByteArray>

namespace ZstdStream {

bool startsFrame(const QByteArray& bytes) { return bytes.startsWith(QByteArrayLiteral("\x28\xB5\x2F\xFD")); }

std::optional<AnkiError> decompress(const Reader&, QIODevice&, qint64) { return AnkiError::Unavailable; }

}  // namespace ZstdStream
