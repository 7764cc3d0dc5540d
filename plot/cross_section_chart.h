#pragma once

#include <optional>
#include <string>
#include <vector>

#include "messages/messages.h"
#include "plot/scene.h"

namespace rating::plot {

// What a drawing of a surveyed section shows: its ground line, looking
// downstream, the bank stations that divide it, and the water surface of
// the table's last row.
struct CrossSectionChart {
  std::string title;                           // UTF-8, the reach's title line
  std::string subtitle;                        // UTF-8, the points and the span of stations in words
  std::string decimalSeparator;                // the user's, in the tick labels
  UnitSystem units = UnitSystem::UsCustomary;  // of the axes' titles and the values: ft or m
  std::vector<double> station;                 // ft, left to right
  std::vector<double> elevation;               // ft, one per station
  std::optional<double> leftBank;              // ft, the station of the left bank, where it is known
  std::optional<double> rightBank;             // ft
  std::optional<double> water;                 // ft, the water surface, once the section is rated
};

inline constexpr double kCrossSectionPageWidth = 640;
inline constexpr double kCrossSectionPageHeight = 360;

// The title, the subtitle and one panel of elevation against station: the
// water under the surface wherever the ground lies below it, the ground
// line over it, and each bank as a line up from the ground, named at its
// top. Texts are placed by `measure`'s widths. A chart without points makes
// an empty white page.
Scene CrossSectionScene(const CrossSectionChart& chart, const TextMeasure& measure);

}  // namespace rating::plot
