#include "platform/display_lock.h"

#include <QDir>

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
  if (!lock_->tryLock(0)) return lock_->error() == QLockFile::LockFailedError;
  lock_->unlock();
  return false;
}

void DisplayLock::release() {
  if (!held_) return;
  lock_->unlock();
  held_ = false;
}
