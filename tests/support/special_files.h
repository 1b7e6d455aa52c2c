#pragma once

#include <QDir>
#include <QFile>
#ifdef Q_OS_UNIX
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>
#endif

// Makes `path` a FIFO ("fifo"), a folder ("folder") or a link to /dev/zero
// ("zero"); false where the system has none. As root the link goes to a node
// of the test's own: a faulty write through it cannot replace the system's.
inline bool makeSpecialFile(const QString& kind, const QString& path) {
  if (kind == "folder") return QDir().mkpath(path);
#ifdef Q_OS_UNIX
  const QString zero = ::geteuid() == 0 ? path + ".zero" : QStringLiteral("/dev/zero");
  if (kind == "fifo") return ::mkfifo(QFile::encodeName(path).constData(), 0600) == 0;
  if (kind == "zero" && zero != "/dev/zero" &&
      ::mknod(QFile::encodeName(zero).constData(), S_IFCHR | 0600, makedev(1, 5)) != 0)
    return false;
  if (kind == "zero") return QFile::link(zero, path);
#endif
  return false;
}
