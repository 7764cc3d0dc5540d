#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace rating::cli {

// Exit statuses of the command-line program.
inline constexpr int kExitSuccess = 0;
inline constexpr int kExitFailure = 1;  // a reach could not be rated or written
inline constexpr int kExitUsage = 2;    // the command line is wrong

// Runs the command line (the program name first): one reach from the
// options, or every reach of a --batch table. Listings and the batch summary
// go to `out`, unless an output goes to standard output, which then carries
// that output alone; failures, usage errors and notes go to `err`, and so
// does a large batch's progress where `err` is a terminal someone watches.
// Numbers are read and written with the decimal mark `userSeparator` gives
// (DecimalMarkFor). Returns the exit status.
int RunCommandLine(const std::vector<std::string>& arguments, const std::string& userSeparator,
                   std::ostream& out, std::ostream& err, bool errIsTerminal = false);

}  // namespace rating::cli
