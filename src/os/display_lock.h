#pragma once

#include <QLockFile>
#include <QString>
#include <memory>

#include "os/instance_mutex.h"

// Marks a running display. A display holds this lock in the home folder for
// as long as its window exists; a second start of the program while it is
// held ends at once, whatever its switch.
class DisplayLock {
 public:
  explicit DisplayLock(const QString& homeFolder);
  ~DisplayLock() { release(); }
  DisplayLock(const DisplayLock&) = delete;
  DisplayLock& operator=(const DisplayLock&) = delete;

  // True when another running display holds the lock. Only reads the lock
  // file: a stale lock does not count, nor one whose holder cannot be told.
  bool heldElsewhere();
  // Takes the lock for this process, replacing a stale one; false when
  // another display has it, when its holder cannot be told, or when no lock
  // file can be made (then unavailable() says why).
  bool acquire();
  // Why the last acquire() could not take the lock although no display is
  // known to hold it: the folder is missing, not a folder or not writable,
  // or the holder cannot be told. Empty when the lock was taken or another
  // display holds it.
  const QString& unavailable() const { return unavailable_; }
  void release();
  bool isHeld() const { return held_; }

  static QString lockPath(const QString& homeFolder);

 private:
  enum class Holder { Nobody, Display, Stale, Unknown };
  // Who holds the lock file: a lock is stale when it was made before this
  // boot, or here by a process that has gone or is not a display of this
  // user's, or by this process while no lock of it holds the file. `why`
  // says what cannot be told.
  Holder holder(QString* why) const;
  // Whether the lock file names this process, or cannot be read at all.
  bool lastHeldHere() const;

  std::unique_ptr<QLockFile> lock_;
  InstanceMutex mutex_;
  QString folder_;
  QString unavailable_;
  bool held_ = false;
};
