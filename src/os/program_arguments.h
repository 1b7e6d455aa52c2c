#pragma once

#include <QStringList>

// The program's arguments as they were given, without the program's name.
// On Windows the C library hands them over in the system's code page, in
// which a Japanese path on an English system is lost ("???"): they are read
// from the command line in UTF-16 instead.
namespace ProgramArguments {

QStringList of(int argc, char** argv);

}  // namespace ProgramArguments
