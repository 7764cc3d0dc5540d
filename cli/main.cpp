#include <QLocale>

#include <clocale>
#include <iostream>
#include <string>
#include <vector>

#include "cli/cli_run.h"
#include "cli/rating_plot.h"

int main(int argc, char* argv[]) {
  // The arguments go to the command line's own parser alone; the toolkit is
  // started only to draw a plot, and never sees them.
  const std::vector<std::string> arguments(argv, argv + argc);  // NOLINT: argv is argc long
  const std::string separator = QLocale::system().decimalPoint().toStdString();
  const int status = rating::cli::RunCommandLine(arguments, separator, std::cout, std::cerr);
  rating::cli::StopFonts();
  return status;
}
