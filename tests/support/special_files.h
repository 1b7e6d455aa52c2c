#pragma once

#include <QDir>
#include <QFile>
#include <QString>
#include <QtGlobal>
#ifdef Q_OS_UNIX
#include <sys/stat.h>
#include <unistd.h>
#if __has_include(<sys/sysmacros.h>)
#include <sys/sysmacros.h>  // makedev
#endif
#endif

// What may stand in a file's place without being a regular file, for the
// readers to refuse instead of waiting on it or reading it without end.
namespace SpecialFiles {

#ifdef Q_OS_UNIX
inline constexpr bool kAvailable = true;
#else
inline constexpr bool kAvailable = false;  // no FIFOs, no /dev/zero
#endif

// Makes `path` a FIFO ("fifo"), a folder ("folder") or a symbolic link to
// /dev/zero ("zero"); false for any other kind. As root, the link goes to a
// node of /dev/zero of the test's own, beside `path`: a faulty write through
// the link would replace the system's.
inline bool make(const QString& kind, const QString& path) {
  if (kind == "folder") return QDir().mkpath(path);
#ifdef Q_OS_UNIX
  if (kind == "fifo") return ::mkfifo(QFile::encodeName(path).constData(), 0600) == 0;
  if (kind == "zero" && ::geteuid() != 0) return QFile::link(QStringLiteral("/dev/zero"), path);
  if (kind == "zero") {
    const QString node = path + QStringLiteral(".zero");
    return ::mknod(QFile::encodeName(node).constData(), S_IFCHR | 0600, makedev(1, 5)) == 0 &&
           QFile::link(node, path);
  }
#endif
  return false;
}

}  // namespace SpecialFiles
