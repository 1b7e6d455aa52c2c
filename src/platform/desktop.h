#pragma once

#include <QString>

namespace Desktop {

// Whether there is a desktop to show windows on; else `why` says in one line.
bool available(QString* why);

// Before the application starts: the session's own window system for the
// program's windows, unless the user chose one (QT_QPA_PLATFORM). In a
// Wayland session that is Wayland, with X11 through XWayland as fallback.
void chooseWindowSystem();

// Whether windows can take the keyboard and pointer to themselves: Wayland
// gives the focus to a full-screen window, but lets no client grab.
bool canGrabInput();

}  // namespace Desktop
