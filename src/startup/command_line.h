#pragma once

#include <QSize>
#include <QString>
#include <QStringList>
#include <optional>

// What the command line asks for. Screen-saver hosts pass a switch whose
// first two characters decide, in either case and with "/" or "-": "/s"
// shows the saver, "/p HANDLE" (or "/p:HANDLE") draws it into the host's
// preview window, "/c" with an optional ":HANDLE" of the window that owns
// the settings opens them, "/a" (a password change) does nothing, and
// anything else opens the settings. XScreenSaver's hack options come
// first: -root, -window-id ID or the XSCREENSAVER_WINDOW variable draw the
// display into the host's window. --idle MINUTES watches the session and
// shows the display whenever it has been idle that long.
struct StartupCommand {
  enum class Action { Show, Configure, Help, Version, Trace, Hack, Idle, Nothing, Import, ListWords };
  Action action = Action::Configure;
  QString home;           // --home DIR
  QString error;          // a malformed option; printed on one line

  // Hack mode and previews: the host's window; 0 is the root window.
  quint64 hostWindow = 0;
  // The window that owns the settings dialog (/c:HANDLE); 0 for none.
  quint64 ownerWindow = 0;

  // Trace mode: --trace N [--size WxH] [--seed S] [--frames DIR]
  int traceRuns = 0;
  QSize traceSize{1024, 768};
  uint32_t traceSeed = 0;
  QString framesFolder;

  // --import FILE --output LIST [--deck NAME] [--fields Q,A]
  QString importFile;
  QString importOutput;
  QString importDeck;
  QString questionField;
  QString answerField;

  // --idle MINUTES: how long the session must be idle, in milliseconds.
  quint32 idleMs = 0;
  static constexpr double kMaxIdleMinutes = 7 * 24 * 60;
};

namespace CommandLine {

// `arguments` without the program name; `hostWindowVariable` is the value of
// XSCREENSAVER_WINDOW (empty when unset).
StartupCommand parse(const QStringList& arguments, const QString& hostWindowVariable = {});

// An X window id, decimal or 0x hex; nothing for anything else.
std::optional<quint32> windowId(const QString& text);

// A native window handle after a host's switch: decimal or 0x hex, not 0.
std::optional<quint64> windowHandle(const QString& text);

// The decision on the host's switch text alone. A handle that does not read
// sets the error: with Help after /p, with Configure after /c.
StartupCommand dispatch(const QString& switchText);

QString helpText();

}  // namespace CommandLine
