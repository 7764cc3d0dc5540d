#include "engine/rating_table.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <functional>
#include <ostream>
#include <random>
#include <string>

#include "engine/failure.h"
#include "engine/rounding.h"
#include "tests/engine/failure_cases.h"

namespace rating {
namespace {

RatingTable Rate(const ChannelTexts& texts, const char* separator = ".") {
  const ChannelParameters channel = ReadChannelParameters(texts, separator);
  RatingTable table = CreateRatingTable(channel);
  ComputeRatingTable(channel, table);
  return table;
}

RatingTable Rate(const std::function<void(ChannelTexts&)>& edit) {
  ChannelTexts texts = DefaultChannelTexts();
  edit(texts);
  return Rate(texts);
}

TEST(DefaultRating, EndsAtTheFirstRowAboveTheMaximumFlow) {
  const RatingTable t = Rate(DefaultChannelTexts());
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
  const RatingTable t = Rate(DefaultChannelTexts());
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
  const RatingTable t = Rate(DefaultChannelTexts());
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
  std::function<void(ChannelTexts&)> edit;
  int lastRow;
};

class TableShape : public testing::TestWithParam<ShapeCase> {};

TEST_P(TableShape, EndsWhereTheFlowFirstExceedsTheMaximum) {
  const RatingTable t = Rate(GetParam().edit);
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
    testing::Values(ShapeCase{"Defaults", [](ChannelTexts&) {}, 26},
                    ShapeCase{"TriangularSection", [](ChannelTexts& t) { t.bottomWidth = "0"; }, 59},
                    ShapeCase{"BankZeroComputesAsTwo", [](ChannelTexts& t) { t.bankSlope = "0"; }, 26},
                    ShapeCase{"MaximumBelowFirstRow", [](ChannelTexts& t) { t.maxFlow = "1"; }, 1},
                    ShapeCase{"NegativeMaximum", [](ChannelTexts& t) { t.maxFlow = "-5"; }, 1},
                    ShapeCase{"IncrementZeroIsOneFoot", [](ChannelTexts& t) { t.increment = "0"; }, 6},
                    ShapeCase{"LastPossibleRow",
                              [](ChannelTexts& t) {
                                t.increment = "0.001";
                                t.maxFlow = "184.3";
                              },
                              1000}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(TableEnd, AFlowEqualToTheMaximumDoesNotEndTheTable) {
  const RatingTable first = Rate(DefaultChannelTexts());
  ChannelParameters channel = ReadChannelParameters(DefaultChannelTexts(), ".");
  channel.maxFlow = first.flow[3];
  RatingTable table = CreateRatingTable(channel);
  ComputeRatingTable(channel, table);
  EXPECT_EQ(table.lastRow, 4);
}

TEST(Cascades, BelowOneAreRaisedToOne) {
  // A fall of a thousandth of a foot gives a count far below one in every row.
  const RatingTable t = Rate({"3000", "50", "2", "0.001", "5.5", "0.025", "0", "0.2"});
  ASSERT_GT(t.lastRow, 1);
  for (int i = 1; i <= t.lastRow; ++i) EXPECT_EQ(t.cascades[i], 1.0F) << "row " << i;
}

TEST(Cascades, ACommaFallGivesTheSameCascadesAsAPointFall) {
  const RatingTable comma = Rate({"3000", "50", "2", "0,5", "5,5", "0,025", "0", "0,2"}, ",");
  const RatingTable point = Rate({"3000", "50", "2", "0.5", "5.5", "0.025", "0", "0.2"}, ".");
  ASSERT_EQ(comma.lastRow, point.lastRow);
  EXPECT_NEAR(point.cascades[1], 27.83F, 0.005F) << "the fall's fraction counts";
  for (int i = 0; i <= point.lastRow; ++i) EXPECT_EQ(comma.cascades[i], point.cascades[i]) << "row " << i;
}

class Failures : public testing::TestWithParam<FailureCase> {};

// The messages are checked in the message catalogue.
TEST_P(Failures, ReportTheirKind) {
  const FailureCase& c = GetParam();
  try {
    Rate(c.edit);
    FAIL() << "no failure";
  } catch (const RatingFailure& failure) {
    EXPECT_EQ(failure.Kind(), c.kind);
  }
}

const auto kCaseName = [](const auto& info) { return std::string(info.param.name); };
INSTANTIATE_TEST_SUITE_P(Conversions, Failures, testing::ValuesIn(ConversionsFailures()), kCaseName);
INSTANTIATE_TEST_SUITE_P(DerivedValues, Failures, testing::ValuesIn(DerivedValuesFailures()), kCaseName);
INSTANTIATE_TEST_SUITE_P(Rows, Failures, testing::ValuesIn(RowsFailures()), kCaseName);
INSTANTIATE_TEST_SUITE_P(NegativeGeometry, Failures, testing::ValuesIn(NegativeGeometryFailures()),
                         kCaseName);

// The fields can no longer give a negative section, but the engine still
// guards its division: bank 0.75 gives a bank length of exactly 1.25 D, so
// P = 2.5 D + B = 0.
TEST(Failures, AZeroWettedPerimeterIsADivisionByZero) {
  ChannelParameters channel = ReadChannelParameters(DefaultChannelTexts(), ".");
  channel.bankSlope = 0.75F;
  channel.increment = 0.25F;
  channel.bottomWidth = -0.625F;
  RatingTable table = CreateRatingTable(channel);
  try {
    ComputeRatingTable(channel, table);
    FAIL() << "no failure";
  } catch (const RatingFailure& failure) {
    EXPECT_EQ(failure.Kind(), FailureKind::DivisionByZero);
  }
}

TEST(Failures, FromAComputedRowNameNoField) {
  try {
    Rate([](ChannelTexts& t) { t.fall = "0"; });
    FAIL() << "no failure";
  } catch (const RatingFailure& failure) {
    EXPECT_FALSE(failure.Field().has_value());
  }
}

// The wetted perimeter squares the bank run D Z as a product; the rating has
// always used pow(D Z, 2). Both are correctly rounded here, so they agree for
// every product of two singles, from tiny to huge, as this sweep confirms.
TEST(Squares, OfAProductOfSinglesEqualPowTwo) {
  std::mt19937 random(20261208);
  std::uniform_int_distribution<std::uint32_t> bits(0, 0x7F7FFFFF);  // finite non-negative singles
  std::uniform_real_distribution<float> depth(0, 200);               // ft
  std::uniform_real_distribution<float> bank(0, 20);                 // run per rise
  int checked = 0;
  for (int k = 0; k < 400000; ++k) {
    // Every other pair lies where channels do; the rest anywhere.
    const bool ordinary = k % 2 == 0;
    const float d = ordinary ? depth(random) : std::bit_cast<float>(bits(random));
    const float z = ordinary ? bank(random) : std::bit_cast<float>(bits(random));
    const double run = static_cast<double>(d) * z;
    if (std::isinf(run * run)) continue;
    ASSERT_EQ(std::pow(run, 2.0), run * run) << "D " << d << ", Z " << z;
    ++checked;
  }
  EXPECT_GT(checked, 250000);
}

}  // namespace
}  // namespace rating
