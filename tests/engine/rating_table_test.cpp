#include "engine/rating_table.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <iostream>
#include <ostream>
#include <random>
#include <string>

#include "engine/failure.h"
#include "engine/rounding.h"
#include "tests/engine/failure_cases.h"
#include "tests/support/failure_assertions.h"

namespace rating {
namespace {

RatingTable Rate(const FieldTexts& texts, const char* separator = ".") {
  const ChannelParameters channel = ReadChannelParameters(texts, separator);
  RatingTable table = CreateRatingTable(channel);
  ComputeRatingTable(channel, table);
  return table;
}

using testing_support::TextsWith;

TEST(DefaultRating, EndsAtTheFirstRowAboveTheMaximumFlow) {
  const RatingTable t = Rate(TextsWith());
  ASSERT_EQ(t.lastRow, 26);
  EXPECT_FLOAT_EQ(t.elevation[26], 5.2F);
  EXPECT_GT(t.flow[26], 3000.0F);
  EXPECT_LE(t.flow[25], 3000.0F);
  EXPECT_EQ(t.elevation[0], 0.0F);
  EXPECT_EQ(t.flow[0] + t.storage[0] + t.area[0] + t.cascades[0], 0.0F);
  EXPECT_EQ(t.flow[27], 0.0F) << "nothing is computed past the last row";
}

// Rows worked by hand from the formulas, each stored quantity rounded to a
// single: elevation, area, flow, storage, cascades.
struct HandRow {
  int row;
  float elevation, area, flow, storage, cascades;
};

TEST(DefaultRating, MatchesRowsWorkedByHand) {
  const RatingTable t = Rate(TextsWith());
  for (const HandRow& r :
       {HandRow{1, 0.2F, 10.08F, 12.530770301818848F, 6.720000267028809F, 440.430908203125F},
        HandRow{2, 0.4F, 20.32F, 39.843048095703125F, 13.546667098999023F, 188.780029296875F},
        HandRow{10, 2.0F, 108.0F, 591.5677490234375F, 72.0F, 13.33314037322998F},
        HandRow{26, 5.200000286102295F, 314.08001708984375F, 3032.09814453125F, 209.38668823242188F,
                1.2247049808502197F}}) {
    SCOPED_TRACE(r.row);
    EXPECT_EQ(t.elevation[r.row], r.elevation);
    EXPECT_EQ(t.area[r.row], r.area);
    EXPECT_EQ(t.flow[r.row], r.flow);
    EXPECT_EQ(t.storage[r.row], r.storage);
    EXPECT_EQ(t.cascades[r.row], r.cascades);
  }
}

TEST(DefaultRating, RoundsToTheFiguresEngineersKnow) {
  const RatingTable t = Rate(TextsWith());
  const auto rounded = [&t](int j) {
    return std::vector<float>{t.elevation[j], RoundToThreeFigures(t.area[j]), RoundToThreeFigures(t.flow[j]),
                              RoundToThreeFigures(t.storage[j]), RoundToThreeFigures(t.cascades[j])};
  };
  EXPECT_EQ(rounded(1), (std::vector<float>{0.2F, 10.1F, 12.5F, 6.72F, 440.0F}));
  EXPECT_EQ(rounded(2), (std::vector<float>{0.4F, 20.3F, 39.8F, 13.5F, 189.0F}));
}

struct ShapeCase {
  const char* name;
  friend void PrintTo(const ShapeCase& c, std::ostream* os) { *os << c.name; }
  std::vector<testing_support::FieldEdit> edits;
  int lastRow;
};

class TableShape : public testing::TestWithParam<ShapeCase> {};

TEST_P(TableShape, EndsWhereTheFlowFirstExceedsTheMaximum) {
  const RatingTable t = Rate(TextsWith(GetParam().edits));
  EXPECT_EQ(t.lastRow, GetParam().lastRow);
  for (int i = 1; i <= t.lastRow; ++i) {
    EXPECT_GE(t.cascades[i], 1.0F) << "row " << i;
    if (i < t.lastRow) {
      EXPECT_LT(t.flow[i], t.flow[i + 1]) << "row " << i;
      EXPECT_LT(t.storage[i], t.storage[i + 1]) << "row " << i;
    }
  }
}

INSTANTIATE_TEST_SUITE_P(
    Channels, TableShape,
    testing::Values(ShapeCase{"Defaults", {}, 26},
                    ShapeCase{"TriangularSection", {{InputField::BottomWidth, "0"}}, 59},
                    ShapeCase{"BankZeroComputesAsTwo", {{InputField::BankSlope, "0"}}, 26},
                    ShapeCase{"MaximumBelowFirstRow", {{InputField::MaxFlow, "1"}}, 1},
                    ShapeCase{"NegativeMaximum", {{InputField::MaxFlow, "-5"}}, 1},
                    ShapeCase{"IncrementZeroIsOneFoot", {{InputField::Increment, "0"}}, 6},
                    ShapeCase{"LastPossibleRow",
                              {{InputField::Increment, "0.001"}, {InputField::MaxFlow, "184.3"}},
                              1000}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(TableEnd, AFlowEqualToTheMaximumDoesNotEndTheTable) {
  const RatingTable first = Rate(TextsWith());
  ChannelParameters channel = ReadChannelParameters(TextsWith(), ".");
  channel.maxFlow = first.flow[3];
  RatingTable table = CreateRatingTable(channel);
  ComputeRatingTable(channel, table);
  EXPECT_EQ(table.lastRow, 4);
}

TEST(Cascades, BelowOneAreRaisedToOne) {
  // A fall of a thousandth of a foot gives a count far below one in every row.
  const RatingTable t = Rate(TextsWith({{InputField::Fall, "0.001"}}));
  ASSERT_GT(t.lastRow, 1);
  for (int i = 1; i <= t.lastRow; ++i) EXPECT_EQ(t.cascades[i], 1.0F) << "row " << i;
}

TEST(Cascades, ACommaFallGivesTheSameCascadesAsAPointFall) {
  FieldTexts commaTexts = DefaultFieldTexts(",");
  TextOf(commaTexts, InputField::Fall) = "0,5";
  const RatingTable comma = Rate(commaTexts, ",");
  const RatingTable point = Rate(TextsWith({{InputField::Fall, "0.5"}}), ".");
  ASSERT_EQ(comma.lastRow, point.lastRow);
  EXPECT_NEAR(point.cascades[1], 27.83F, 0.005F) << "the fall's fraction counts";
  for (int i = 0; i <= point.lastRow; ++i) EXPECT_EQ(comma.cascades[i], point.cascades[i]) << "row " << i;
}

class Failures : public testing::TestWithParam<FailureCase> {};

// The messages are checked in the message catalogue.
TEST_P(Failures, ReportTheirKind) { EXPECT_FAILURE(Rate(TextsOf(GetParam())), GetParam().kind); }

const auto kCaseName = [](const auto& info) { return std::string(info.param.name); };
INSTANTIATE_TEST_SUITE_P(Conversions, Failures, testing::ValuesIn(ConversionsFailures()), kCaseName);
INSTANTIATE_TEST_SUITE_P(DerivedValues, Failures, testing::ValuesIn(DerivedValuesFailures()), kCaseName);
INSTANTIATE_TEST_SUITE_P(Rows, Failures, testing::ValuesIn(RowsFailures()), kCaseName);
INSTANTIATE_TEST_SUITE_P(NegativeGeometry, Failures, testing::ValuesIn(NegativeGeometryFailures()),
                         kCaseName);

TEST(Failures, FromAComputedRowNameNoField) {
  const auto failure = testing_support::FailureOf([] { Rate(TextsWith({{InputField::Fall, "0"}})); });
  ASSERT_TRUE(failure.has_value());
  EXPECT_FALSE(failure->Field().has_value());
  EXPECT_EQ(failure->Row(), 1);
}

// The wetted perimeter once squared the bank run D Z with pow(D Z, 2). pow is
// not the correctly rounded x * x: about one product in a thousand squares to
// the neighbouring double, and which ones depends on the CPU (glibc picks an
// FMA or a plain pow). The rating now squares with x * x, which IEEE rounds
// the same everywhere. What reaches the rating is the wetted perimeter stored
// as a single; it agrees for every sampled channel, so no output changes.
TEST(Squares, OfTheBankRunStoreTheSameWettedPerimeterAsPow) {
  volatile const double exponent = 2.0;  // keeps the compiler from turning pow into x * x
  const double two = exponent;
  std::mt19937 random(20261208);
  std::uniform_real_distribution<float> depth(0, 200);  // ft
  std::uniform_real_distribution<float> bank(0, 20);    // run per rise
  std::uniform_real_distribution<float> width(0, 500);  // ft
  int squaresDiffer = 0;
  constexpr int kSamples = 2000000;
  for (int k = 0; k < kSamples; ++k) {
    const double D = depth(random);
    const double Z = bank(random);
    const double B = width(random);
    const double run = D * Z;
    const double byPow = std::pow(run, two);
    if (byPow != run * run) ++squaresDiffer;
    const auto perimeter = [&](double square) {
      return static_cast<float>(2.0 * std::sqrt(square + D * D) + B);
    };
    ASSERT_EQ(perimeter(run * run), perimeter(byPow)) << "D " << D << ", Z " << Z << ", B " << B;
  }
  std::cout << "pow(D Z, 2) differs from (D Z) * (D Z) in " << squaresDiffer << " of " << kSamples
            << " channels; the stored wetted perimeter in none\n";
}

}  // namespace
}  // namespace rating
