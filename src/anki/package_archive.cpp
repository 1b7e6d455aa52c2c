#include "anki/package_archive.h"

#include "anki/library_calls.h"

#include <QFile>
#include <QIODevice>
#include <zstd.h>
#include <zstd_errors.h>

namespace {

constexpr qint64 kPiece = 64 * 1024;

// Only reached once open() has found the library.
const ZipCalls& calls() { return *LibraryCalls::zip(); }

// A member's decompressed bytes, piece by piece.
class MemberStream {
 public:
  MemberStream(zip* archive, const QString& member)
      : file_(calls().zip_fopen(archive, member.toUtf8().constData(), 0)) {}
  ~MemberStream() {
    if (file_) calls().zip_fclose(file_);
  }
  bool isOpen() const { return file_ != nullptr; }
  // Bytes read, 0 at the end, -1 on an error (a damaged or truncated member).
  qint64 read(char* into, qint64 size) { return calls().zip_fread(file_, into, zip_uint64_t(size)); }

 private:
  zip_file_t* file_;
};

std::optional<AnkiError> copyPlain(MemberStream& in, QIODevice& out, qint64 maxBytes) {
  QByteArray piece(kPiece, Qt::Uninitialized);
  qint64 total = 0;
  for (;;) {
    const qint64 got = in.read(piece.data(), kPiece);
    if (got < 0) return AnkiError::NotPackage;
    if (got == 0) return std::nullopt;
    total += got;
    if (total > maxBytes) return AnkiError::TooLarge;
    if (out.write(piece.constData(), got) != got) return AnkiError::WriteFailed;
  }
}

std::optional<AnkiError> copyZstd(MemberStream& in, QIODevice& out, qint64 maxBytes) {
  const std::unique_ptr<ZSTD_DCtx, size_t (*)(ZSTD_DCtx*)> context(ZSTD_createDCtx(), ZSTD_freeDCtx);
  if (!context) return AnkiError::WriteFailed;
  // A frame may ask for a window of up to 2 GB; 128 MB covers every collection.
  ZSTD_DCtx_setParameter(context.get(), ZSTD_d_windowLogMax, 27);
  QByteArray input(kPiece, Qt::Uninitialized);
  QByteArray output(qint64(ZSTD_DStreamOutSize()), Qt::Uninitialized);
  qint64 total = 0;
  size_t pending = 1;  // 0 once a frame has ended where the input ends
  bool any = false;
  for (;;) {
    const qint64 got = in.read(input.data(), kPiece);
    if (got < 0) return AnkiError::NotPackage;
    if (got == 0) break;
    if (!any) {
      const unsigned long long declared = ZSTD_getFrameContentSize(input.constData(), size_t(got));
      if (declared != ZSTD_CONTENTSIZE_UNKNOWN && declared != ZSTD_CONTENTSIZE_ERROR &&
          declared > static_cast<unsigned long long>(maxBytes))
        return AnkiError::TooLarge;
    }
    any = true;
    ZSTD_inBuffer from{input.constData(), size_t(got), 0};
    bool outputFull = false;
    // A full output buffer may leave decoded bytes inside the context: go on until it has none.
    while (from.pos < from.size || outputFull) {
      ZSTD_outBuffer to{output.data(), size_t(output.size()), 0};
      pending = ZSTD_decompressStream(context.get(), &to, &from);
      if (ZSTD_isError(pending)) {
        const auto code = ZSTD_getErrorCode(pending);
        return code == ZSTD_error_frameParameter_windowTooLarge ? AnkiError::TooLarge : AnkiError::NotPackage;
      }
      total += qint64(to.pos);
      if (total > maxBytes) return AnkiError::TooLarge;
      if (out.write(output.constData(), qint64(to.pos)) != qint64(to.pos)) return AnkiError::WriteFailed;
      outputFull = to.pos == to.size;
    }
  }
  // A frame cut short is a damaged package, not a shorter collection.
  if (!any || pending != 0) return AnkiError::NotPackage;
  return std::nullopt;
}

}  // namespace

PackageArchive::~PackageArchive() { calls().zip_discard(archive_); }

bool PackageArchive::available() { return true; }

std::variant<std::unique_ptr<PackageArchive>, AnkiError> PackageArchive::open(const QString& path) {
  if (!LibraryCalls::zip()) return AnkiError::Unavailable;
  int error = 0;
  // ZIP_CHECKCONS: the central directory must agree with the local headers.
  // libzip takes a file name in the system's own encoding, which on Windows it reads as UTF-8.
#ifdef Q_OS_WIN
  const QByteArray name = path.toUtf8();
#else
  const QByteArray name = QFile::encodeName(path);
#endif
  zip* archive = calls().zip_open(name.constData(), ZIP_RDONLY | ZIP_CHECKCONS, &error);
  if (!archive) return AnkiError::NotPackage;
  return std::unique_ptr<PackageArchive>(new PackageArchive(archive));
}

bool PackageArchive::has(const QString& member) const {
  return calls().zip_name_locate(archive_, member.toUtf8().constData(), 0) >= 0;
}

std::variant<QByteArray, AnkiError> PackageArchive::read(const QString& member, qint64 maxBytes) {
  MemberStream in(archive_, member);
  if (!in.isOpen()) return AnkiError::NotPackage;
  QByteArray bytes;
  QByteArray piece(kPiece, Qt::Uninitialized);
  for (;;) {
    const qint64 got = in.read(piece.data(), kPiece);
    if (got < 0) return AnkiError::NotPackage;
    if (got == 0) return bytes;
    if (bytes.size() + got > maxBytes) return AnkiError::TooLarge;
    bytes.append(piece.constData(), got);
  }
}

std::optional<AnkiError> PackageArchive::extract(const QString& member, QIODevice& out, qint64 maxBytes, bool zstd) {
  // A member that says it is too large is refused before a byte is written;
  // one that lies is stopped by the count as it is read.
  zip_stat_t stat;
  calls().zip_stat_init(&stat);
  if (calls().zip_stat(archive_, member.toUtf8().constData(), 0, &stat) == 0 && (stat.valid & ZIP_STAT_SIZE) &&
      stat.size > zip_uint64_t(maxBytes) && !zstd)
    return AnkiError::TooLarge;
  MemberStream in(archive_, member);
  if (!in.isOpen()) return AnkiError::NotPackage;
  return zstd ? copyZstd(in, out, maxBytes) : copyPlain(in, out, maxBytes);
}
