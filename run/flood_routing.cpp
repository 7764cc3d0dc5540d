#include "run/flood_routing.h"

#include <algorithm>
#include <cmath>
#include <fmt/format.h>

#include "engine/decimal_text.h"
#include "messages/messages.h"
#include "plot/svg_writer.h"
#include "routing/rating_reach.h"

namespace rating {

namespace {

using routing::kSecondsPerHour;

// A number as the routed CSV writes it: the shortest text that reads back
// as the same double, with "." decimals.
std::string Exact(double value) { return fmt::format("{}", value); }

double PeakOf(const std::vector<double>& flow) {
  return flow.empty() ? 0 : *std::max_element(flow.begin(), flow.end());
}

double HoursAt(const FloodRouting& flood, std::size_t ordinate) {
  return static_cast<double>(ordinate) * flood.timeStep / kSecondsPerHour;
}

}  // namespace

RoutedReach ReachOfRating(const RatingResult& rating, std::string title) {
  return {routing::PairsOfRating(rating.fileRows), &rating.table, rating.channel.lengthFeet, std::move(title),
          rating.channel.units};
}

int SuggestedSubreaches(const RoutedReach& reach, const routing::Hydrograph& inflow, double timeStep) {
  if (reach.table == nullptr) return 1;
  return routing::SuggestedSubreachesFor(*reach.table, reach.length, PeakOf(inflow.flow), timeStep);
}

RoutingSettingRefused::RoutingSettingRefused(RoutingSetting setting, std::string text)
    : std::invalid_argument(std::string(Facts(setting).option)), setting_(setting), text_(std::move(text)) {}

double RoutingTimeStep(std::string_view text, const routing::Hydrograph& inflow, std::string_view name,
                       std::string_view decimalMark) {
  std::optional<double> given;
  if (!text.empty()) {
    given = routing::ParseDuration(text);
    if (!given) throw RoutingSettingRefused(RoutingSetting::TimeStep, std::string(text));
  }
  if (!given && !inflow.timeStep) {
    throw RatingFailure(FailureKind::TypeMismatch,
                        Compose(Message::RoutingNeedsTimeStep, Arg<"setting">(name)));
  }
  // Times written to the minute or in decimal hours agree to a millisecond.
  constexpr double kSameStep = 1e-3;  // s
  if (given && inflow.timeStep && std::abs(*given - *inflow.timeStep) > kSameStep) {
    throw RatingFailure(
        FailureKind::TypeMismatch,
        Compose(Message::RoutingStepDisagrees, Arg<"setting">(name), Arg<"given">(text),
                Arg<"file">(ReadableNumber(*inflow.timeStep / kSecondsPerHour, decimalMark))));
  }
  return given ? *given : *inflow.timeStep;
}

RoutingSettings ReadRoutingSettings(const RoutingTexts& texts, std::string_view decimalMark) {
  RoutingSettings settings;
  if (!texts.subreaches.empty()) {
    settings.subreaches = routing::ParseSubreaches(texts.subreaches);
    if (!settings.subreaches) throw RoutingSettingRefused(RoutingSetting::Subreaches, texts.subreaches);
  }
  if (!texts.initialOutflow.empty()) {
    settings.initialOutflow = routing::ParseFlow(texts.initialOutflow, decimalMark);
    if (!settings.initialOutflow) {
      throw RoutingSettingRefused(RoutingSetting::InitialOutflow, texts.initialOutflow);
    }
  }
  return settings;
}

FloodRouting RouteFlood(const routing::Hydrograph& inflow, const RoutedReach& reach, double timeStep,
                        const RoutingSettings& settings, std::string_view decimalMark) {
  FloodRouting flood;
  flood.inflow = inflow;
  flood.timeStep = timeStep;
  flood.title = reach.title;
  flood.units = reach.units;
  flood.suggested = timeStep > 0 ? SuggestedSubreaches(reach, inflow, timeStep) : 1;
  flood.subreaches = settings.subreaches.value_or(flood.suggested);
  routing::RoutingRequest request;
  request.pairs = reach.pairs;
  request.inflow = inflow.flow;
  request.timeStep = timeStep;
  request.subreaches = flood.subreaches;
  request.initialOutflow = settings.initialOutflow;
  request.decimalMark = decimalMark;
  request.units = reach.units;
  flood.result = routing::Route(request);
  return flood;
}

namespace {

// The routed table: a header row and a row per ordinate, cells split by
// `delimiter`, numbers with `separator` as their decimal mark.
std::string RoutedTable(const FloodRouting& flood, char delimiter, std::string_view separator,
                        std::string_view lineEnd) {
  const auto cell = [&](double value) { return WithDecimalMark(Exact(value), separator); };
  const bool stamped = !flood.inflow.stamps.empty();
  std::string table;
  if (stamped) table.append(Pattern(Message::CaptionRoutedStampHeader)).append(1, ',');
  table.append(Pattern(Message::CaptionRoutedHeader, flood.units));
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

namespace {

// Whether a flow stays within what six figures of its largest value show.
bool IsSteady(const std::vector<double>& flow) {
  if (flow.empty()) return true;
  const auto [low, high] = std::minmax_element(flow.begin(), flow.end());
  return SameToReadableFigures(*low, *high);
}

// The share of the volume in that may stay in the reach at the end of a
// routing that has passed the flood: what the outflow still carries of a
// recession that has all but ended.
constexpr double kPassedShare = 1e-3;

}  // namespace

std::string RoutingSummary(const FloodRouting& flood, std::string_view decimalMark) {
  const routing::RoutingResult& routed = flood.result;
  const auto shown = [decimalMark](double value) { return ReadableNumber(value, decimalMark); };
  std::string summary =
      Compose(Message::RoutingSummary, Arg<"ordinates">(std::to_string(flood.inflow.flow.size())),
              Arg<"subreaches">(std::to_string(flood.subreaches)), Arg<"step">(shown(flood.timeStep)));
  summary += '\n';
  if (IsSteady(flood.inflow.flow) && IsSteady(routed.outflow)) {
    summary +=
        ComposeIn(flood.units, Message::RoutingSummarySteady, Arg<"flow">(shown(routed.inflowPeak.flow)));
  } else {
    summary += ComposeIn(
        flood.units, Message::RoutingSummaryPeaks, Arg<"inflowPeak">(shown(routed.inflowPeak.flow)),
        Arg<"inflowTime">(shown(routed.inflowPeak.time)), Arg<"outflowPeak">(shown(routed.outflowPeak.flow)),
        Arg<"outflowTime">(shown(routed.outflowPeak.time)),
        Arg<"attenuation">(ReadablePart(routed.attenuation, 100, decimalMark)),
        Arg<"lag">(shown(routed.lag)));
  }
  summary += '\n';
  const double volume = std::max(routed.volumeIn, routed.volumeOut);
  summary +=
      ComposeIn(flood.units, Message::RoutingSummaryVolumes, Arg<"volumeIn">(shown(routed.volumeIn)),
                Arg<"volumeOut">(shown(routed.volumeOut)), Arg<"storageStart">(shown(routed.storageStart)),
                Arg<"storageEnd">(shown(routed.storageEnd)),
                Arg<"balance">(ReadablePart(routed.massBalance, volume, decimalMark)));
  summary += '\n';
  const double held = routed.storageEnd - routed.storageStart;
  if (!routed.outflow.empty() && held > kPassedShare * routed.volumeIn) {
    summary += ComposeIn(
        flood.units, Message::RoutingSummaryNotReceded, Arg<"outflow">(shown(routed.outflow.back())),
        Arg<"time">(shown(HoursAt(flood, routed.outflow.size() - 1))), Arg<"held">(shown(held)));
    summary += '\n';
  }
  return summary;
}

plot::HydrographChart ChartOf(const FloodRouting& flood, std::string_view decimalSeparator) {
  plot::HydrographChart chart;
  chart.title = Compose(Message::HydrographTitle, Arg<"title">(flood.title));
  chart.decimalSeparator = decimalSeparator;
  chart.units = flood.units;
  const std::string step = ReadableNumber(flood.timeStep / kSecondsPerHour, decimalSeparator);
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

std::string InflowDescription(const routing::Hydrograph& inflow, std::optional<double> timeStep,
                              std::string_view decimalMark) {
  const std::size_t count = inflow.flow.size();
  if (!timeStep || count < 2) {
    return Compose(Message::InflowOrdinates, Arg<"count">(std::to_string(count)));
  }
  return Compose(
      Message::InflowOrdinatesOver, Arg<"count">(std::to_string(count)),
      Arg<"span">(ReadableNumber(static_cast<double>(count - 1) * *timeStep / kSecondsPerHour, decimalMark)));
}

std::string DurationText(double seconds) {
  if (std::fmod(seconds, kSecondsPerHour) == 0) return ReadableNumber(seconds / kSecondsPerHour, ".") + "h";
  if (std::fmod(seconds, 60) == 0) return ReadableNumber(seconds / 60, ".") + "min";
  return ReadableNumber(seconds, ".") + "s";
}

}  // namespace rating
