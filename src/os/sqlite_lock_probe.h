#pragma once

#include <QString>

// Whether another program has an SQLite database open, found by looking at
// SQLite's lock bytes without taking them: the pending, reserved and shared
// bytes of the database file, and for WAL mode the shared-memory file's
// "open" byte. Nothing is locked, written or made.
namespace SqliteLockProbe {

enum class State {
  Free,     // no lock held
  Held,     // a process holds a lock: the database is open
  Unknown,  // the file could not be looked at
};

State probe(const QString& databasePath);

}  // namespace SqliteLockProbe
