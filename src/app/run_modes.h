#pragma once

#include "startup/command_line.h"

// The program's ways to run, one function each, given main()'s arguments
// and the parsed command line; each returns the program's exit status.
namespace RunModes {

using Mode = int (*)(int& argc, char** argv, const StartupCommand& command);

// Without Qt's GUI (console_modes.cpp).
int help(int& argc, char** argv, const StartupCommand& command);  // --help, or a malformed line
int version(int& argc, char** argv, const StartupCommand& command);
int nothing(int& argc, char** argv, const StartupCommand& command);  // what the program does not do
int importWords(int& argc, char** argv, const StartupCommand& command);
int listWords(int& argc, char** argv, const StartupCommand& command);

// The display (display_modes.cpp).
int show(int& argc, char** argv, const StartupCommand& command);
int hack(int& argc, char** argv, const StartupCommand& command);
int trace(int& argc, char** argv, const StartupCommand& command);
int watchIdle(int& argc, char** argv, const StartupCommand& command);

// The settings program (settings_mode.cpp).
int configure(int& argc, char** argv, const StartupCommand& command);

}  // namespace RunModes
