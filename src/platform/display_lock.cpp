#include "platform/display_lock.h"

#include <QDir>
#include <QFileInfo>
#include <QSysInfo>

#include "platform/process_probe.h"

QString DisplayLock::lockPath(const QString& homeFolder) {
  return QDir(homeFolder).filePath(QStringLiteral("frmMainDGL.lock"));
}

DisplayLock::DisplayLock(const QString& homeFolder)
    : lock_(std::make_unique<QLockFile>(lockPath(homeFolder))), folder_(homeFolder) {
  // A lock left by a crashed display is stale as soon as its process is gone.
  lock_->setStaleLockTime(0);
}

bool DisplayLock::acquire() {
  if (held_) return true;
  held_ = lock_->tryLock(0);
  unavailable_.clear();
  if (!held_ && lock_->error() != QLockFile::LockFailedError) {
    const QFileInfo folder(folder_);
    const QString reason = !folder.exists()  ? QStringLiteral("the folder does not exist")
                           : !folder.isDir() ? QStringLiteral("it is not a folder")
                                             : QStringLiteral("the folder cannot be written");
    unavailable_ = QStringLiteral("cannot make the lock file in %1: %2").arg(QDir::toNativeSeparators(folder_), reason);
  }
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
