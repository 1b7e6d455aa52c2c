#pragma once

#include <QString>

namespace ProcessProbe {

// Whether process `pid`, recorded as running the program named `program`,
// still does: the number may have been given to another program since.
// When the system cannot tell, it counts as running.
bool runs(qint64 pid, const QString& program);

}  // namespace ProcessProbe
