#include "os/process_probe.h"

#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <csignal>
#include <sys/stat.h>
#include <unistd.h>

namespace ProcessProbe {

State probe(qint64 pid, const QString& program) {
  if (pid <= 0) return State::Gone;
  if (::kill(pid_t(pid), 0) != 0) return errno == ESRCH ? State::Gone : State::Foreign;  // EPERM: not ours
  // A signal reaches every process of root's: the owner still tells.
  const QByteArray folder = QFile::encodeName(QStringLiteral("/proc/%1").arg(pid));
  struct stat info {};
  if (::stat(folder.constData(), &info) == 0 && info.st_uid != ::getuid()) return State::Foreign;
  QByteArray exe = QFile::encodeName(QFileInfo(QString::fromLocal8Bit(folder) + QStringLiteral("/exe")).symLinkTarget());
  if (exe.isEmpty() || program.isEmpty()) return State::Unknown;
  if (exe.endsWith(" (deleted)")) exe.chop(10);  // the program was rebuilt while it runs
  return QFileInfo(QFile::decodeName(exe)).fileName() == program ? State::Ours : State::Foreign;
}

}  // namespace ProcessProbe
