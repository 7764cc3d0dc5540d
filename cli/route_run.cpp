#include "cli/route_run.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <fmt/format.h>
#include <fstream>
#include <sstream>
#include <system_error>

#include "cli/command_failure.h"
#include "cli/command_line.h"
#include "engine/text_encoding.h"
#include "output/file_message.h"
#include "output/utf8_path.h"
#include "routing/hydrograph.h"
#include "routing/rating_reach.h"
#include "routing/storage_routing.h"

namespace rating::cli {

namespace {

using routing::kSecondsPerHour;

// A time step this close to the file's (s) agrees with it.
constexpr double kSameStep = 1e-3;

[[noreturn]] void RefuseOption(std::string_view option, std::string_view value, Message expected) {
  throw UsageError(Compose(Message::UsageBadValue, Arg<"option">(option), Arg<"value">(value),
                           Arg<"expected">(Pattern(expected))));
}

double TimeStepOf(const RouteOptions& options, const routing::Hydrograph& inflow) {
  if (options.timeStep.empty()) {
    if (!inflow.timeStep) throw CommandFailure(std::string(Pattern(Message::RoutingNoTimeStep)));
    return *inflow.timeStep;
  }
  const std::optional<double> given = routing::ParseDuration(options.timeStep);
  if (!given) RefuseOption("time-step", options.timeStep, Message::UsageExpectDuration);
  if (inflow.timeStep && std::abs(*inflow.timeStep - *given) > kSameStep) {
    throw CommandFailure(Compose(Message::RoutingTimeStepDisagrees, Arg<"given">(options.timeStep),
                                 Arg<"file">(fmt::format("{:.6g}", *inflow.timeStep / kSecondsPerHour))));
  }
  return *given;
}

// `path`'s text, UTF-8, read as a file of `kind`.
std::string ReadTable(const std::string& path, Message kind) {
  std::ifstream in(PathFromUtf8(path), std::ios::binary);
  if (!in) throw CommandFailure(FileMessage(Pattern(kind), path, {errno, std::generic_category()}));
  std::ostringstream bytes;
  bytes << in.rdbuf();
  const TableText text = DecodeTableText(bytes.view());
  if (text.badLine != 0) {
    throw CommandFailure(Compose(Message::BatchProblemAtLine, Arg<"kind">(Pattern(kind)), Arg<"path">(path),
                                 Arg<"line">(std::to_string(text.badLine)),
                                 Arg<"problem">(Pattern(Message::BatchNotUtf8))));
  }
  return text.utf8;
}

// Reads a table with `read`; a row that fails is named after its file.
template <typename Read>
auto ReadRows(const std::string& path, Message kind, Read read) {
  const std::string text = ReadTable(path, kind);
  try {
    return read(text);
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
