#include "platform/display_lock.h"

#include <QDir>
#include <QSysInfo>

#include "platform/process_probe.h"

QString DisplayLock::lockPath(const QString& homeFolder) {
  return QDir(homeFolder).filePath(QStringLiteral("frmMainDGL.lock"));
}

DisplayLock::DisplayLock(const QString& homeFolder)
    : lock_(std::make_unique<QLockFile>(lockPath(homeFolder))) {
  // A lock left by a crashed display is stale as soon as its process is gone.
  lock_->setStaleLockTime(0);
}

bool DisplayLock::acquire() {
  if (held_) return true;
  held_ = lock_->tryLock(0);
  return held_;
}

bool DisplayLock::heldElsewhere() {
  if (held_) return false;
  // Only read who holds the lock. Taking it, even for a moment, would make a
  // second start probing at the same instant believe that a display runs.
  qint64 pid = 0;
  QString host;
  QString program;
  if (!lock_->getLockInfo(&pid, &host, &program)) return false;
  if (!host.isEmpty() && host != QSysInfo::machineHostName()) return true;  // no way to check
  return ProcessProbe::runs(pid, program);
}

void DisplayLock::release() {
  if (!held_) return;
  lock_->unlock();
  held_ = false;
}
