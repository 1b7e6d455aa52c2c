// Windows ends a console program on Ctrl+C without running anything of
// ours in between that could safely remove files: its temporary folders are
// removed by their owners only.
#include "os/removal_on_signal.h"

namespace RemovalOnSignal {

int hold(const QString&, const QStringList&) { return -1; }
void release(int) {}

}  // namespace RemovalOnSignal
