#include "platform/display_lock.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSysInfo>
#include <QThread>

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
  unavailable_.clear();
  if (!mutex_.acquire()) return false;  // another display of this session
  held_ = lock_->tryLock(0);
  if (!held_ && lock_->error() == QLockFile::LockFailedError) {
    switch (holder(&unavailable_)) {
      case Holder::Stale:
        held_ = lock_->removeStaleLockFile() && lock_->tryLock(0);
        break;
      case Holder::Unknown:
        break;
      default:  // another display has it
        unavailable_.clear();
        mutex_.release();
        break;
    }
  } else if (!held_) {
    const QFileInfo folder(folder_);
    const QString reason = !folder.exists()  ? QStringLiteral("the folder does not exist")
                           : !folder.isDir() ? QStringLiteral("it is not a folder")
                                             : QStringLiteral("the folder cannot be written");
    unavailable_ = QStringLiteral("cannot make the lock file in %1: %2").arg(QDir::toNativeSeparators(folder_), reason);
  }
  return held_;
}

bool DisplayLock::heldElsewhere() {
  // Only read who holds the lock. Taking it, even for a moment, would make a
  // second start probing at the same instant believe that a display runs.
  return !held_ && (mutex_.heldElsewhere() || holder(nullptr) == Holder::Display);
}

DisplayLock::Holder DisplayLock::holder(QString* why) const {
  // pid, program, host name, machine id and boot id, a line each.
  QFile file(lockPath(folder_));
  if (!file.open(QIODevice::ReadOnly)) return Holder::Nobody;
  QList<QByteArray> lines = file.read(4096).split('\n');
  if (lines.size() < 4) {
    // A display that made the file this instant may not have written it yet.
    QThread::msleep(100);
    file.seek(0);
    lines = file.read(4096).split('\n');
  }
  bool numeric = false;
  const qint64 pid = lines.value(0).toLongLong(&numeric);
  const QString program = QString::fromUtf8(lines.value(1));
  const QString host = QString::fromUtf8(lines.value(2));
  const QByteArray bootId = lines.value(4).trimmed();
  auto unknown = [why](const QString& reason) {
    if (why) *why = reason;
    return Holder::Unknown;
  };
  if (!numeric || pid <= 0)
    return unknown(QStringLiteral("the lock file %1 names no process").arg(QDir::toNativeSeparators(file.fileName())));
  const QByteArray thisBoot = QSysInfo::bootUniqueId();
  if (!bootId.isEmpty() && !thisBoot.isEmpty() && bootId != thisBoot) return Holder::Stale;
  if (!host.isEmpty() && host != QSysInfo::machineHostName())
    return unknown(QStringLiteral("the lock is held by process %1 on %2, which cannot be checked from here").arg(pid).arg(host));
  switch (ProcessProbe::probe(pid, program)) {
    case ProcessProbe::State::Ours:
      return Holder::Display;
    case ProcessProbe::State::Unknown:
      return unknown(QStringLiteral("the lock is held by process %1, which cannot be checked").arg(pid));
    default:
      return Holder::Stale;
  }
}

void DisplayLock::release() {
  mutex_.release();
  if (!held_) return;
  lock_->unlock();
  held_ = false;
}
