#pragma once

#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "engine/rating_table.h"
#include "engine/routing_setting.h"
#include "messages/messages.h"
#include "plot/hydrograph_chart.h"
#include "routing/hydrograph.h"
#include "routing/storage_routing.h"
#include "run/rating_run.h"

// A flood routed through a reach, and everything shown or written of it:
// the routed CSV, the table to copy, the summary and the chart. Every front
// end routes through here.
namespace rating {

// What a flood is routed through: storage–outflow pairs, and where they
// come from a rating, the rating and the reach's length that suggest the
// number of subreaches.
struct RoutedReach {
  std::vector<routing::StorageOutflowPair> pairs;
  const RatingTable* table = nullptr;          // none for pairs from a file
  double length = 0;                           // ft, or m in SI
  std::string title;                           // the rating's title, or the pairs file's name
  UnitSystem units = UnitSystem::UsCustomary;  // of the pairs, and of every flow routed through them
};

// The reach of a rating, through exactly the pairs its paired data holds.
// `rating` must outlive the reach.
RoutedReach ReachOfRating(const RatingResult& rating, std::string title);

// The settings a user gave; each absent takes its default.
struct RoutingSettings {
  std::optional<int> subreaches;         // absent: the suggestion
  std::optional<double> initialOutflow;  // cfs; absent: the first inflow, a steady start
};

struct FloodRouting {
  routing::Hydrograph inflow;
  double timeStep = 0;  // s
  int subreaches = 1;
  int suggested = 1;  // what the usual rule suggests; 1 for pairs from a file
  routing::RoutingResult result;
  std::string title;                           // the reach's
  UnitSystem units = UnitSystem::UsCustomary;  // the reach's: of the flows, volumes and their words
};

// The subreaches the usual rule suggests for `inflow` at `timeStep` (s):
// the travel time over the step, at the rating's velocity at the peak
// inflow; 1 for a reach without a rating.
int SuggestedSubreaches(const RoutedReach& reach, const routing::Hydrograph& inflow, double timeStep);

// A setting typed that is not one of its kind: which, and its text. Each
// front end words it as its user names the setting (a field, an option).
class RoutingSettingRefused : public std::invalid_argument {
 public:
  RoutingSettingRefused(RoutingSetting setting, std::string text);
  [[nodiscard]] RoutingSetting Setting() const { return setting_; }
  [[nodiscard]] const std::string& Text() const { return text_; }

 private:
  RoutingSetting setting_;
  std::string text_;
};

// The time step (s) to route `inflow` at: the one typed as `text`, which
// must agree with the inflow's own times; else those. `name` is the time
// step's name in the user's words ("Time step", "--time-step"), and the
// inflow's step in the words is written with `decimalMark`. Throws
// RoutingSettingRefused for a text that is not a duration, and RatingFailure
// where there is no step at all or the two differ.
double RoutingTimeStep(std::string_view text, const routing::Hydrograph& inflow, std::string_view name,
                       std::string_view decimalMark);

// The subreaches and the initial outflow as typed in `texts` (its time step
// is RoutingTimeStep's), numbers with `decimalMark`; an empty text takes its
// default. Throws RoutingSettingRefused for the first text that is not one.
RoutingSettings ReadRoutingSettings(const RoutingTexts& texts, std::string_view decimalMark);

// Routes `inflow` through `reach` at `timeStep` (s). Throws RatingFailure,
// its words' numbers written with `decimalMark`.
FloodRouting RouteFlood(const routing::Hydrograph& inflow, const RoutedReach& reach, double timeStep,
                        const RoutingSettings& settings, std::string_view decimalMark);

// The routed CSV: "Time (h),Inflow (cfs),Outflow (cfs)", the date and time
// first where the inflow gave them; every value the shortest text that
// reads back as the same double, "." decimals, CR LF line ends.
std::string RoutedCsv(const FloodRouting& flood);
// The same table tab-separated for a spreadsheet, in the user's decimals.
std::string RoutedTabText(const FloodRouting& flood, std::string_view decimalSeparator);
// The peaks and their times, attenuation, lag, volumes and the mass
// balance, in lines ending in "\n", numbers with `decimalMark`. A steady
// flow is said to be one, with no peak to report; a routing that ends
// before the outflow recedes says what is still in the reach. Figures below
// what six figures of their own scale show (a mass balance of 1e-13
// acre-ft) are the arithmetic's noise, and read 0.
std::string RoutingSummary(const FloodRouting& flood, std::string_view decimalMark);
// The chart of the routing, numbers with `decimalSeparator`.
plot::HydrographChart ChartOf(const FloodRouting& flood, std::string_view decimalSeparator);
// The chart as an SVG document, the same bytes on every system.
std::string HydrographSvg(const FloodRouting& flood, std::string_view decimalSeparator);

// How many ordinates a hydrograph holds and the time they span at
// `timeStep` (s), in words: "97 ordinates over 24 h", numbers with
// `decimalMark`.
std::string InflowDescription(const routing::Hydrograph& inflow, std::optional<double> timeStep,
                              std::string_view decimalMark);
// A time step as a user writes it and ParseDuration reads it back: "15min",
// "1h", "90s", "0.5s".
std::string DurationText(double seconds);

}  // namespace rating
