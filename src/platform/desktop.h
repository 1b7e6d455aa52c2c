#pragma once

#include <QString>

namespace Desktop {

// Whether there is a desktop to show windows on; else `why` says in one line.
bool available(QString* why);

}  // namespace Desktop
