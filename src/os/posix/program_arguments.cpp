#include "os/program_arguments.h"

namespace ProgramArguments {

QStringList of(int argc, char** argv) {
  QStringList arguments;
  for (int i = 1; i < argc; ++i) arguments.append(QString::fromLocal8Bit(argv[i]));
  return arguments;
}

}  // namespace ProgramArguments
