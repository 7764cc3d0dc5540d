#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "messages/messages.h"
#include "plot/scene.h"

namespace rating::plot {

// What a drawing of the rating curves shows: the rating file's rows and the
// reach they belong to.
struct RatingCurves {
  std::string title;                           // UTF-8, the rating file's title line
  std::string subtitle;                        // UTF-8, the reach in words, with units
  std::string decimalSeparator;                // the user's, in the subtitle and the tick labels alike
  UnitSystem units = UnitSystem::UsCustomary;  // of the axes' titles and the values
  std::vector<double> elevation;               // ft (m), rows 0 to the last
  std::vector<double> flow;                    // cfs (m3/s), three figures as in the rating file
  std::vector<double> storage;                 // acre-ft (1000 m3), three figures as in the rating file
};

// The tick labels of an axis that spans `values`, lowest first: round
// values in round steps, each with the decimals its step needs, so that no
// two read the same. Every other tick of a crowded axis has an empty label.
std::vector<std::string> TickLabels(const std::vector<double>& values, std::string_view decimalSeparator);

// The page a drawing is laid out for, page units; renderers scale it.
inline constexpr double kRatingCurvesPageWidth = 1200;
inline constexpr double kRatingCurvesPageHeight = 520;

// The title, the subtitle and three panels side by side: elevation against
// flow, elevation against storage, and outflow against storage, the
// relation a Modified Puls routing follows. Each panel has labelled axes,
// ticks and light gridlines close enough to read a value to two figures;
// every point lies inside its frame and every text inside the page, long
// titles cut short with "…". Texts are placed by `measure`'s widths. Empty
// curves make an empty white page.
Scene RatingCurvesScene(const RatingCurves& curves, const TextMeasure& measure);

// A page one panel wide, for a narrow screen such as a phone's, and as tall
// as three panels.
inline constexpr double kStackedCurvesPageWidth = 420;
inline constexpr double kStackedCurvesPageHeight = 80 + 3 * 440;

// The same three panels one above the other, on the narrow page.
Scene StackedRatingCurvesScene(const RatingCurves& curves, const TextMeasure& measure);

}  // namespace rating::plot
