#include "cli/route_run.h"

#include "cli/command_failure.h"
#include "cli/command_line.h"
#include "output/table_file.h"
#include "routing/hydrograph.h"
#include "routing/rating_reach.h"
#include "routing/storage_routing.h"

namespace rating::cli {

namespace {

[[noreturn]] void RefuseOption(std::string_view option, std::string_view value, Message expected) {
  throw UsageError(Compose(Message::UsageBadValue, Arg<"option">(option), Arg<"value">(value),
                           Arg<"expected">(Pattern(expected))));
}

double TimeStepOf(const RouteOptions& options, const routing::Hydrograph& inflow) {
  std::optional<double> given;
  if (!options.timeStep.empty()) {
    given = routing::ParseDuration(options.timeStep);
    if (!given) RefuseOption("time-step", options.timeStep, Message::UsageExpectDuration);
  }
  return RoutingTimeStep(given, options.timeStep, inflow, Message::RoutingNoTimeStep,
                         Message::RoutingTimeStepDisagrees);
}

// Reads a table with `read`; a row that fails is named after its file.
template <typename Read>
auto ReadRows(const std::string& path, Message kind, Read read) {
  const TableFile file = ReadTableFile(path, kind);
  if (!file.problem.empty()) throw CommandFailure(file.problem);
  try {
    return read(file.utf8);
  } catch (const RatingFailure& failure) {
    throw CommandFailure(Compose(Message::RoutingInFile, Arg<"path">(path), Arg<"message">(failure.what())));
  }
}

}  // namespace

RoutedReach ReachOfPairsFile(const std::string& path, const std::string& separator) {
  return {ReadRows(path, Message::KindPairsFile,
                   [&](const std::string& text) { return routing::ReadStorageOutflow(text, separator); }),
          nullptr, 0, path};
}

RoutedFlood RouteThroughReach(const RouteOptions& options, const RoutedReach& reach,
                              const std::string& separator) {
  const routing::Hydrograph inflow =
      ReadRows(options.inflowFile, Message::KindInflowFile,
               [&](const std::string& text) { return routing::ReadHydrograph(text, separator); });
  RoutingSettings settings;
  if (!options.initialOutflow.empty()) {
    settings.initialOutflow = routing::ParseFlow(options.initialOutflow, separator);
    if (!settings.initialOutflow) {
      RefuseOption("initial-outflow", options.initialOutflow, Message::UsageExpectFlow);
    }
  }
  if (!options.subreaches.empty()) {
    settings.subreaches = routing::ParseSubreaches(options.subreaches);
    if (!settings.subreaches) RefuseOption("subreaches", options.subreaches, Message::UsageExpectSubreaches);
  }
  const FloodRouting flood = RouteFlood(inflow, reach, TimeStepOf(options, inflow), settings);
  return {RoutedCsv(flood), RoutingSummary(flood),
          options.plotFile.empty() ? std::string() : HydrographSvg(flood, separator)};
}

}  // namespace rating::cli
