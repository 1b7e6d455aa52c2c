#include "platform/desktop.h"

namespace Desktop {

// A Windows session always has its desktop.
bool available(QString*) { return true; }

}  // namespace Desktop
