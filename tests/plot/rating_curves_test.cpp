#include "plot/rating_curves.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <ostream>
#include <set>
#include <string>
#include <vector>

#include "plot/svg_writer.h"
#include "run/rating_session.h"
#include "tests/support/field_texts.h"
#include "tests/support/text_extent.h"

namespace rating {
namespace {

using testing_support::FieldEdit;

using testing_support::Extent;
using testing_support::ExtentOf;

// Plots never mislead: tick labels that all differ, nothing cut at the
// page's edges, whatever the reach and however long its title.
struct SceneCase {
  const char* name;
  friend void PrintTo(const SceneCase& c, std::ostream* os) { *os << c.name; }
  std::vector<FieldEdit> edits;
  const char* separator;
  bool titleElided;
};

class RatingCurveScenes : public testing::TestWithParam<SceneCase> {};

TEST_P(RatingCurveScenes, LabelEveryTickDistinctlyAndKeepEverythingOnThePage) {
  const FieldTexts texts = testing_support::TextsWith(GetParam().edits);
  const RatingOutcome outcome = RateFields(texts, GetParam().separator);
  ASSERT_TRUE(outcome.result.has_value());
  const plot::RatingCurves curves =
      CurvesOf(*outcome.result, std::string(TextOf(texts, InputField::Title)), GetParam().separator);
  for (const std::vector<double>* values : {&curves.elevation, &curves.flow, &curves.storage}) {
    std::vector<std::string> labels = plot::TickLabels(*values, GetParam().separator);
    std::erase(labels, std::string());
    EXPECT_EQ(std::set<std::string>(labels.begin(), labels.end()).size(), labels.size());
  }

  const plot::SvgTextMeasure measure;
  // The wide page of the windows and the files, and the narrow one of a phone.
  for (const bool stacked : {false, true}) {
    SCOPED_TRACE(stacked ? "stacked" : "side by side");
    const plot::Scene scene =
        stacked ? plot::StackedRatingCurvesScene(curves, measure) : plot::RatingCurvesScene(curves, measure);
    int texts_ = 0;
    for (const plot::Item& item : scene.items) {
      if (const auto* text = std::get_if<plot::Text>(&item)) {
        const Extent extent = ExtentOf(*text, measure);
        EXPECT_GE(extent.left, 0) << text->text;
        EXPECT_LE(extent.right, scene.width) << text->text;
        EXPECT_GE(extent.top, 0) << text->text;
        EXPECT_LE(extent.bottom, scene.height) << text->text;
        ++texts_;
      }
      if (const auto* curve = std::get_if<plot::Polyline>(&item)) {
        for (const plot::Point& point : curve->points) {
          EXPECT_TRUE(point.x > 0 && point.x < scene.width && point.y > 0 && point.y < scene.height);
        }
      }
    }
    EXPECT_GT(texts_, 30);
    // Labels on one baseline, such as an axis's, never run into one another.
    std::vector<const plot::Text*> shown;
    for (const plot::Item& item : scene.items) {
      const auto* text = std::get_if<plot::Text>(&item);
      if (text == nullptr || text->rotated) continue;
      const Extent extent = ExtentOf(*text, measure);
      for (const plot::Text* other : shown) {
        const Extent was = ExtentOf(*other, measure);
        EXPECT_FALSE(other->anchorAt.y == text->anchorAt.y && was.left < extent.right &&
                     extent.left < was.right)
            << other->text << " and " << text->text;
      }
      shown.push_back(text);
    }
    const auto& title = std::get<plot::Text>(scene.items.at(1));
    EXPECT_EQ(title.text.ends_with("…"), GetParam().titleElided) << title.text;
    EXPECT_EQ(title.font.bold, true);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Plot, RatingCurveScenes,
    testing::Values(
        SceneCase{"Defaults", {}, ".", false},
        SceneCase{
            "FineElevationSteps",
            {{InputField::Invert, "5280.37"}, {InputField::Increment, "0.001"}, {InputField::MaxFlow, "0.3"}},
            ".",
            false},
        SceneCase{"WideFlowLabels",
                  {{InputField::BottomWidth, "80"}, {InputField::Length, "55"}, {InputField::Fall, "1100"}},
                  ".",
                  false},
        SceneCase{"BigRiverFlows",
                  {{InputField::BottomWidth, "3000"},
                   {InputField::MaxFlow, "1500000"},
                   {InputField::Increment, "1"}},
                  ".",
                  false},
        SceneCase{"CommaDecimals",
                  {{InputField::Length, "5,5"},
                   {InputField::Roughness, "0,025"},
                   {InputField::Invert, "0,0"},
                   {InputField::Increment, "0,2"}},
                  ",",
                  false},
        SceneCase{"LongTitle",
                  {{InputField::Title,
                    "WWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWW Creek "
                    "MMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMM水"}},
                  ".",
                  true}),
    [](const auto& info) { return std::string(info.param.name); });

// Ten units a character, counting how often it is asked.
class CountingMeasure : public plot::TextMeasure {
 public:
  [[nodiscard]] double Advance(std::string_view text, const plot::Font& /*font*/) const override {
    ++calls;
    return 10.0 * static_cast<double>(std::count_if(text.begin(), text.end(), [](char c) {
             return (static_cast<unsigned char>(c) & 0xC0U) != 0x80U;
           }));
  }
  [[nodiscard]] double Ascent(const plot::Font& /*font*/) const override { return 10; }
  [[nodiscard]] double Descent(const plot::Font& /*font*/) const override { return 3; }
  mutable int calls = 0;
};

TEST(Elided, KeepsTheMostWholeCharactersThatFitAndMeasuresALongTitleFewTimes) {
  struct Row {
    std::string text;
    double width;
    std::string expected;
  };
  const std::string longTitle(10000, 'x');
  for (const Row& row : std::vector<Row>{{"abcdef", 60, "abcdef"},
                                         {"abcdef", 45, "abc…"},
                                         {"水水水", 25, "水…"},
                                         {"x", 5, "…"},
                                         {longTitle, 1000, std::string(99, 'x') + "…"}}) {
    const CountingMeasure measure;
    EXPECT_EQ(plot::Elided(row.text, row.width, {12, false}, measure), row.expected);
    EXPECT_LE(measure.calls, 16) << row.text.size() << " characters";
  }
}

TEST(RatingCurveScenes, TickLabelsAndSubtitleShareTheUsersSeparator) {
  EXPECT_EQ(plot::TickLabels({0, 0.95}, ","),
            (std::vector<std::string>{"0,0", "", "0,1", "", "0,2", "", "0,3", "", "0,4", "", "0,5", "",
                                      "0,6", "", "0,7", "", "0,8", "", "0,9", "", "1,0"}));
  EXPECT_EQ(plot::TickLabels({0, 2990}, "."),
            (std::vector<std::string>{"0", "", "500", "", "1000", "", "1500", "", "2000", "", "2500", "",
                                      "3000", ""}));
}

TEST(RatingCurveScenes, OfNoRatingAreABlankPage) {
  const plot::Scene scene = plot::RatingCurvesScene({}, plot::SvgTextMeasure());
  ASSERT_EQ(scene.items.size(), 1U);
  EXPECT_TRUE(std::get<plot::Rect>(scene.items.front()).filled);
}

}  // namespace
}  // namespace rating
