#pragma once

#include <optional>
#include <string>
#include <vector>

#include "messages/messages.h"

// Storage-indication (Modified Puls) routing of an inflow hydrograph through
// a reach given by its storage–outflow relation, as HEC-HMS routes it. New
// computation in double precision throughout; nothing of the rating table's
// single-precision rules applies.
namespace rating::routing {

inline constexpr double kCubicFeetPerAcreFoot = 43560;
inline constexpr double kSecondsPerHour = 3600;
inline constexpr int kMostSubreaches = 1000;
inline constexpr std::size_t kMostOrdinates = 1000000;

// One point of a reach's storage–outflow relation.
struct StorageOutflowPair {
  double storage = 0;  // acre-ft
  double outflow = 0;  // cfs
};

// What a routing is asked.
struct RoutingRequest {
  std::vector<StorageOutflowPair> pairs;  // storage strictly increasing, outflow not decreasing
  std::vector<double> inflow;             // cfs, one ordinate per time step from time 0
  double timeStep = 0;                    // s
  int subreaches = 1;                     // N equal subreaches, 1 to kMostSubreaches
  std::optional<double> initialOutflow;   // cfs; the first inflow, a steady start, where absent
  std::string decimalMark = ".";          // of the numbers in a failure's words: the user's
  // The pairs' and the flows' units: acre-ft and cfs, or 1000 m3 and m3/s;
  // the result is in the same.
  UnitSystem units = UnitSystem::UsCustomary;
};

// The largest flow of a hydrograph and when it first came.
struct Peak {
  double flow = 0;  // cfs
  double time = 0;  // h from the first ordinate
};

struct RoutingResult {
  std::vector<double> outflow;  // cfs, the last subreach's, one per inflow ordinate
  Peak inflowPeak;
  Peak outflowPeak;
  double attenuation = 0;   // % of the inflow peak taken off by the reach
  double lag = 0;           // h, from the inflow peak to the outflow peak
  double volumeIn = 0;      // acre-ft, by the trapezoidal rule
  double volumeOut = 0;     // acre-ft, by the trapezoidal rule
  double storageStart = 0;  // acre-ft, in every subreach together
  double storageEnd = 0;    // acre-ft, in every subreach together
  // acre-ft: volumeIn - volumeOut - (storageEnd - storageStart); zero but
  // for rounding, since each step keeps the continuity equation exactly.
  double massBalance = 0;
};

// Routes `request`. Each subreach holds 1/N of the storage at the same
// outflow; the outflow of one is the inflow of the next in the same step.
// For each step t and each subreach in turn,
//   2 S_t / dt + O_t = I_{t-1} + I_t + 2 S_{t-1} / dt - O_{t-1},
// with S in cubic feet and dt in seconds, and O_t and S_t interpolated
// linearly against 2 S / dt + O between the pairs. Nothing is extrapolated:
// an ordinate that routes above the highest pair fails, naming its time and
// flow. Throws RatingFailure naming what is wrong with the request and where.
RoutingResult Route(const RoutingRequest& request);

// The usual rule for the number of subreaches: the travel time through the
// reach, its length over the mean velocity at the peak inflow (ft and ft/s,
// or m and m/s), over the
// time step, rounded to a whole number and at least 1.
int SuggestedSubreaches(double length, double velocityAtPeak, double timeStep);

}  // namespace rating::routing
