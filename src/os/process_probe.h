#pragma once

#include <QString>

namespace ProcessProbe {

enum class State {
  Gone,     // no such process
  Ours,     // this user's process running the program named
  Foreign,  // another user's process, or another program: the number was given again
  Unknown,  // the system does not say whose it is or what it runs
};

// What process `pid`, recorded as running the program named `program`, is now.
State probe(qint64 pid, const QString& program);

}  // namespace ProcessProbe
