#include "run/flood_routing.h"

#include <algorithm>
#include <cmath>
#include <fmt/format.h>

#include "messages/messages.h"
#include "plot/svg_writer.h"
#include "routing/rating_reach.h"

namespace rating {

namespace {

using routing::kSecondsPerHour;

// A number as the routed CSV writes it: the shortest text that reads back
// as the same double, with "." decimals.
std::string Exact(double value) { return fmt::format("{}", value); }

// A number as a person reads it: six figures.
std::string Shown(double value) { return fmt::format("{:.6g}", value); }

double PeakOf(const std::vector<double>& flow) {
  return flow.empty() ? 0 : *std::max_element(flow.begin(), flow.end());
}

double HoursAt(const FloodRouting& flood, std::size_t ordinate) {
  return static_cast<double>(ordinate) * flood.timeStep / kSecondsPerHour;
}

}  // namespace

RoutedReach ReachOfRating(const RatingResult& rating, std::string title) {
  return {routing::PairsOfRating(rating.fileRows), &rating.table, rating.channel.lengthFeet,
          std::move(title)};
}

int SuggestedSubreaches(const RoutedReach& reach, const routing::Hydrograph& inflow, double timeStep) {
  if (reach.table == nullptr) return 1;
  return routing::SuggestedSubreachesFor(*reach.table, reach.lengthFeet, PeakOf(inflow.flow), timeStep);
}

double RoutingTimeStep(std::optional<double> given, std::string_view givenText,
                       const routing::Hydrograph& inflow, CheckedMessage<> missing,
                       CheckedMessage<"given", "file"> disagrees) {
  if (!given && !inflow.timeStep) {
    throw RatingFailure(FailureKind::TypeMismatch, std::string(Pattern(missing.message)));
  }
  // Times written to the minute or in decimal hours agree to a millisecond.
  constexpr double kSameStep = 1e-3;  // s
  if (given && inflow.timeStep && std::abs(*given - *inflow.timeStep) > kSameStep) {
    throw RatingFailure(
        FailureKind::TypeMismatch,
        Compose(disagrees, Arg<"given">(givenText), Arg<"file">(Shown(*inflow.timeStep / kSecondsPerHour))));
  }
  return given ? *given : *inflow.timeStep;
}

FloodRouting RouteFlood(const routing::Hydrograph& inflow, const RoutedReach& reach, double timeStep,
                        const RoutingSettings& settings) {
  FloodRouting flood;
  flood.inflow = inflow;
  flood.timeStep = timeStep;
  flood.title = reach.title;
  flood.suggested = timeStep > 0 ? SuggestedSubreaches(reach, inflow, timeStep) : 1;
  flood.subreaches = settings.subreaches.value_or(flood.suggested);
  routing::RoutingRequest request;
  request.pairs = reach.pairs;
  request.inflow = inflow.flow;
  request.timeStep = timeStep;
  request.subreaches = flood.subreaches;
  request.initialOutflow = settings.initialOutflow;
  flood.result = routing::Route(request);
  return flood;
}

namespace {

// The routed table: a header row and a row per ordinate, cells split by
// `delimiter`, numbers with `separator` as their decimal mark.
std::string RoutedTable(const FloodRouting& flood, char delimiter, std::string_view separator,
                        std::string_view lineEnd) {
  const auto cell = [&](double value) {
    std::string text = Exact(value);
    if (const std::size_t point = text.find('.'); point != std::string::npos) {
      text.replace(point, 1, separator);
    }
    return text;
  };
  const bool stamped = !flood.inflow.stamps.empty();
  std::string table;
  if (stamped) table.append(Pattern(Message::CaptionRoutedStampHeader)).append(1, ',');
  table.append(Pattern(Message::CaptionRoutedHeader));
  std::replace(table.begin(), table.end(), ',', delimiter);
  table.append(lineEnd);
  for (std::size_t i = 0; i < flood.result.outflow.size(); ++i) {
    if (stamped) table.append(flood.inflow.stamps[i]).append(1, delimiter);
    table.append(cell(HoursAt(flood, i)))
        .append(1, delimiter)
        .append(cell(flood.inflow.flow[i]))
        .append(1, delimiter)
        .append(cell(flood.result.outflow[i]))
        .append(lineEnd);
  }
  return table;
}

}  // namespace

std::string RoutedCsv(const FloodRouting& flood) { return RoutedTable(flood, ',', ".", "\r\n"); }

std::string RoutedTabText(const FloodRouting& flood, std::string_view decimalSeparator) {
  return RoutedTable(flood, '\t', decimalSeparator, "\n");
}

std::string RoutingSummary(const FloodRouting& flood) {
  const routing::RoutingResult& routed = flood.result;
  return Compose(Message::RoutingSummary, Arg<"ordinates">(std::to_string(flood.inflow.flow.size())),
                 Arg<"subreaches">(std::to_string(flood.subreaches)), Arg<"step">(Shown(flood.timeStep)),
                 Arg<"inflowPeak">(Shown(routed.inflowPeak.flow)),
                 Arg<"inflowTime">(Shown(routed.inflowPeak.time)),
                 Arg<"outflowPeak">(Shown(routed.outflowPeak.flow)),
                 Arg<"outflowTime">(Shown(routed.outflowPeak.time)),
                 Arg<"attenuation">(Shown(routed.attenuation)), Arg<"lag">(Shown(routed.lag)),
                 Arg<"volumeIn">(Shown(routed.volumeIn)), Arg<"volumeOut">(Shown(routed.volumeOut)),
                 Arg<"storageStart">(Shown(routed.storageStart)), Arg<"storageEnd">(Shown(routed.storageEnd)),
                 Arg<"balance">(Shown(routed.massBalance))) +
         "\n";
}

plot::HydrographChart ChartOf(const FloodRouting& flood, std::string_view decimalSeparator) {
  plot::HydrographChart chart;
  chart.title = Compose(Message::HydrographTitle, Arg<"title">(flood.title));
  chart.decimalSeparator = decimalSeparator;
  std::string step = Shown(flood.timeStep / kSecondsPerHour);
  if (const std::size_t point = step.find('.'); point != std::string::npos) {
    step.replace(point, 1, decimalSeparator);
  }
  chart.subtitle = Compose(Message::HydrographSubtitle, Arg<"subreaches">(std::to_string(flood.subreaches)),
                           Arg<"step">(step), Arg<"ordinates">(std::to_string(flood.inflow.flow.size())));
  for (std::size_t i = 0; i < flood.result.outflow.size(); ++i) chart.time.push_back(HoursAt(flood, i));
  chart.inflow = flood.inflow.flow;
  chart.outflow = flood.result.outflow;
  const auto peakAt = [](const std::vector<double>& flow) {
    return static_cast<std::size_t>(std::max_element(flow.begin(), flow.end()) - flow.begin());
  };
  if (!chart.time.empty()) {
    chart.inflowPeak = peakAt(chart.inflow);
    chart.outflowPeak = peakAt(chart.outflow);
  }
  return chart;
}

std::string HydrographSvg(const FloodRouting& flood, std::string_view decimalSeparator) {
  const plot::SvgTextMeasure measure;
  return plot::SvgDocument(plot::HydrographScene(ChartOf(flood, decimalSeparator), measure));
}

std::string InflowDescription(const routing::Hydrograph& inflow, std::optional<double> timeStep) {
  const std::size_t count = inflow.flow.size();
  if (!timeStep || count < 2) {
    return Compose(Message::InflowOrdinates, Arg<"count">(std::to_string(count)));
  }
  return Compose(Message::InflowOrdinatesOver, Arg<"count">(std::to_string(count)),
                 Arg<"span">(Shown(static_cast<double>(count - 1) * *timeStep / kSecondsPerHour)));
}

std::string DurationText(double seconds) {
  if (std::fmod(seconds, kSecondsPerHour) == 0) return Shown(seconds / kSecondsPerHour) + "h";
  if (std::fmod(seconds, 60) == 0) return Shown(seconds / 60) + "min";
  return Shown(seconds) + "s";
}

}  // namespace rating
