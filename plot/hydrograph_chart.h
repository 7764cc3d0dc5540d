#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "messages/messages.h"
#include "plot/scene.h"

namespace rating::plot {

// What a drawing of a routed flood shows: the inflow and the outflow of the
// reach against time, and where each peaks.
struct HydrographChart {
  std::string title;                           // UTF-8, the routing's title line
  std::string subtitle;                        // UTF-8, the routing in words
  std::string decimalSeparator;                // the user's, in the tick and peak labels alike
  UnitSystem units = UnitSystem::UsCustomary;  // of the flow axis and the peaks: cfs or m3/s
  std::vector<double> time;                    // h from the first ordinate
  std::vector<double> inflow;                  // cfs (m3/s), one per time
  std::vector<double> outflow;                 // cfs (m3/s), one per time
  std::size_t inflowPeak = 0;                  // the ordinate where the inflow peaks
  std::size_t outflowPeak = 0;                 // the ordinate where the outflow peaks
};

inline constexpr double kHydrographPageWidth = 900;
inline constexpr double kHydrographPageHeight = 480;

// The title, the subtitle and one panel of flow against time: the inflow
// and the outflow as lines, a key naming them, and each peak marked with a
// dot and its flow and time. Texts are placed by `measure`'s widths. A
// chart without ordinates makes an empty white page.
Scene HydrographScene(const HydrographChart& chart, const TextMeasure& measure);

}  // namespace rating::plot
