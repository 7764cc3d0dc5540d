#include "plot/rating_curves.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "messages/messages.h"
#include "plot/chart_frame.h"

namespace rating::plot {

std::vector<std::string> TickLabels(const std::vector<double>& values, std::string_view decimalSeparator) {
  return Labels(NiceAxis(*std::min_element(values.begin(), values.end()),
                         *std::max_element(values.begin(), values.end())),
                decimalSeparator);
}

namespace {

enum class Arrangement { SideBySide, Stacked };

Scene CurvesScene(const RatingCurves& curves, const TextMeasure& measure, Arrangement arrangement) {
  const bool stacked = arrangement == Arrangement::Stacked;
  Scene scene =
      BlankPage(stacked ? kStackedCurvesPageWidth : kRatingCurvesPageWidth,
                stacked ? kStackedCurvesPageHeight : kRatingCurvesPageHeight, curves.title, curves.subtitle);
  if (curves.elevation.empty()) return scene;

  ChartBuilder builder(scene, measure, curves.decimalSeparator);
  constexpr double kPageMargin = 10;
  const double lineWidth = scene.width - 2 * kPageMargin;
  builder.Headings(curves.title, curves.subtitle, kPageMargin, lineWidth);

  const std::string elevation(Pattern(Message::CaptionElevationAxis, curves.units));
  const std::string storage(Pattern(Message::CaptionStorageAxis, curves.units));
  const std::array<Panel, 3> panels = {
      {{curves.flow,
        {{curves.elevation, kCurveColor, 2, true}},
        std::string(Pattern(Message::CaptionFlowAxis, curves.units)),
        elevation},
       {curves.storage, {{curves.elevation, kCurveColor, 2, true}}, storage, elevation},
       {curves.storage,
        {{curves.flow, kCurveColor, 2, true}},
        storage,
        std::string(Pattern(Message::CaptionOutflowAxis, curves.units))}}};
  // Each panel has a third of the page's width, or all of it stacked; its
  // frame leaves room on the left for its tick labels and axis title, and
  // on the right for half its last tick label. The frames are as wide as
  // the most crowded panel allows.
  const double slot = stacked ? lineWidth : lineWidth / static_cast<double>(panels.size());
  std::array<Margins, 3> margins{};
  double frameWidth = slot;
  for (std::size_t i = 0; i < panels.size(); ++i) {
    margins.at(i) = builder.MarginsOf(panels.at(i));
    frameWidth = std::min(frameWidth, slot - margins.at(i).left - margins.at(i).right);
  }
  constexpr double kTop = 80;
  constexpr double kPanelHeight = 360;
  constexpr double kPanelPitch = 440;  // stacked: a panel and its axis labels below it
  for (std::size_t i = 0; i < panels.size(); ++i) {
    const auto place = static_cast<double>(i);
    const double left = (stacked ? 0 : place * slot) + kPageMargin + margins.at(i).left;
    const double top = kTop + (stacked ? place * kPanelPitch : 0);
    builder.Draw(panels.at(i), {left, top}, frameWidth, kPanelHeight);
  }
  return scene;
}

}  // namespace

Scene RatingCurvesScene(const RatingCurves& curves, const TextMeasure& measure) {
  return CurvesScene(curves, measure, Arrangement::SideBySide);
}

Scene StackedRatingCurvesScene(const RatingCurves& curves, const TextMeasure& measure) {
  return CurvesScene(curves, measure, Arrangement::Stacked);
}

}  // namespace rating::plot
