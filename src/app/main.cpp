// Start-up: one executable is both the screen saver and its settings
// program; the command line chooses how it runs.
#include <QString>
#include <QStringList>
#include <array>
#include <utility>

#include "app/run_modes.h"
#include "os/console.h"
#include "os/program_arguments.h"
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
  const StartupCommand command =
      CommandLine::parse(ProgramArguments::of(argc, argv), qEnvironmentVariable("XSCREENSAVER_WINDOW"));
  for (const auto& [action, run] : kModes)
    if (action == command.action) return run(argc, argv, command);
  return RunModes::help(argc, argv, command);
}
