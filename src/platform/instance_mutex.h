#pragma once

// A mark of a running display that needs no folder, where the system has
// one: on Windows a named mutex of the user's session, so the single-display
// rule holds even when the home folder cannot take a lock file. Elsewhere
// there is none, and the lock file alone decides.
class InstanceMutex {
 public:
  InstanceMutex() = default;
  InstanceMutex(const InstanceMutex&) = delete;
  InstanceMutex& operator=(const InstanceMutex&) = delete;
  ~InstanceMutex() { release(); }

  // Whether another process of this session holds it.
  bool heldElsewhere() const;
  // Takes it; false when another process holds it.
  bool acquire();
  void release();

 private:
  void* handle_ = nullptr;
};
