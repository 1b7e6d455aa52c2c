#include "os/process_probe.h"

#include <QFileInfo>
#include <windows.h>

namespace ProcessProbe {

State probe(qint64 pid, const QString& program) {
  if (pid <= 0) return State::Gone;
  const HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, DWORD(pid));
  if (!process) return GetLastError() == ERROR_ACCESS_DENIED ? State::Foreign : State::Gone;
  DWORD code = 0;
  wchar_t path[MAX_PATH * 2];
  DWORD length = DWORD(std::size(path));
  const bool alive = GetExitCodeProcess(process, &code) && code == STILL_ACTIVE;
  const bool named = QueryFullProcessImageNameW(process, 0, path, &length);
  CloseHandle(process);
  if (!alive) return State::Gone;
  if (!named || program.isEmpty()) return State::Unknown;
  // Lock files name the program without its extension (driftglyph.scr: "driftglyph").
  const QString name = QFileInfo(QString::fromWCharArray(path, int(length))).completeBaseName();
  return name.compare(program, Qt::CaseInsensitive) == 0 ? State::Ours : State::Foreign;
}

}  // namespace ProcessProbe
