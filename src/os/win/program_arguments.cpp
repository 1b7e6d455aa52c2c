#include "os/program_arguments.h"

#include <windows.h>
#include <shellapi.h>

namespace ProgramArguments {

QStringList of(int argc, char** argv) {
  QStringList arguments;
  int count = 0;
  if (LPWSTR* wide = CommandLineToArgvW(GetCommandLineW(), &count)) {
    for (int i = 1; i < count; ++i) arguments.append(QString::fromWCharArray(wide[i]));
    LocalFree(wide);
    return arguments;
  }
  for (int i = 1; i < argc; ++i) arguments.append(QString::fromLocal8Bit(argv[i]));
  return arguments;
}

}  // namespace ProgramArguments
