#include "engine/rating_table.h"

#include <gtest/gtest.h>

#include <functional>
#include <ostream>
#include <string>

#include "engine/failure.h"
#include "engine/rounding.h"

namespace rating {
namespace {

ChannelTexts DefaultTexts() { return {"3000", "50", "2", "110", "5.5", "0.025", "0.0", "0.2"}; }

RatingTable Rate(const ChannelTexts& texts, const char* separator = ".") {
  const ChannelParameters channel = ReadChannelParameters(texts, separator);
  RatingTable table = CreateRatingTable(channel);
  ComputeRatingTable(channel, table);
  return table;
}

RatingTable Rate(const std::function<void(ChannelTexts&)>& edit) {
  ChannelTexts texts = DefaultTexts();
  edit(texts);
  return Rate(texts);
}

TEST(DefaultRating, EndsAtTheFirstRowAboveTheMaximumFlow) {
  const RatingTable t = Rate(DefaultTexts());
  ASSERT_EQ(t.LastRow, 26);
  EXPECT_FLOAT_EQ(t.Elevation[26], 5.2F);
  EXPECT_GT(t.Flow[26], 3000.0F);
  EXPECT_LE(t.Flow[25], 3000.0F);
  EXPECT_EQ(t.Elevation[0], 0.0F);
  EXPECT_EQ(t.Flow[0] + t.Storage[0] + t.Area[0] + t.Cascades[0], 0.0F);
  EXPECT_EQ(t.Flow[27], 0.0F) << "nothing is computed past the last row";
}

// Rows worked by hand from the formulas, each stored quantity rounded to a
// single: elevation, area, flow, storage, cascades.
struct HandRow {
  int row;
  float elevation, area, flow, storage, cascades;
};

TEST(DefaultRating, MatchesRowsWorkedByHand) {
  const RatingTable t = Rate(DefaultTexts());
  for (const HandRow& r :
       {HandRow{1, 0.2F, 10.08F, 12.530770301818848F, 6.720000267028809F, 440.430908203125F},
        HandRow{2, 0.4F, 20.32F, 39.843048095703125F, 13.546667098999023F, 188.780029296875F},
        HandRow{10, 2.0F, 108.0F, 591.5677490234375F, 72.0F, 13.33314037322998F},
        HandRow{26, 5.200000286102295F, 314.08001708984375F, 3032.09814453125F, 209.38668823242188F,
                1.2247049808502197F}}) {
    SCOPED_TRACE(r.row);
    EXPECT_EQ(t.Elevation[r.row], r.elevation);
    EXPECT_EQ(t.Area[r.row], r.area);
    EXPECT_EQ(t.Flow[r.row], r.flow);
    EXPECT_EQ(t.Storage[r.row], r.storage);
    EXPECT_EQ(t.Cascades[r.row], r.cascades);
  }
}

TEST(DefaultRating, RoundsToTheFiguresEngineersKnow) {
  RatingTable t = Rate(DefaultTexts());
  const auto rounded = [&t](int j) {
    return std::vector<float>{t.Elevation[j], MyUSGSformat(t.Area[j]), MyUSGSformat(t.Flow[j]),
                              MyUSGSformat(t.Storage[j]), MyUSGSformat(t.Cascades[j])};
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
  EXPECT_EQ(t.LastRow, GetParam().lastRow);
  for (int i = 1; i <= t.LastRow; ++i) {
    EXPECT_GE(t.Cascades[i], 1.0F) << "row " << i;
    if (i < t.LastRow) {
      EXPECT_LT(t.Flow[i], t.Flow[i + 1]) << "row " << i;
      EXPECT_LT(t.Storage[i], t.Storage[i + 1]) << "row " << i;
    }
  }
}

INSTANTIATE_TEST_SUITE_P(
    Channels, TableShape,
    testing::Values(ShapeCase{"Defaults", [](ChannelTexts&) {}, 26},
                    ShapeCase{"TriangularSection", [](ChannelTexts& t) { t.Width = "0"; }, 59},
                    ShapeCase{"BankZeroComputesAsTwo", [](ChannelTexts& t) { t.Bank = "0"; }, 26},
                    ShapeCase{"MaximumBelowFirstRow", [](ChannelTexts& t) { t.MaxQ = "1"; }, 1},
                    ShapeCase{"NegativeMaximum", [](ChannelTexts& t) { t.MaxQ = "-5"; }, 1},
                    ShapeCase{"IncrementZeroIsOneFoot", [](ChannelTexts& t) { t.Increment = "0"; }, 6},
                    ShapeCase{"LastPossibleRow",
                              [](ChannelTexts& t) {
                                t.Increment = "0.001";
                                t.MaxQ = "184.3";
                              },
                              1000}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(TableEnd, AFlowEqualToTheMaximumDoesNotEndTheTable) {
  const RatingTable first = Rate(DefaultTexts());
  ChannelParameters channel = ReadChannelParameters(DefaultTexts(), ".");
  channel.MaxFlow = first.Flow[3];
  RatingTable table = CreateRatingTable(channel);
  ComputeRatingTable(channel, table);
  EXPECT_EQ(table.LastRow, 4);
}

TEST(Cascades, BelowOneAreRaisedToOne) {
  // A fall of a thousandth of a foot gives a count far below one in every row.
  const RatingTable t = Rate({"3000", "50", "2", "0.001", "5.5", "0.025", "0", "0.2"});
  ASSERT_GT(t.LastRow, 1);
  for (int i = 1; i <= t.LastRow; ++i) EXPECT_EQ(t.Cascades[i], 1.0F) << "row " << i;
}

TEST(Cascades, ACommaFallGivesTheSameCascadesAsAPointFall) {
  const RatingTable comma = Rate({"3000", "50", "2", "0,5", "5,5", "0,025", "0", "0,2"}, ",");
  const RatingTable point = Rate({"3000", "50", "2", "0.5", "5.5", "0.025", "0", "0.2"}, ".");
  ASSERT_EQ(comma.LastRow, point.LastRow);
  EXPECT_NEAR(point.Cascades[1], 27.83F, 0.005F) << "the fall's fraction counts";
  for (int i = 0; i <= point.LastRow; ++i) EXPECT_EQ(comma.Cascades[i], point.Cascades[i]) << "row " << i;
}

// Every failure that ordinary input reaches, with its kind and the message
// that says where it arose.
struct FailureCase {
  const char* name;
  friend void PrintTo(const FailureCase& c, std::ostream* os) { *os << c.name; }
  std::function<void(ChannelTexts&)> edit;
  FailureKind kind;
  std::string message;
};

class Failures : public testing::TestWithParam<FailureCase> {};

TEST_P(Failures, ReportTheirKindAndWhere) {
  const FailureCase& c = GetParam();
  try {
    Rate(c.edit);
    FAIL() << "no failure";
  } catch (const RatingFailure& failure) {
    EXPECT_EQ(failure.Kind(), c.kind);
    EXPECT_EQ(std::string(failure.what()), c.message);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Conversions, Failures,
    testing::Values(
        FailureCase{"EmptyField", [](ChannelTexts& t) { t.Width = ""; }, FailureKind::TypeMismatch,
                    "Type mismatch: Bottom Width (ft) is empty; it needs a number."},
        FailureCase{"MaximumFlowIsReadFirst",
                    [](ChannelTexts& t) { t = {"x", "x", "x", "x", "x", "x", "x", "x"}; },
                    FailureKind::TypeMismatch, "Type mismatch: Maximum Flow (cfs) \"x\" is not a number."},
        FailureCase{"BankBeforeFall",
                    [](ChannelTexts& t) {
                      t.Bank = "2:1";
                      t.Slope = "?";
                    },
                    FailureKind::TypeMismatch, "Type mismatch: Bank Slope run/rise \"2:1\" is not a number."},
        FailureCase{"LengthBeforeN",
                    [](ChannelTexts& t) {
                      t.Length = "5.5 mi";
                      t.N = "n";
                    },
                    FailureKind::TypeMismatch,
                    "Type mismatch: Channel Length (mi) \"5.5 mi\" is not a number."},
        FailureCase{"IncrementIsReadLast", [](ChannelTexts& t) { t.Increment = "0.2ft"; },
                    FailureKind::TypeMismatch,
                    "Type mismatch: Incremental Depth (ft) \"0.2ft\" is not a number."},
        FailureCase{"FieldBeyondSingleRange", [](ChannelTexts& t) { t.Elev = "1e39"; }, FailureKind::Overflow,
                    "Overflow: Invert Elevation (ft) \"1e39\" is beyond the single-precision range (about "
                    "3.4E+38)."}),
    [](const auto& info) { return std::string(info.param.name); });

INSTANTIATE_TEST_SUITE_P(
    DerivedValues, Failures,
    testing::Values(
        FailureCase{"LengthZero", [](ChannelTexts& t) { t.Length = "0"; }, FailureKind::DivisionByZero,
                    "Division by zero: computing the slope = Channel Fall (ft) / channel length: the channel "
                    "length is 0."},
        FailureCase{"LengthAndFallZero",
                    [](ChannelTexts& t) {
                      t.Length = "0";
                      t.Slope = "0";
                    },
                    FailureKind::InvalidArgument,
                    "Invalid argument: computing the slope = Channel Fall (ft) / channel length: the channel "
                    "length is 0."},
        FailureCase{"LengthZeroBeforeNZero",
                    [](ChannelTexts& t) {
                      t.Length = "0";
                      t.N = "0";
                    },
                    FailureKind::DivisionByZero,
                    "Division by zero: computing the slope = Channel Fall (ft) / channel length: the channel "
                    "length is 0."},
        FailureCase{"RoughnessZero", [](ChannelTexts& t) { t.N = "0"; }, FailureKind::DivisionByZero,
                    "Division by zero: computing the Manning factor 1.486 / n: Manning's roughness is 0."},
        FailureCase{"RoughnessTiny", [](ChannelTexts& t) { t.N = "1e-40"; }, FailureKind::Overflow,
                    "Overflow: computing the Manning factor 1.486 / n."},
        FailureCase{"LengthHuge", [](ChannelTexts& t) { t.Length = "1e36"; }, FailureKind::Overflow,
                    "Overflow: computing the channel length in feet."}),
    [](const auto& info) { return std::string(info.param.name); });

INSTANTIATE_TEST_SUITE_P(
    Rows, Failures,
    testing::Values(
        FailureCase{
            "FallZero", [](ChannelTexts& t) { t.Slope = "0"; }, FailureKind::DivisionByZero,
            "Division by zero: row 1, travel time K: two successive rows have equal flow (a fall of 0 "
            "gives no flow)."},
        FailureCase{"DepthBeyondRange",
                    [](ChannelTexts& t) {
                      t.Increment = "1e38";
                      t.MaxQ = "3e38";
                    },
                    FailureKind::Overflow, "Overflow: row 1, flow area."},
        FailureCase{"MaximumNeverReached", [](ChannelTexts& t) { t.MaxQ = "1e30"; },
                    FailureKind::IndexOutOfRange,
                    "Index out of range: the flow did not exceed Maximum Flow (cfs) 1E+30 by row 1000."}),
    [](const auto& info) { return std::string(info.param.name); });

// A negative size is refused where it is typed, before any row, instead of
// failing far from the cause or giving a plausible-looking table.
INSTANTIATE_TEST_SUITE_P(
    NegativeGeometry, Failures,
    testing::Values(
        FailureCase{"Width", [](ChannelTexts& t) { t.Width = "-50"; }, FailureKind::InvalidArgument,
                    "Invalid argument: Bottom Width (ft) -50 must not be negative."},
        FailureCase{"BankSlope", [](ChannelTexts& t) { t.Bank = " -1 "; }, FailureKind::InvalidArgument,
                    "Invalid argument: Bank Slope run/rise -1 must not be negative."},
        FailureCase{"Fall", [](ChannelTexts& t) { t.Slope = "-110"; }, FailureKind::InvalidArgument,
                    "Invalid argument: Channel Fall (ft) -110 must not be negative."},
        FailureCase{"Length", [](ChannelTexts& t) { t.Length = "-5.5"; }, FailureKind::InvalidArgument,
                    "Invalid argument: Channel Length (mi) -5.5 must not be negative."},
        FailureCase{"Roughness", [](ChannelTexts& t) { t.N = "-0.025"; }, FailureKind::InvalidArgument,
                    "Invalid argument: Manning's Roughness -0.025 must not be negative."},
        FailureCase{"Increment", [](ChannelTexts& t) { t.Increment = "-0.2"; }, FailureKind::InvalidArgument,
                    "Invalid argument: Incremental Depth (ft) -0.2 must not be negative."},
        FailureCase{"WidthBeforeFall",
                    [](ChannelTexts& t) {
                      t.Width = "-1";
                      t.Slope = "-1";
                    },
                    FailureKind::InvalidArgument,
                    "Invalid argument: Bottom Width (ft) -1 must not be negative."},
        FailureCase{
            "NegativeZeroIsZero", [](ChannelTexts& t) { t.Slope = "-0"; }, FailureKind::DivisionByZero,
            "Division by zero: row 1, travel time K: two successive rows have equal flow (a fall of 0 "
            "gives no flow)."}),
    [](const auto& info) { return std::string(info.param.name); });

// The fields can no longer give a negative section, but the engine still
// guards its division: bank 0.75 gives a bank length of exactly 1.25 D, so
// P = 2.5 D + B = 0.
TEST(Failures, AZeroWettedPerimeterIsADivisionByZero) {
  ChannelParameters channel = ReadChannelParameters(DefaultTexts(), ".");
  channel.BankSlope = 0.75F;
  channel.Increment = 0.25F;
  channel.BottomWidth = -0.625F;
  RatingTable table = CreateRatingTable(channel);
  try {
    ComputeRatingTable(channel, table);
    FAIL() << "no failure";
  } catch (const RatingFailure& failure) {
    EXPECT_EQ(failure.Kind(), FailureKind::DivisionByZero);
    EXPECT_EQ(std::string(failure.what()), "Division by zero: row 1, flow: the wetted perimeter is 0.");
  }
}

TEST(Failures, FromAComputedRowNameNoField) {
  try {
    Rate([](ChannelTexts& t) { t.Slope = "0"; });
    FAIL() << "no failure";
  } catch (const RatingFailure& failure) {
    EXPECT_FALSE(failure.Field().has_value());
  }
}

}  // namespace
}  // namespace rating
