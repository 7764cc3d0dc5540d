#include <iostream>
#include <string>
#include <vector>

#include "cli/cli_run.h"
#include "run/platform.h"

int main(int argc, char* argv[]) {
  const std::vector<std::string> arguments(argv, argv + argc);  // NOLINT: argv is argc long
  return rating::cli::RunCommandLine(arguments, rating::platform::UserDecimalSeparator(), std::cout,
                                     std::cerr);
}
