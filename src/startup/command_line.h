#pragma once

#include <QSize>
#include <QString>
#include <QStringList>
#include <optional>

// What the command line asks for. Screen-saver hosts pass a switch whose
// first two characters decide: "/s" or "/S" shows the saver, anything else
// (including "/c", "/C", "/p ..." and an empty line) opens the settings.
// XScreenSaver's hack options come first: -root, -window-id ID or the
// XSCREENSAVER_WINDOW variable draw the display into the host's window.
struct StartupCommand {
  enum class Action { Show, Configure, Help, Version, Trace, Hack };
  Action action = Action::Configure;
  QString home;           // --home DIR
  QString error;          // a malformed option; printed on one line

  // Hack mode: the host's window; 0 is the root window.
  quint32 hostWindow = 0;

  // Trace mode: --trace N [--size WxH] [--seed S] [--frames DIR]
  int traceRuns = 0;
  QSize traceSize{1024, 768};
  uint32_t traceSeed = 0;
  QString framesFolder;
};

namespace CommandLine {

// `arguments` without the program name; `hostWindowVariable` is the value of
// XSCREENSAVER_WINDOW (empty when unset).
StartupCommand parse(const QStringList& arguments, const QString& hostWindowVariable = {});

// An X window id, decimal or 0x hex; nothing for anything else.
std::optional<quint32> windowId(const QString& text);

// The settings-or-show decision on the host's switch text alone.
StartupCommand::Action dispatch(const QString& switchText);

QString helpText();

}  // namespace CommandLine
