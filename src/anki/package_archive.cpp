#include "anki/package_archive.h"

#include "anki/library_calls.h"
#include "anki/zstd_stream.h"

#include <QFile>
#include <QFileInfo>
#include <QIODevice>
#include <algorithm>

namespace {

constexpr qint64 kPiece = 64 * 1024;

// Only reached once open() has found the library.
const ZipCalls& calls() { return *LibraryCalls::zip(); }

// A member's decompressed bytes, piece by piece.
class MemberStream {
 public:
  MemberStream(zip* archive, const QString& member, std::optional<qint64> declared = std::nullopt)
      : file_(calls().zip_fopen(archive, member.toUtf8().constData(), 0)), declared_(declared) {}
  ~MemberStream() {
    if (file_) calls().zip_fclose(file_);
  }
  bool isOpen() const { return file_ != nullptr; }
  // Bytes read, 0 at the end, -1 on an error (a damaged or truncated
  // member, or one that runs past the size its header declares: a lie is
  // caught when it is told, not at the end of the member).
  qint64 read(char* into, qint64 size) {
    const qint64 got = calls().zip_fread(file_, into, zip_uint64_t(size));
    if (got > 0) total_ += got;
    return declared_ && total_ > *declared_ ? -1 : got;
  }

 private:
  zip_file_t* file_;
  std::optional<qint64> declared_;
  qint64 total_ = 0;
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
  if (!archive) return error == ZIP_ER_OPEN && QFileInfo(path).isFile() ? AnkiError::NoPermission : AnkiError::NotPackage;
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
  const bool stated = calls().zip_stat(archive_, member.toUtf8().constData(), 0, &stat) == 0;
  if (stated && (stat.valid & ZIP_STAT_ENCRYPTION_METHOD) && stat.encryption_method != ZIP_EM_NONE)
    return AnkiError::Encrypted;
  const bool sized = stated && (stat.valid & ZIP_STAT_SIZE);
  if (sized && stat.size > zip_uint64_t(maxBytes) && !zstd) return AnkiError::TooLarge;
  MemberStream in(archive_, member, sized ? std::optional(qint64(std::min<zip_uint64_t>(stat.size, zip_uint64_t(maxBytes) + 1))) : std::nullopt);
  if (!in.isOpen()) return AnkiError::NotPackage;
  if (!zstd) return copyPlain(in, out, maxBytes);
  return ZstdStream::decompress([&in](char* into, qint64 size) { return in.read(into, size); }, out, maxBytes);
}
