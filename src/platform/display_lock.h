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
  // Takes the lock for this process; false when another display has it.
  bool acquire();
  void release();
  bool isHeld() const { return held_; }

  static QString lockPath(const QString& homeFolder);

 private:
  std::unique_ptr<QLockFile> lock_;
  bool held_ = false;
};
