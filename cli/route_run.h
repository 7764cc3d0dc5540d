#pragma once

#include <string>

#include "cli/command_line.h"
#include "run/rating_run.h"

// Routing a flood through the reach the command line has just rated.
namespace rating::cli {

// A routing done: the routed CSV's bytes and the summary for standard error.
struct RoutedFlood {
  std::string csv;
  std::string summary;  // lines, each ending in a line end
};

// Routes the inflow of `options` through the reach of `rating`, with its
// paired-data pairs, numbers in the file read with `separator` where it is
// separated by semicolons. Throws UsageError for an option's value that is
// not one, CommandFailure for a file that cannot be read, and RatingFailure
// for a hydrograph or a routing that fails.
RoutedFlood RouteThroughReach(const RouteOptions& options, const RatingResult& rating,
                              const std::string& separator);

}  // namespace rating::cli
