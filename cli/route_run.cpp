#include "cli/route_run.h"

#include "cli/command_failure.h"
#include "cli/command_line.h"
#include "cli/table_rows.h"
#include "routing/hydrograph.h"
#include "routing/rating_reach.h"
#include "routing/storage_routing.h"

namespace rating::cli {

namespace {

// "--subreaches "x" is not a whole number ...": a setting refused, named by
// its option.
[[noreturn]] void RefuseOption(const RoutingSettingRefused& refused, UnitSystem units) {
  const RoutingSettingFacts& facts = Facts(refused.Setting());
  throw UsageError(Compose(Message::UsageBadValue, Arg<"option">(facts.option), Arg<"value">(refused.Text()),
                           Arg<"expected">(Pattern(facts.expected, units))));
}

}  // namespace

RoutedReach ReachOfPairsFile(const std::string& path, const std::string& separator, UnitSystem units) {
  return {
      ReadRows(path, Message::KindPairsFile,
               [&](const std::string& text) { return routing::ReadStorageOutflow(text, separator, units); }),
      nullptr, 0, path, units};
}

RoutedFlood RouteThroughReach(const RouteOptions& options, const RoutedReach& reach,
                              const std::string& separator) {
  const routing::Hydrograph inflow = ReadRows(
      options.inflowFile, Message::KindInflowFile,
      [&](const std::string& text) { return routing::ReadHydrograph(text, separator, reach.units); });
  const std::string option = "--" + std::string(Facts(RoutingSetting::TimeStep).option);
  try {
    const RoutingSettings settings = ReadRoutingSettings(options.settings, separator);
    const double timeStep = RoutingTimeStep(options.settings.timeStep, inflow, option, separator);
    const FloodRouting flood = RouteFlood(inflow, reach, timeStep, settings, separator);
    return {RoutedCsv(flood), RoutingSummary(flood, separator),
            options.plotFile.empty() ? std::string() : HydrographSvg(flood, separator)};
  } catch (const RoutingSettingRefused& refused) {
    RefuseOption(refused, reach.units);
  }
}

}  // namespace rating::cli
