#include "cli/route_run.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
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

std::string ReadInflow(const std::string& path) {
  std::ifstream in(PathFromUtf8(path), std::ios::binary);
  if (!in) {
    throw CommandFailure(
        FileMessage(Pattern(Message::KindInflowFile), path, {errno, std::generic_category()}));
  }
  std::ostringstream bytes;
  bytes << in.rdbuf();
  const TableText text = DecodeTableText(bytes.view());
  if (text.badLine != 0) {
    throw CommandFailure(Compose(Message::BatchProblemAtLine, Arg<"kind">(Pattern(Message::KindInflowFile)),
                                 Arg<"path">(path), Arg<"line">(std::to_string(text.badLine)),
                                 Arg<"problem">(Pattern(Message::BatchNotUtf8))));
  }
  return text.utf8;
}

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

// A number as the routed CSV writes it: the shortest text that reads back
// as the same double, with "." decimals.
std::string Exact(double value) { return fmt::format("{}", value); }

std::string RoutedCsv(const routing::Hydrograph& inflow, const std::vector<double>& outflow,
                      double timeStep) {
  std::string csv;
  if (!inflow.stamps.empty()) csv.append(Pattern(Message::CaptionRoutedStampHeader)).append(",");
  csv.append(Pattern(Message::CaptionRoutedHeader)).append("\r\n");
  for (std::size_t i = 0; i < outflow.size(); ++i) {
    if (!inflow.stamps.empty()) csv.append(inflow.stamps[i]).append(",");
    csv.append(Exact(static_cast<double>(i) * timeStep / kSecondsPerHour))
        .append(",")
        .append(Exact(inflow.flow[i]))
        .append(",")
        .append(Exact(outflow[i]))
        .append("\r\n");
  }
  return csv;
}

std::string Summary(const routing::RoutingResult& routed, int subreaches, double timeStep,
                    std::size_t ordinates) {
  const auto shown = [](double value) { return fmt::format("{:.6g}", value); };
  return Compose(Message::RoutingSummary, Arg<"ordinates">(std::to_string(ordinates)),
                 Arg<"subreaches">(std::to_string(subreaches)), Arg<"step">(shown(timeStep)),
                 Arg<"inflowPeak">(shown(routed.inflowPeak.flow)),
                 Arg<"inflowTime">(shown(routed.inflowPeak.time)),
                 Arg<"outflowPeak">(shown(routed.outflowPeak.flow)),
                 Arg<"outflowTime">(shown(routed.outflowPeak.time)),
                 Arg<"attenuation">(shown(routed.attenuation)), Arg<"lag">(shown(routed.lag)),
                 Arg<"volumeIn">(shown(routed.volumeIn)), Arg<"volumeOut">(shown(routed.volumeOut)),
                 Arg<"storageStart">(shown(routed.storageStart)), Arg<"storageEnd">(shown(routed.storageEnd)),
                 Arg<"balance">(shown(routed.massBalance))) +
         "\n";
}

}  // namespace

RoutedFlood RouteThroughReach(const RouteOptions& options, const RatingResult& rating,
                              const std::string& separator) {
  const routing::Hydrograph inflow = [&] {
    try {
      return routing::ReadHydrograph(ReadInflow(options.inflowFile), separator);
    } catch (const RatingFailure& failure) {  // a row of the file: its name leads
      throw CommandFailure(
          Compose(Message::RoutingInFile, Arg<"path">(options.inflowFile), Arg<"message">(failure.what())));
    }
  }();
  routing::RoutingRequest request;
  request.inflow = inflow.flow;
  request.pairs = routing::PairsOfRating(rating.fileRows);
  request.timeStep = TimeStepOf(options, inflow);
  if (!options.initialOutflow.empty()) {
    request.initialOutflow = routing::ParseFlow(options.initialOutflow, separator);
    if (!request.initialOutflow) {
      RefuseOption("initial-outflow", options.initialOutflow, Message::UsageExpectFlow);
    }
  }
  if (options.subreaches.empty()) {
    const double peak = inflow.flow.empty() ? 0 : *std::max_element(inflow.flow.begin(), inflow.flow.end());
    request.subreaches =
        routing::SuggestedSubreachesFor(rating.table, rating.channel.lengthFeet, peak, request.timeStep);
  } else {
    const std::string& text = options.subreaches;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), request.subreaches);
    if (error != std::errc() || end != text.data() + text.size() || request.subreaches < 1 ||
        request.subreaches > routing::kMostSubreaches) {
      RefuseOption("subreaches", text, Message::UsageExpectSubreaches);
    }
  }
  const routing::RoutingResult routed = routing::Route(request);
  return {RoutedCsv(inflow, routed.outflow, request.timeStep),
          Summary(routed, request.subreaches, request.timeStep, inflow.flow.size())};
}

}  // namespace rating::cli
