#pragma once

#include <QString>

// The window system Qt shows the program's windows on.
namespace WindowSystem {

enum class Use {
  // The session's own, unless the user chose one (QT_QPA_PLATFORM): in a
  // Wayland session Wayland, with X11 through XWayland as fallback.
  Session,
  // None: frames are drawn into pictures only (traces), at a fixed font
  // resolution so they are the same everywhere.
  Headless,
  // None of Qt's: frames reach a host's window over a connection of the
  // display's own.
  HostConnection,
};

// Before the application starts: chooses Qt's platform for `use`. The only
// place in the program that does.
void choose(Use use);

// Whether there is a desktop to show windows on; else `why` says in one line.
bool available(QString* why);

// Whether windows can take the keyboard and pointer to themselves: Wayland
// gives the focus to a full-screen window, but lets no client grab.
bool canGrabInput();

}  // namespace WindowSystem
