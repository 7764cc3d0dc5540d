#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <numbers>
#include <ostream>
#include <string>
#include <vector>

#include "engine/channel_parameters.h"
#include "engine/cross_section.h"
#include "engine/rating_table.h"
#include "tests/support/failure_assertions.h"
#include "tests/support/field_texts.h"
#include "tests/support/section_examples.h"

namespace rating {
namespace {

using testing_support::CompoundTexts;
using testing_support::kCompoundGround;
using testing_support::kTrapezoidGround;
using testing_support::TextsWith;

RatingTable Rate(const FieldTexts& texts, const std::vector<GroundPoint>& ground = {}) {
  const ChannelParameters channel = ReadChannelParameters(texts, ".", ground);
  RatingTable table = CreateRatingTable(channel);
  ComputeRatingTable(channel, table);
  return table;
}

// One element's area (ft^2), wetted perimeter (ft) and n, worked by hand.
struct HandElement {
  double area;
  double perimeter;
  double n;
};

// One row of a section, and what it must hold: each element worked by hand,
// Manning's flow from them with the exponent 2/3, and, where one is
// published, the flow it must match.
struct SectionCase {
  const char* name;
  friend void PrintTo(const SectionCase& c, std::ostream* os) { *os << c.name; }
  FieldTexts texts;
  std::vector<GroundPoint> ground;
  int row;
  double slope;  // ft/ft
  std::vector<HandElement> elements;
  double published = 0;  // cfs, where a source gives the flow; 0 where none does
};

const double kRoot116 = std::sqrt(116.0);            // ft, a floodplain's end, 10 ft across and 4 ft up
const double kRoot136 = std::sqrt(136.0);            // ft, a channel bank, 10 ft across and 6 ft down
const double kPipeArc = 2 * std::acos(1 - 2 * 0.7);  // rad, wetted at 0.7 of the diameter

class SectionRows : public testing::TestWithParam<SectionCase> {};

TEST_P(SectionRows, HoldTheHandWorkedAreaPerimeterAndFlow) {
  const SectionCase& c = GetParam();
  const RatingTable table = Rate(c.texts, c.ground);
  ASSERT_LE(c.row, table.lastRow);
  double area = 0;
  double flow = 0;
  for (const HandElement& e : c.elements) {
    area += e.area;
    flow += 1.486 / e.n * e.area * std::pow(e.area / e.perimeter, 2.0 / 3.0) * std::sqrt(c.slope);
  }
  // Each value was computed in double precision and stored as a single.
  EXPECT_FLOAT_EQ(table.area.at(c.row), static_cast<float>(area));
  EXPECT_FLOAT_EQ(table.flow.at(c.row), static_cast<float>(flow));
  if (c.published != 0) {
    EXPECT_NEAR(table.flow.at(c.row), c.published, 0.01);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Sections, SectionRows,
    testing::Values(SectionCase{"TrapezoidAsFourPoints",
                                TextsWith({{InputField::Shape, "section"}, {InputField::MaxFlow, "1000"}}),
                                kTrapezoidGround,
                                10,
                                110.0 / 29040,
                                {{108, 50 + 2 * std::sqrt(20.0), 0.025}}},
                    // rivr's documented normal depth of a wide rectangle: 1.711301 ft for
                    // 250 cfs, 100 ft wide, n 0.045, slope 0.001.
                    SectionCase{"RivrWideRectangle",
                                TextsWith({{InputField::Shape, "rectangle"},
                                           {InputField::BottomWidth, "100"},
                                           {InputField::Roughness, "0.045"},
                                           {InputField::Fall, "5.28"},
                                           {InputField::Length, "1"},
                                           {InputField::Increment, "1.711301"},
                                           {InputField::MaxFlow, "200"}}),
                                {},
                                1,
                                0.001,
                                {{171.1301, 100 + 2 * 1.711301, 0.045}},
                                250},
                    SectionCase{"PipeAtSevenTenths",
                                TextsWith({{InputField::Shape, "circle"},
                                           {InputField::Diameter, "6"},
                                           {InputField::Roughness, "0.013"},
                                           {InputField::Increment, "0.42"},
                                           {InputField::MaxFlow, "250"}}),
                                {},
                                10,
                                110.0 / 29040,
                                {{36 * (kPipeArc - std::sin(kPipeArc)) / 8, 6 * kPipeArc / 2, 0.013}}},
                    // 3 × 0.1 is a rounding above 0.3: the row is the full pipe, not one
                    // above its crown.
                    SectionCase{"PipeFullAtADepthRoundedUp",
                                TextsWith({{InputField::Shape, "circle"},
                                           {InputField::Diameter, "0.3"},
                                           {InputField::Roughness, "0.013"},
                                           {InputField::Increment, "0.1"},
                                           {InputField::MaxFlow, "0.08"}}),
                                {},
                                3,
                                110.0 / 29040,
                                {{std::numbers::pi * 0.09 / 4, std::numbers::pi * 0.3, 0.013}}},
                    // At 8 ft the water stands 2 ft over both floodplains; the bank
                    // lines between the elements are not perimeter.
                    SectionCase{"CompoundAtEightFeet",
                                CompoundTexts(),
                                kCompoundGround,
                                16,
                                0.001,
                                {{5 + 180, kRoot116 / 2 + 90, 0.06},
                                 {50 + 240 + 50, kRoot136 + 30 + kRoot136, 0.035},
                                 {200 + 5, 100 + kRoot116 / 2, 0.08}}},
                    // A bank halfway down the channel's left side cuts that segment in two.
                    SectionCase{"CompoundBankInsideASegment",
                                [] {
                                  FieldTexts texts = CompoundTexts();
                                  TextOf(texts, InputField::LeftBank) = "105";
                                  return texts;
                                }(),
                                kCompoundGround,
                                16,
                                0.001,
                                {{185 + 17.5, 90 + kRoot116 / 2 + kRoot136 / 2, 0.06},
                                 {32.5 + 240 + 50, kRoot136 / 2 + 30 + kRoot136, 0.035},
                                 {205, 100 + kRoot116 / 2, 0.08}}}),
    [](const testing::TestParamInfo<SectionCase>& info) { return std::string(info.param.name); });

// The trapezoid rated as a surveyed section has its areas at every depth,
// and flows that differ only by the exponent, 2/3 in place of 0.6666.
TEST(SurveyedSection, RatesTheTrapezoidByTheExactExponent) {
  const RatingTable trapezoid = Rate(TextsWith({{InputField::MaxFlow, "1000"}}));
  const RatingTable surveyed =
      Rate(TextsWith({{InputField::Shape, "section"}, {InputField::MaxFlow, "1000"}}), kTrapezoidGround);
  ASSERT_EQ(surveyed.lastRow, trapezoid.lastRow);
  for (int i = 1; i <= trapezoid.lastRow; ++i) {
    const double D = 0.2 * i;
    const double A = 50 * D + 2 * D * D;
    const double R = A / (50 + 2 * std::sqrt(5 * D * D));
    EXPECT_FLOAT_EQ(surveyed.area.at(i), static_cast<float>(A)) << "row " << i;
    EXPECT_NEAR(surveyed.flow.at(i), trapezoid.flow.at(i) * std::pow(R, 2.0 / 3.0 - 0.6666),
                2e-6 * surveyed.flow.at(i))
        << "row " << i;
  }
}

TEST(Pipe, CarriesItsGreatestFlowNearFifteenSixteenthsFull) {
  const PipeWetted full = PipeAt(6, 6);
  EXPECT_DOUBLE_EQ(full.area, std::numbers::pi * 36 / 4);
  EXPECT_DOUBLE_EQ(full.perimeter, std::numbers::pi * 6);
  const PipeGreatest greatest = PipeGreatestFlow();
  const double fullUnit = std::numbers::pi / 4 * std::pow(0.25, 2.0 / 3.0);
  EXPECT_NEAR(greatest.depthRatio, 0.938, 0.001);
  EXPECT_NEAR(greatest.unitConveyance / fullUnit, 1.076, 0.001);
}

// Properties of every surveyed section: its area and flow rise with depth;
// points added on a straight segment, or the section mirrored with its
// overbanks' n swapped, rate the same.
std::vector<GroundPoint> Mirrored(const std::vector<GroundPoint>& ground) {
  std::vector<GroundPoint> mirrored;
  for (auto point = ground.rbegin(); point != ground.rend(); ++point) {
    mirrored.push_back({1000 - point->station, point->elevation});
  }
  return mirrored;
}

void ExpectSameRating(const RatingTable& a, const RatingTable& b) {
  ASSERT_EQ(a.lastRow, b.lastRow);
  for (int i = 0; i <= a.lastRow; ++i) {
    EXPECT_FLOAT_EQ(a.area.at(i), b.area.at(i)) << "row " << i;
    EXPECT_FLOAT_EQ(a.flow.at(i), b.flow.at(i)) << "row " << i;
    EXPECT_FLOAT_EQ(a.cascades.at(i), b.cascades.at(i)) << "row " << i;
  }
}

TEST(SurveyedSection, RisesWithDepth) {
  const RatingTable table = Rate(CompoundTexts(), kCompoundGround);
  for (int i = 1; i <= table.lastRow; ++i) {
    EXPECT_GT(table.area.at(i), table.area.at(i - 1)) << "row " << i;
    EXPECT_GT(table.flow.at(i), table.flow.at(i - 1)) << "row " << i;
  }
}

TEST(SurveyedSection, TakesNothingFromPointsOnAStraightSegment) {
  std::vector<GroundPoint> denser;
  for (std::size_t k = 0; k + 1 < kCompoundGround.size(); ++k) {
    const GroundPoint a = kCompoundGround[k];
    const GroundPoint b = kCompoundGround[k + 1];
    for (int step = 0; step < 4; ++step) {
      denser.push_back({a.station + (b.station - a.station) * step / 4,
                        a.elevation + (b.elevation - a.elevation) * step / 4});
    }
  }
  denser.push_back(kCompoundGround.back());
  ExpectSameRating(Rate(CompoundTexts(), denser), Rate(CompoundTexts(), kCompoundGround));
}

TEST(SurveyedSection, RatesItsMirrorAlike) {
  FieldTexts mirrored = CompoundTexts();
  TextOf(mirrored, InputField::LeftBank) = "850";
  TextOf(mirrored, InputField::RightBank) = "900";
  TextOf(mirrored, InputField::LeftRoughness) = "0.08";
  TextOf(mirrored, InputField::RightRoughness) = "0.06";
  ExpectSameRating(Rate(mirrored, Mirrored(kCompoundGround)), Rate(CompoundTexts(), kCompoundGround));
}

// What each shape refuses before anything is written, and the words that
// say what and where.
struct RefusalCase {
  const char* name;
  friend void PrintTo(const RefusalCase& c, std::ostream* os) { *os << c.name; }
  FieldTexts texts;
  std::vector<GroundPoint> ground;
  FailureKind kind;
  const char* message;
};

class SectionRefusals : public testing::TestWithParam<RefusalCase> {};

TEST_P(SectionRefusals, NameWhatAndWhere) {
  EXPECT_FAILURE_MSG(Rate(GetParam().texts, GetParam().ground), GetParam().kind, GetParam().message);
}

FieldTexts Compound(std::initializer_list<testing_support::FieldEdit> edits) {
  FieldTexts texts = CompoundTexts();
  for (const testing_support::FieldEdit& edit : edits) TextOf(texts, edit.field) = edit.text;
  return texts;
}

INSTANTIATE_TEST_SUITE_P(
    Sections, SectionRefusals,
    testing::Values(
        RefusalCase{"UnknownShape",
                    TextsWith({{InputField::Shape, "oval"}}),
                    {},
                    FailureKind::TypeMismatch,
                    "Type mismatch: Section \"oval\" is not a section; it is trapezoid, rectangle, circle or "
                    "section."},
        RefusalCase{"TwoPoints",
                    Compound({}),
                    {{0, 1}, {1, 0}},
                    FailureKind::InvalidArgument,
                    "Invalid argument: the section has 2 points; it needs from 3 to 10000."},
        RefusalCase{"StationBackwards",
                    Compound({}),
                    {{0, 5}, {10, 0}, {8, 5}},
                    FailureKind::InvalidArgument,
                    "Invalid argument: section row 3, station 8 is left of station 10 of the row before; the "
                    "stations go from left to right, looking downstream."},
        RefusalCase{
            "BankOutside", Compound({{InputField::RightBank, "300"}}), kCompoundGround,
            FailureKind::InvalidArgument,
            "Invalid argument: Right Bank Station (ft) 300 lies outside the section, whose stations run "
            "from 0 to 260."},
        RefusalCase{
            "BanksCrossed", Compound({{InputField::LeftBank, "150"}, {InputField::RightBank, "100"}}),
            kCompoundGround, FailureKind::InvalidArgument,
            "Invalid argument: Left Bank Station (ft) 150 must be left of Right Bank Station (ft) 100."},
        RefusalCase{"OverbankNZero", Compound({{InputField::LeftRoughness, "0"}}), kCompoundGround,
                    FailureKind::InvalidArgument, "Invalid argument: Left Overbank n 0 must be more than 0."},
        RefusalCase{"UnitsUnknown",
                    TextsWith({{InputField::Units, "metric"}}),
                    {},
                    FailureKind::TypeMismatch,
                    "Type mismatch: Units \"metric\" is not a system of units; it is us or si."},
        // In SI every field is named by its label in SI.
        RefusalCase{"SiRectangleWidthZero",
                    TextsWith({{InputField::Units, "si"},
                               {InputField::Shape, "rectangle"},
                               {InputField::BottomWidth, "0"}}),
                    {},
                    FailureKind::InvalidArgument,
                    "Invalid argument: Bottom Width (m) 0 must be more than 0."},
        RefusalCase{"SiTrapezoidFallNegative",
                    TextsWith({{InputField::Units, " SI "}, {InputField::Fall, "-1"}}),
                    {},
                    FailureKind::InvalidArgument,
                    "Invalid argument: Channel Fall (m) -1 must not be negative."},
        RefusalCase{"SiIncrementNotANumber",
                    TextsWith({{InputField::Units, "si"}, {InputField::Increment, "x"}}),
                    {},
                    FailureKind::TypeMismatch,
                    "Type mismatch: Incremental Depth (m) \"x\" is not a number."},
        RefusalCase{
            "SiWaterAboveTheEnds", Compound({{InputField::Units, "si"}, {InputField::MaxFlow, "20000"}}),
            kCompoundGround, FailureKind::IndexOutOfRange,
            "Index out of range: row 21, the water surface at 10.5 m rises above the left end of the "
            "section, at 10 m, before Maximum Flow (m3/s) 20000 is reached; extend the section, or lower "
            "the maximum flow."},
        RefusalCase{"RectangleWidthZero",
                    TextsWith({{InputField::Shape, "rectangle"}, {InputField::BottomWidth, "0"}}),
                    {},
                    FailureKind::InvalidArgument,
                    "Invalid argument: Bottom Width (ft) 0 must be more than 0."},
        RefusalCase{"DiameterNegative",
                    TextsWith({{InputField::Shape, "circle"}, {InputField::Diameter, "-3"}}),
                    {},
                    FailureKind::InvalidArgument,
                    "Invalid argument: Diameter (ft) -3 must be more than 0."},
        RefusalCase{
            "WaterAboveTheEnds", Compound({{InputField::MaxFlow, "20000"}}), kCompoundGround,
            FailureKind::IndexOutOfRange,
            "Index out of range: row 21, the water surface at 10.5 ft rises above the left end of the "
            "section, at 10 ft, before Maximum Flow (cfs) 20000 is reached; extend the section, or lower "
            "the maximum flow."},
        RefusalCase{
            "PipeTooSmall",
            TextsWith({{InputField::Shape, "circle"}, {InputField::Diameter, "2"}}),
            {},
            FailureKind::InvalidArgument,
            "Invalid argument: the pipe carries at most 7.78814 cfs, near 0.94 of its diameter, which does "
            "not pass Maximum Flow (cfs) 3000; lower the maximum flow, or raise Diameter (ft) 2."}),
    [](const testing::TestParamInfo<RefusalCase>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace rating
