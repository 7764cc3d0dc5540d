#include "plot/hydrograph_chart.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <ostream>
#include <string>
#include <variant>
#include <vector>

#include "plot/chart_frame.h"
#include "plot/svg_writer.h"
#include "tests/support/text_extent.h"

namespace rating::plot {
namespace {

using testing_support::Extent;
using testing_support::ExtentOf;

// Floods of every shape: each peak marked, its words inside the frame and
// clear of the other's, wherever in the flood the peaks fall.
struct ChartCase {
  const char* name;
  friend void PrintTo(const ChartCase& c, std::ostream* os) { *os << c.name; }
  std::vector<double> inflow;   // cfs, hourly
  std::vector<double> outflow;  // cfs, hourly
};

class HydrographScenes : public testing::TestWithParam<ChartCase> {};

TEST_P(HydrographScenes, MarkBothPeaksInsideTheFrameWithoutOverlap) {
  HydrographChart chart;
  chart.title = "Flood routed through Mill Creek";
  chart.subtitle = "Subreaches 4, time step 1 h";
  chart.decimalSeparator = ".";
  chart.inflow = GetParam().inflow;
  chart.outflow = GetParam().outflow;
  for (std::size_t i = 0; i < chart.inflow.size(); ++i) chart.time.push_back(static_cast<double>(i));
  const auto peak = [](const std::vector<double>& flow) {
    return static_cast<std::size_t>(std::max_element(flow.begin(), flow.end()) - flow.begin());
  };
  chart.inflowPeak = peak(chart.inflow);
  chart.outflowPeak = peak(chart.outflow);
  const SvgTextMeasure measure;
  const Scene scene = HydrographScene(chart, measure);

  std::vector<Extent> peakLabels;
  std::vector<Point> dots;
  Rect frame;
  for (const Item& item : scene.items) {
    if (const auto* text = std::get_if<Text>(&item)) {
      const Extent extent = ExtentOf(*text, measure);
      EXPECT_TRUE(extent.left >= 0 && extent.right <= scene.width && extent.top >= 0 &&
                  extent.bottom <= scene.height)
          << text->text;
      if (text->text.starts_with("peak ")) peakLabels.push_back(extent);
    } else if (const auto* dot = std::get_if<Dot>(&item)) {
      dots.push_back(dot->centre);
    } else if (const auto* rect = std::get_if<Rect>(&item); rect != nullptr && rect->stroked) {
      frame = *rect;
    }
  }
  ASSERT_EQ(peakLabels.size(), 2U);
  ASSERT_EQ(dots.size(), 2U);
  EXPECT_FALSE(testing_support::Overlap(peakLabels[0], peakLabels[1]));
  for (const Extent& label : peakLabels) {
    EXPECT_GE(label.left, frame.topLeft.x);
    EXPECT_LE(label.right, frame.topLeft.x + frame.width);
    EXPECT_GE(label.top, frame.topLeft.y) << "a label across the frame's top";
    EXPECT_LE(label.bottom, frame.topLeft.y + frame.height);
  }
  for (const Point& dot : dots) {
    EXPECT_TRUE(dot.x >= frame.topLeft.x && dot.x <= frame.topLeft.x + frame.width &&
                dot.y >= frame.topLeft.y && dot.y <= frame.topLeft.y + frame.height);
  }
  EXPECT_EQ(dots[0].x < dots[1].x, chart.inflowPeak < chart.outflowPeak) << "each dot at its peak's time";
}

INSTANTIATE_TEST_SUITE_P(Floods, HydrographScenes,
                         testing::Values(ChartCase{"CloseTogether",
                                                   {100, 900, 2500, 900, 100, 100, 100, 100, 100, 100},
                                                   {100, 500, 2300, 2429, 900, 300, 100, 100, 100, 100}},
                                         ChartCase{"AtTheStart",
                                                   {3000, 2000, 1000, 500, 100, 100, 100, 100, 100, 100},
                                                   {2900, 2000, 1100, 500, 150, 100, 100, 100, 100, 100}},
                                         ChartCase{"AtTheEnd",
                                                   {100, 100, 100, 100, 100, 100, 100, 500, 1000, 1500},
                                                   {100, 100, 100, 100, 100, 100, 100, 200, 600, 1000}},
                                         ChartCase{"Steady", {250, 250, 250, 250}, {250, 250, 250, 250}}),
                         [](const auto& info) { return std::string(info.param.name); });

// A steady inflow routed comes out steady but for the last bits: its axis
// is round about the flow, not a range of rounding noise.
TEST(ChartAxes, OfAFlowFlatToSixFiguresAreRound) {
  struct AxisCase {
    double low, high;
    const char* first;
    const char* last;
  };
  for (const AxisCase& c : {AxisCase{500, 500 + 1e-12, "400", "600"}, AxisCase{500, 500, "400", "600"},
                            AxisCase{0, 0, "0.0", "1.0"}, AxisCase{0.25, 0.25, "0.15", "0.35"}}) {
    std::vector<std::string> labels = Labels(NiceAxis(c.low, c.high), ".");
    std::erase(labels, "");
    ASSERT_FALSE(labels.empty());
    EXPECT_EQ(labels.front(), c.first) << c.low;
    EXPECT_EQ(labels.back(), c.last) << c.low;
  }
}

TEST(HydrographScenes, OfNoOrdinatesAreABlankPage) {
  const Scene scene = HydrographScene({}, SvgTextMeasure());
  EXPECT_EQ(scene.width, kHydrographPageWidth);
  EXPECT_EQ(scene.height, kHydrographPageHeight);
  ASSERT_EQ(scene.items.size(), 1U);
  EXPECT_TRUE(std::get<Rect>(scene.items.front()).filled);
}

}  // namespace
}  // namespace rating::plot
