#include "anki/zstd_stream.h"

#include <QByteArray>
#include <QIODevice>
#include <memory>
#include <zstd.h>
#include <zstd_errors.h>

namespace ZstdStream {

namespace {

constexpr qint64 kPiece = 64 * 1024;

}  // namespace

bool startsFrame(const QByteArray& bytes) { return bytes.startsWith(QByteArrayLiteral("\x28\xB5\x2F\xFD")); }

std::optional<AnkiError> decompress(const Reader& read, QIODevice& out, qint64 maxBytes) {
  const std::unique_ptr<ZSTD_DCtx, size_t (*)(ZSTD_DCtx*)> context(ZSTD_createDCtx(), ZSTD_freeDCtx);
  if (!context) return AnkiError::WriteFailed;
  // A frame may ask for a window of up to 2 GB; 128 MB covers every collection.
  ZSTD_DCtx_setParameter(context.get(), ZSTD_d_windowLogMax, 27);
  QByteArray input(kPiece, Qt::Uninitialized);
  QByteArray output(qint64(ZSTD_DStreamOutSize()), Qt::Uninitialized);
  qint64 total = 0;
  size_t pending = 1;  // 0 once a frame has ended and all of it is written
  bool any = false;
  for (;;) {
    const qint64 got = read(input.data(), kPiece);
    if (got < 0) return AnkiError::NotPackage;
    if (got == 0) break;
    any = true;
    ZSTD_inBuffer from{input.constData(), size_t(got), 0};
    // A full output buffer may leave decoded bytes inside the context: go on
    // until it has none. A frame that ended exactly as the buffer filled has
    // none left; asking again would start the next frame and lose its end.
    bool more = true;
    while (from.pos < from.size || more) {
      ZSTD_outBuffer to{output.data(), size_t(output.size()), 0};
      pending = ZSTD_decompressStream(context.get(), &to, &from);
      if (ZSTD_isError(pending)) {
        const auto code = ZSTD_getErrorCode(pending);
        return code == ZSTD_error_frameParameter_windowTooLarge ? AnkiError::TooLarge : AnkiError::NotPackage;
      }
      // Counted before it is written: nothing beyond the bound reaches the disk.
      total += qint64(to.pos);
      if (total > maxBytes) return AnkiError::TooLarge;
      if (out.write(output.constData(), qint64(to.pos)) != qint64(to.pos)) return AnkiError::WriteFailed;
      more = to.pos == to.size && pending != 0;
    }
  }
  // A frame cut short is a damaged file, not a shorter collection.
  if (!any || pending != 0) return AnkiError::NotPackage;
  return std::nullopt;
}

}  // namespace ZstdStream
