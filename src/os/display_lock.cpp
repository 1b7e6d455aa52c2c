#include "os/display_lock.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMutex>
#include <QSet>
#include <QSysInfo>
#include <QThread>

#include "os/process_probe.h"

namespace {

// The lock files this process holds, by absolute path.
QMutex heldHereMutex;
QSet<QString>& heldHere() {
  static QSet<QString> paths;
  return paths;
}

QString absoluteLockPath(const QString& folder) {
  return QFileInfo(DisplayLock::lockPath(folder)).absoluteFilePath();
}

}  // namespace

QString DisplayLock::lockPath(const QString& homeFolder) {
  return QDir(homeFolder).filePath(QStringLiteral("frmMainDGL.lock"));
}

DisplayLock::DisplayLock(const QString& homeFolder)
    : lock_(std::make_unique<QLockFile>(lockPath(homeFolder))), mutex_(homeFolder), folder_(homeFolder) {
  // A lock left by a crashed display is stale as soon as its process is gone.
  lock_->setStaleLockTime(0);
}

bool DisplayLock::acquire() {
  if (held_) return true;
  unavailable_.clear();
  if (!mutex_.acquire()) return false;  // another display of this session
  held_ = lock_->tryLock(0);
  // A lock this process gave back a moment ago may still be on its way out:
  // Windows keeps a removed file's name while anyone has it open.
  for (int wait = 0; !held_ && wait < 10 && lock_->error() == QLockFile::LockFailedError && lastHeldHere(); ++wait) {
    QThread::msleep(20);
    held_ = lock_->tryLock(0);
  }
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
  if (held_) {
    const QMutexLocker locker(&heldHereMutex);
    heldHere().insert(absoluteLockPath(folder_));
  }
  return held_;
}

bool DisplayLock::lastHeldHere() const {
  qint64 pid = 0;
  QString host, program;
  return !lock_->getLockInfo(&pid, &host, &program) || pid == QCoreApplication::applicationPid();
}

bool DisplayLock::heldElsewhere() {
  // Only read who holds the lock. Taking it, even for a moment, would make a
  // second start probing at the same instant believe that a display runs.
  return !held_ && (mutex_.heldElsewhere() || holder(nullptr) == Holder::Display);
}

DisplayLock::Holder DisplayLock::holder(QString* why) const {
  if (!QFileInfo::exists(lockPath(folder_))) return Holder::Nobody;
  auto unknown = [why](const QString& reason) {
    if (why) *why = reason;
    return Holder::Unknown;
  };
  qint64 pid = 0;
  QString host;
  QString program;
  // A display that made the file this instant may not have written it yet.
  if (!lock_->getLockInfo(&pid, &host, &program)) {
    QThread::msleep(100);
    if (!lock_->getLockInfo(&pid, &host, &program) || pid <= 0)
      return unknown(QStringLiteral("the lock file %1 names no process").arg(QDir::toNativeSeparators(lockPath(folder_))));
  }
  // The boot it was made in follows pid, program, host name and machine id,
  // a line each (where the system lets the file be read while it is held).
  // Only where the system has a boot id: every open of the file keeps a
  // removed lock's name a moment longer on Windows.
  const QByteArray thisBoot = QSysInfo::bootUniqueId();
  QByteArray bootId;
  if (QFile file(lockPath(folder_)); !thisBoot.isEmpty() && file.open(QIODevice::ReadOnly))
    bootId = file.read(4096).split('\n').value(4).trimmed();
  if (!bootId.isEmpty() && !thisBoot.isEmpty() && bootId != thisBoot) return Holder::Stale;
  // Host names are the same in any case (Windows writes them in capitals).
  if (!host.isEmpty() && host.compare(QSysInfo::machineHostName(), Qt::CaseInsensitive) != 0)
    return unknown(QStringLiteral("the lock is held by process %1 on %2, which cannot be checked from here").arg(pid).arg(host));
  // Process numbers come back, even as this process's own (Wine gives them
  // out again after its server restarts): a lock naming this process is a
  // running display only while a lock of this process holds it.
  if (pid == QCoreApplication::applicationPid()) {
    const QMutexLocker locker(&heldHereMutex);
    return heldHere().contains(absoluteLockPath(folder_)) ? Holder::Display : Holder::Stale;
  }
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
  {
    const QMutexLocker locker(&heldHereMutex);
    heldHere().remove(absoluteLockPath(folder_));
  }
  lock_->unlock();
  held_ = false;
}
