#pragma once

#include <algorithm>
#include <array>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "cli/command_failure.h"
#include "engine/input_field.h"
#include "engine/routing_setting.h"
#include "engine/section_shape.h"
#include "messages/messages.h"
#include "run/rating_session.h"

namespace rating::cli {

// The extra files of a reach, indexed by Export; empty for none. "-" is
// standard output.
using ExtraFiles = std::array<std::string, kExports.size()>;

// The routing options as typed; `inflowFile` empty for none.
struct RouteOptions {
  std::string inflowFile;  // --route: the inflow hydrograph, CSV
  RoutingTexts settings;   // --time-step, --subreaches and --initial-outflow, as the windows type them
  std::string routedFile;  // --routed: the routed hydrograph, CSV; "-" is standard output
  std::string plotFile;    // --hydrograph-plot: the routed hydrographs, SVG
  std::string pairsFile;   // --storage-outflow: pairs routed through instead of a rating, CSV
};

// The routing options: their names, as options and batch columns, and what
// each sets.
struct RouteOptionFacts {
  std::string_view name;                 // without "--"
  std::string& (*value)(RouteOptions&);  // what it sets
  Message help;                          // for --help
  std::string_view valueName;            // "<inflow.csv>"
  bool batchColumn;                      // a batch table may give it for each reach
  std::string_view siValueName = {};     // "<m3/s>" where SI names the value otherwise
};
// The option of a routing setting: its name is the setting's own.
template <RoutingSetting setting>
constexpr RouteOptionFacts SettingOption(Message help, std::string_view valueName,
                                         std::string_view siValueName = {}) {
  return {Facts(setting).option,
          [](RouteOptions& options) -> std::string& { return TextOf(options.settings, setting); },
          help,
          valueName,
          true,
          siValueName};
}
inline constexpr std::array<RouteOptionFacts, 7> kRouteOptions = {{
    {"route", [](RouteOptions& options) -> std::string& { return options.inflowFile; },
     Message::HelpOptionRoute, "<inflow.csv>", true},
    SettingOption<RoutingSetting::TimeStep>(Message::HelpOptionTimeStep, "<duration>"),
    SettingOption<RoutingSetting::Subreaches>(Message::HelpOptionSubreaches, "<N>"),
    SettingOption<RoutingSetting::InitialOutflow>(Message::HelpOptionInitialOutflow, "<cfs>", "<m3/s>"),
    {"routed", [](RouteOptions& options) -> std::string& { return options.routedFile; },
     Message::HelpOptionRouted, "<routed.csv>", true},
    {"hydrograph-plot", [](RouteOptions& options) -> std::string& { return options.plotFile; },
     Message::HelpOptionHydrographPlot, "<hydrograph.svg>", true},
    {"storage-outflow", [](RouteOptions& options) -> std::string& { return options.pairsFile; },
     Message::HelpOptionStorageOutflow, "<pairs.csv>", false},
}};

enum class Mode { Single, Batch, Help, Version };

struct Request {
  Mode mode = Mode::Single;
  FieldTexts texts;         // the options as typed, or the window's defaults
  FieldSet given = 0;       // the fields whose options were given
  std::string sectionFile;  // --section: a surveyed section's ground points, CSV; empty for none
  std::string batchFile;    // Mode::Batch: the CSV table of reaches
  ExtraFiles extras;        // Mode::Single: the extra files asked for
  std::string message;      // Mode::Help and Mode::Version: what to print
  RouteOptions route;       // Mode::Single: the flood to route, if any
};

// Bad usage: an unknown option, a missing value, an unexpected argument.
class UsageError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The option "section": a surveyed section's ground points, and the batch
// column that gives them for each reach.
inline constexpr std::string_view kSectionOption = "section";

// What is wrong with a reach's options for its shape: an option given
// (`given`, the section's file, its export) that the shape does not use, or
// a surveyed section without its points. Nothing where all is well, or
// where the shape is not one, which the rating says.
std::optional<std::string> ShapeRefusal(const FieldTexts& texts, FieldSet given, bool sectionGiven,
                                        bool sectionCsvGiven);

// Reads the command line (the program name first): "--option value",
// "--option=value", and "-n value" for a one-letter option. Field options
// default to the window's texts with `decimalSeparator`. Throws UsageError.
Request ParseCommandLine(const std::vector<std::string>& arguments, std::string_view decimalSeparator,
                         std::string_view version);

}  // namespace rating::cli
