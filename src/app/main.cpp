// Start-up: one executable is both the screen saver and its settings
// program; the command line chooses how it runs.
#include <QString>
#include <QStringList>
#include <array>
#include <utility>

#include "app/run_modes.h"
#include "os/console.h"
#include "startup/command_line.h"

namespace {

using Action = StartupCommand::Action;

constexpr std::array<std::pair<Action, RunModes::Mode>, 10> kModes{{
    {Action::Help, RunModes::help},
    {Action::Version, RunModes::version},
    {Action::Nothing, RunModes::nothing},
    {Action::Import, RunModes::importWords},
    {Action::ListWords, RunModes::listWords},
    {Action::Idle, RunModes::watchIdle},
    {Action::Trace, RunModes::trace},
    {Action::Show, RunModes::show},
    {Action::Hack, RunModes::hack},
    {Action::Configure, RunModes::configure},
}};

}  // namespace

int main(int argc, char* argv[]) {
  Console::attachParent();
  QStringList arguments;
  for (int i = 1; i < argc; ++i) arguments.append(QString::fromLocal8Bit(argv[i]));
  const StartupCommand command = CommandLine::parse(arguments, qEnvironmentVariable("XSCREENSAVER_WINDOW"));
  for (const auto& [action, run] : kModes)
    if (action == command.action) return run(argc, argv, command);
  return RunModes::help(argc, argv, command);
}
