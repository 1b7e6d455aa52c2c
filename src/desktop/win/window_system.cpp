#include "desktop/window_system.h"

namespace WindowSystem {

// A Windows session always has its desktop.
bool available(QString*) { return true; }

bool canGrabInput() { return true; }

}  // namespace WindowSystem
