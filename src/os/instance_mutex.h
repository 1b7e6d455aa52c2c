#pragma once

#include <QString>

// A mark of a running display that needs no file, where the system has
// one: on Windows a named mutex of the user's session, named after the home
// folder, so the single-display rule holds even when the home folder cannot
// take a lock file. Elsewhere there is none, and the lock file alone decides.
class InstanceMutex {
 public:
  explicit InstanceMutex(const QString& homeFolder) : home_(homeFolder) {}
  InstanceMutex(const InstanceMutex&) = delete;
  InstanceMutex& operator=(const InstanceMutex&) = delete;
  ~InstanceMutex() { release(); }

  // Whether another process of this session holds it.
  bool heldElsewhere() const;
  // Takes it; false when another process holds it.
  bool acquire();
  void release();

 private:
  QString home_;
  void* handle_ = nullptr;
};
