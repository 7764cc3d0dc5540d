#pragma once

#include <algorithm>
#include <array>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "cli/command_failure.h"
#include "engine/input_field.h"
#include "messages/messages.h"
#include "run/rating_session.h"

namespace rating::cli {

// The extra files of a reach, indexed by Export; empty for none. "-" is
// standard output.
using ExtraFiles = std::array<std::string, kExports.size()>;

// The routing options as typed; `inflowFile` empty for none.
struct RouteOptions {
  std::string inflowFile;      // --route: the inflow hydrograph, CSV
  std::string timeStep;        // --time-step: "90s", "15min", "1h"; empty to take it from the file
  std::string subreaches;      // --subreaches: empty for the suggestion
  std::string initialOutflow;  // --initial-outflow (cfs): empty for the first inflow
  std::string routedFile;      // --routed: the routed hydrograph, CSV; "-" is standard output
};

enum class Mode { Single, Batch, Help, Version };

struct Request {
  Mode mode = Mode::Single;
  FieldTexts texts;       // the options as typed, or the window's defaults
  std::string batchFile;  // Mode::Batch: the CSV table of reaches
  ExtraFiles extras;      // Mode::Single: the extra files asked for
  std::string message;    // Mode::Help and Mode::Version: what to print
  RouteOptions route;     // Mode::Single: the flood to route, if any
};

// Bad usage: an unknown option, a missing value, an unexpected argument.
class UsageError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Reads the command line (the program name first): "--option value",
// "--option=value", and "-n value" for a one-letter option. Field options
// default to the window's texts with `decimalSeparator`. Throws UsageError.
Request ParseCommandLine(const std::vector<std::string>& arguments, std::string_view decimalSeparator,
                         std::string_view version);

}  // namespace rating::cli
