#pragma once

#include <QSize>
#include <QString>
#include <QStringList>
#include <optional>

// What the command line asks for. Screen-saver hosts pass a switch whose
// first two characters decide: "/s" or "/S" shows the saver, anything else
// (including "/c", "/C", "/p ..." and an empty line) opens the settings.
struct StartupCommand {
  enum class Action { Show, Configure, Help, Version, Trace };
  Action action = Action::Configure;
  QString home;           // --home DIR
  QString error;          // a malformed option; printed with the help text

  // Trace mode: --trace N [--size WxH] [--seed S] [--frames DIR]
  int traceRuns = 0;
  QSize traceSize{1024, 768};
  uint32_t traceSeed = 0;
  QString framesFolder;
};

namespace CommandLine {

// `arguments` without the program name.
StartupCommand parse(const QStringList& arguments);

// The settings-or-show decision on the host's switch text alone.
StartupCommand::Action dispatch(const QString& switchText);

QString helpText();

}  // namespace CommandLine
