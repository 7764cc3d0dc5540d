#include "engine/rating_table.h"

#include <gtest/gtest.h>

#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <ostream>
#include <random>
#include <string>

#include "engine/failure.h"
#include "engine/rounding.h"
#include "tests/engine/failure_cases.h"
#include "tests/support/bits.h"
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

// A failure in a computed row blames one field, by one rule: a fall of 0
// the fall, an overflow the field whose value overflowed, a depth step too
// small to change the flow the increment.
struct RowBlameCase {
  const char* name;
  std::vector<testing_support::FieldEdit> edits;
  InputField blamed;
  const char* message;
};

void PrintTo(const RowBlameCase& row, std::ostream* out) { *out << row.name; }

class RowFailures : public testing::TestWithParam<RowBlameCase> {};

TEST_P(RowFailures, NameTheFieldThatCausedThem) {
  const auto failure = testing_support::FailureOf([] { Rate(TextsWith(GetParam().edits)); });
  ASSERT_TRUE(failure.has_value());
  EXPECT_EQ(failure->Field(), GetParam().blamed);
  EXPECT_EQ(failure->Row(), 1);
  EXPECT_EQ(std::string(failure->what()), GetParam().message);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, RowFailures,
    testing::Values(
        RowBlameCase{
            "FallZero",
            {{InputField::Fall, "0"}},
            InputField::Fall,
            "Division by zero: row 1, travel time K: two successive rows have equal flow (a fall of 0 "
            "gives no flow); Channel Fall (ft) is 0."},
        RowBlameCase{"StepTooSmall",
                     {{InputField::Increment, "1e-30"}},
                     InputField::Increment,
                     "Division by zero: row 1, travel time K: the depth step is too small to change the flow "
                     "from one row to the next; Incremental Depth (ft) is 1E-30."},
        RowBlameCase{"HugeWidth",
                     {{InputField::BottomWidth, "3e38"}},
                     InputField::BottomWidth,
                     "Overflow: row 1, volume: caused by Bottom Width (ft) 3E+38."},
        RowBlameCase{"HugeLength",
                     {{InputField::Length, "1e30"}},
                     InputField::Length,
                     "Overflow: row 1, travel time K: caused by Channel Length (mi) 1E+30."},
        RowBlameCase{"HugeIncrement",
                     {{InputField::Increment, "1e20"}},
                     InputField::Increment,
                     "Overflow: row 1, flow area: caused by Incremental Depth (ft) 1E+20."},
        RowBlameCase{"HugeBankSlope",
                     {{InputField::BankSlope, "3e38"}},
                     InputField::BankSlope,
                     "Overflow: row 1, volume: caused by Bank Slope run/rise 3E+38."},
        RowBlameCase{"HugeFall",
                     {{InputField::Fall, "3e38"}},
                     InputField::Fall,
                     "Overflow: row 1, cascades: caused by Channel Fall (ft) 3E+38."},
        RowBlameCase{"HugeInvert",
                     {{InputField::Invert, "3.4e38"}, {InputField::Increment, "1e37"}},
                     InputField::Invert,
                     "Overflow: row 1, water-surface elevation: caused by Invert Elevation (ft) 3.4E+38."},
        RowBlameCase{"TheMoreExtremeOfTwo",
                     {{InputField::BottomWidth, "1e30"}, {InputField::Increment, "1e25"}},
                     InputField::BottomWidth,
                     "Overflow: row 1, flow area: caused by Bottom Width (ft) 1E+30."}),
    [](const testing::TestParamInfo<RowBlameCase>& info) { return std::string(info.param.name); });

// The flows of 200 channels with steep and shallow banks, whose wetted
// perimeters square long bank runs, as the table stores them: the same
// singles on every system, here and under Windows alike. After a deliberate
// change, run with RATING_UPDATE_GOLDEN=1 to write the file anew.
TEST(Flows, OfSampledChannelsMatchTheReviewedSingles) {
  std::mt19937 random(20261208);
  std::uniform_real_distribution<float> bank(0, 20);     // run per rise
  std::uniform_real_distribution<float> width(0, 500);   // ft
  std::uniform_real_distribution<float> step(0.05F, 2);  // ft
  std::string flows;
  for (int k = 0; k < 200; ++k) {
    ChannelParameters channel = ReadChannelParameters(TextsWith(), ".");
    channel.bankSlope = bank(random);
    channel.bottomWidth = width(random);
    channel.increment = step(random);
    channel.maxFlow = 50000;
    RatingTable table = CreateRatingTable(channel);
    ComputeRatingTable(channel, table);
    for (const int row : {1, table.lastRow / 2, static_cast<int>(table.lastRow)}) {
      // The single's bits, so that no C library's printing comes between.
      std::array<char, 16> text{};
      const auto bits = testing_support::BitsAs<std::uint32_t>(table.flow[static_cast<std::size_t>(row)]);
      flows.append(text.data(), std::to_chars(text.data(), text.data() + text.size(), bits, 16).ptr)
          .append(" ");
    }
    flows += "\n";
  }
  const std::filesystem::path golden = std::filesystem::path(RATING_GOLDEN_DIR) / "sampled-flows.txt";
  if (std::getenv("RATING_UPDATE_GOLDEN") != nullptr) {
    std::ofstream(golden, std::ios::binary) << flows;
    GTEST_SKIP() << "wrote " << golden;
  }
  std::ifstream in(golden, std::ios::binary);
  EXPECT_EQ(flows, std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()));
}

}  // namespace
}  // namespace rating
