#pragma once

#include <QTemporaryDir>

#include "os/removal_on_signal.h"

// A temporary folder only this user can enter, for the copies the
// flashcard readers make: removed with its files when it goes out of scope,
// and also when a termination signal ends a command-line run meanwhile.
class PrivateFolder final : public QTemporaryDir {
 public:
  PrivateFolder()
      : slot_(isValid() ? RemovalOnSignal::hold(path(), {QStringLiteral("collection"), QStringLiteral("collection-wal"),
                                                         QStringLiteral("collection-journal"),
                                                         QStringLiteral("collection-shm")})
                        : -1) {}
  ~PrivateFolder() {
    remove();
    RemovalOnSignal::release(slot_);
  }
  PrivateFolder(const PrivateFolder&) = delete;
  PrivateFolder& operator=(const PrivateFolder&) = delete;

 private:
  int slot_;
};
