#pragma once

#include <QStringList>

#include <ostream>

namespace rating::cli {

// Exit statuses of the command-line program.
inline constexpr int kExitSuccess = 0;
inline constexpr int kExitFailure = 1;  // a reach could not be rated or written
inline constexpr int kExitUsage = 2;    // the command line is wrong

// Runs the command line (the program name first): one reach from the
// options, or every reach of a --batch table. Listings and the batch summary
// go to `out`; failures, usage errors and batch progress to `err`. Returns
// the exit status. Needs a QGuiApplication when a plot is drawn.
int RunCommandLine(const QStringList& arguments, std::ostream& out, std::ostream& err);

}  // namespace rating::cli
