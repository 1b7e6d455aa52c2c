#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

class QIODevice;

// Files are read only when they are regular files (see RegularFile), and no
// read takes more than its caller's bound, whatever size the file claims or
// grows to. Text that may be long is read through BoundedText.
namespace FileIo {

// The first bytes of a file, and whether they are all it held.
struct Start {
  QByteArray bytes;
  bool whole = true;
};

// At most `maxBytes` from the start of the file; nullopt when it is not a
// regular file or cannot be read.
std::optional<Start> readStart(const QString& path, qint64 maxBytes);

// Up to `maxBytes` from `device`, read in pieces until its end; nullopt on a
// read error.
std::optional<QByteArray> readUpTo(QIODevice& device, qint64 maxBytes);

// Replaces the file atomically; on failure the old file stays whole and
// `error` (when given) says why.
bool writeAtomically(const QString& path, const QByteArray& bytes, QString* error = nullptr);

// Whether `path`, a file of `folder`, is a symbolic link that leads to no
// file, out of the folder, or to a file of another owner than the folder's.
// The home folder's own files are never written through such a link: a link
// planted there must not turn a save into a write somewhere else.
bool leadsAway(const QString& folder, const QString& path);

// Whether `path`, a file of `folder`, may be written: false, with `error`
// (when given) saying why, for a link that leadsAway.
bool mayWriteInFolder(const QString& folder, const QString& path, QString* error = nullptr);

// writeAtomically for a file of `folder`, refusing a link that leadsAway.
bool writeInFolder(const QString& folder, const QString& path, const QByteArray& bytes, QString* error = nullptr);

// Whether the path names a regular file, after symbolic links.
bool isFile(const QString& path);

}  // namespace FileIo
