#pragma once

#include <string>

#include "cli/command_line.h"
#include "run/flood_routing.h"

// Routing a flood through the reach the command line has just rated.
namespace rating::cli {

// A routing done: the routed CSV's bytes and the summary for standard error.
struct RoutedFlood {
  std::string csv;
  std::string summary;  // lines, each ending in a line end
  std::string plot;     // the chart's SVG, where --hydrograph-plot asks for it
};

// The reach given by a storage-outflow file (--storage-outflow), numbers
// read with `separator` where it is separated by semicolons. Throws
// CommandFailure for a file that cannot be read or a row that is wrong.
RoutedReach ReachOfPairsFile(const std::string& path, const std::string& separator, UnitSystem units);

// Routes the inflow of `options` through `reach`, numbers in the file read with `separator` where it is
// separated by semicolons. Throws UsageError for an option's value that is
// not one, CommandFailure for a file that cannot be read, and RatingFailure
// for a hydrograph or a routing that fails.
RoutedFlood RouteThroughReach(const RouteOptions& options, const RoutedReach& reach,
                              const std::string& separator);

}  // namespace rating::cli
