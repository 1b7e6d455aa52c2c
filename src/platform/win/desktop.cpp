#include "platform/desktop.h"

namespace Desktop {

// A Windows session always has its desktop.
bool available(QString*) { return true; }

void chooseWindowSystem() {}

bool canGrabInput() { return true; }

}  // namespace Desktop
