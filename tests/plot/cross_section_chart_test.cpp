#include "plot/cross_section_chart.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <ostream>
#include <string>
#include <variant>
#include <vector>

#include "plot/svg_writer.h"
#include "tests/support/text_extent.h"

namespace rating::plot {
namespace {

constexpr Color kWater{0x9c, 0xc8, 0xec};

// Sections of every kind of ground: the water never spills over the ground
// or above its surface, each bank is named inside the page, and the words
// stay on it.
struct PictureCase {
  const char* name;
  friend void PrintTo(const PictureCase& c, std::ostream* os) { *os << c.name; }
  std::vector<double> station;    // ft
  std::vector<double> elevation;  // ft
  double water;                   // ft
};

class CrossSectionPictures : public testing::TestWithParam<PictureCase> {};

TEST_P(CrossSectionPictures, KeepTheWaterBetweenTheGroundAndItsSurface) {
  CrossSectionChart chart;
  chart.title = "Mill Creek";
  chart.subtitle = "points";
  chart.decimalSeparator = ".";
  chart.station = GetParam().station;
  chart.elevation = GetParam().elevation;
  chart.leftBank = chart.station.at(1);
  chart.rightBank = chart.station.at(chart.station.size() - 2);
  chart.water = GetParam().water;
  const SvgTextMeasure measure;
  const Scene scene = CrossSectionScene(chart, measure);

  // The frame is the stroked rectangle; the ground line maps stations and
  // elevations onto it, which places the water's surface too.
  const Polyline* ground = nullptr;
  std::vector<Rect> water;
  std::vector<std::string> words;
  for (const Item& item : scene.items) {
    if (const auto* line = std::get_if<Polyline>(&item)) ground = line;
    if (const auto* rect = std::get_if<Rect>(&item);
        rect != nullptr && rect->filled && rect->fill == kWater) {
      water.push_back(*rect);
    }
    if (const auto* text = std::get_if<Text>(&item)) {
      const testing_support::Extent extent = testing_support::ExtentOf(*text, measure);
      EXPECT_TRUE(extent.left >= 0 && extent.right <= scene.width && extent.top >= 0 &&
                  extent.bottom <= scene.height)
          << text->text;
      words.push_back(text->text);
    }
  }
  ASSERT_NE(ground, nullptr);
  ASSERT_FALSE(water.empty());
  EXPECT_NE(std::find(words.begin(), words.end(), "left bank"), words.end());
  EXPECT_NE(std::find(words.begin(), words.end(), "right bank"), words.end());
  // Page units per ft, up and across, from the ground line's ends.
  const auto& points = ground->points;
  const double lowest = *std::min_element(chart.elevation.begin(), chart.elevation.end());
  const std::size_t low = static_cast<std::size_t>(
      std::min_element(chart.elevation.begin(), chart.elevation.end()) - chart.elevation.begin());
  const std::size_t high = static_cast<std::size_t>(
      std::max_element(chart.elevation.begin(), chart.elevation.end()) - chart.elevation.begin());
  const double perFoot = (points.at(low).y - points.at(high).y) / (chart.elevation.at(high) - lowest);
  const double surface = points.at(low).y - perFoot * (GetParam().water - lowest);
  for (const Rect& rect : water) {
    EXPECT_NEAR(rect.topLeft.y, surface, 1e-9);
    EXPECT_GE(rect.height, 0);
    EXPECT_LE(rect.topLeft.y + rect.height, points.at(low).y + 1e-9) << "below the lowest ground";
    EXPECT_GE(rect.topLeft.x, points.front().x - 1e-9);
    EXPECT_LE(rect.topLeft.x + rect.width, points.back().x + 1);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Sections, CrossSectionPictures,
    testing::Values(
        PictureCase{"Compound", {0, 10, 100, 110, 140, 150, 250, 260}, {10, 6, 6, 0, 0, 6, 6, 10}, 9.5},
        PictureCase{"WithinTheChannel", {0, 10, 100, 110, 140, 150, 250, 260}, {10, 6, 6, 0, 0, 6, 6, 10}, 3},
        PictureCase{"TwoPoolsAndAWall", {0, 20, 20, 40, 60, 80}, {8, 1, 4, 5, 0, 8}, 4.5}),
    [](const testing::TestParamInfo<PictureCase>& info) { return std::string(info.param.name); });

TEST(CrossSectionPicture, OfNoPointsIsABlankPage) {
  const Scene scene = CrossSectionScene({}, SvgTextMeasure());
  EXPECT_EQ(scene.width, kCrossSectionPageWidth);
  EXPECT_EQ(std::count_if(scene.items.begin(), scene.items.end(),
                          [](const Item& item) { return std::holds_alternative<Polyline>(item); }),
            0);
}

}  // namespace
}  // namespace rating::plot
