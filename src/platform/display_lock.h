#pragma once

#include <QLockFile>
#include <QString>
#include <memory>

// Marks a running display. A display holds this lock in the home folder for
// as long as its window exists; a second start of the program while it is
// held ends at once, whatever its switch.
class DisplayLock {
 public:
  explicit DisplayLock(const QString& homeFolder);

  // True when another running display holds the lock. Only reads the lock
  // file: a lock left by a process that has ended does not count.
  bool heldElsewhere();
  // Takes the lock for this process; false when another display has it or
  // when no lock file can be made (then unavailable() says why).
  bool acquire();
  // Why the last acquire() could not make the lock file at all: the folder
  // is missing, not a folder or not writable. Empty when the lock was taken
  // or another display holds it.
  const QString& unavailable() const { return unavailable_; }
  void release();
  bool isHeld() const { return held_; }

  static QString lockPath(const QString& homeFolder);

 private:
  std::unique_ptr<QLockFile> lock_;
  QString folder_;
  QString unavailable_;
  bool held_ = false;
};
