#include "platform/process_probe.h"

#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <csignal>

namespace ProcessProbe {

bool runs(qint64 pid, const QString& program) {
  if (pid <= 0) return false;
  if (::kill(pid_t(pid), 0) != 0 && errno == ESRCH) return false;
  QByteArray exe = QFile::encodeName(QFileInfo(QStringLiteral("/proc/%1/exe").arg(pid)).symLinkTarget());
  if (exe.isEmpty() || program.isEmpty()) return true;  // cannot tell: count it as running
  if (exe.endsWith(" (deleted)")) exe.chop(10);         // the program was rebuilt while it runs
  return QFileInfo(QFile::decodeName(exe)).fileName() == program;
}

}  // namespace ProcessProbe
