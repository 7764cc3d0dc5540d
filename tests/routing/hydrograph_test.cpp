#include "routing/hydrograph.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/failure.h"
#include "tests/support/failure_assertions.h"

namespace rating::routing {
namespace {

// A hydrograph table, as a spreadsheet saves or copies it, and what is read.
struct ReadCase {
  const char* name;
  std::string text;
  const char* userSeparator;
  std::vector<double> flow;        // cfs
  std::optional<double> timeStep;  // s
  std::vector<std::string> stamps;
  UnitSystem units = UnitSystem::UsCustomary;  // chosen
};

void PrintTo(const ReadCase& row, std::ostream* out) { *out << row.name; }

class Hydrographs : public testing::TestWithParam<ReadCase> {};

TEST_P(Hydrographs, AreReadAsSpreadsheetsWriteThem) {
  const Hydrograph read = ReadHydrograph(GetParam().text, GetParam().userSeparator, GetParam().units);
  EXPECT_EQ(read.flow, GetParam().flow);
  ASSERT_EQ(read.timeStep.has_value(), GetParam().timeStep.has_value());
  if (read.timeStep) {
    EXPECT_NEAR(*read.timeStep, *GetParam().timeStep, 1e-6);
  }
  EXPECT_EQ(read.stamps, GetParam().stamps);
}

INSTANTIATE_TEST_SUITE_P(
    Tables, Hydrographs,
    testing::Values(
        ReadCase{"OneColumn", "Inflow (cfs)\n100\n150.5\n\n200\n", ".", {100, 150.5, 200}, std::nullopt, {}},
        ReadCase{"DecimalHours",
                 "Time (h),Flow\r\n0,100\r\n0.1,150\r\n0.2,120\r\n0.3,100\r\n",
                 ".",
                 {100, 150, 120, 100},
                 360,
                 {}},
        ReadCase{
            "HoursAndMinutes", "time,flow\n23:45,100\n24:00,200\n24:15,150\n", ".", {100, 200, 150}, 900, {}},
        ReadCase{"DatesAndTimes",
                 "When,Q\n2026-05-01 23:30,100\n2026-05-02T00:00,200\n\"2026-05-02 00:30:00\",150\n",
                 ".",
                 {100, 200, 150},
                 1800,
                 {"2026-05-01 23:30", "2026-05-02T00:00", "2026-05-02 00:30:00"}},
        ReadCase{
            "GermanSemicolons", "Zeit;Abfluss\n0;100,5\n0,5;200\n1;150\n", ",", {100.5, 200, 150}, 1800, {}},
        ReadCase{"PastedColumnWithoutHeader", "100\n120\n", ".", {100, 120}, std::nullopt, {}},
        ReadCase{"PastedColumnsCommaLocale", "0\t100,5\n1\t200\n", ",", {100.5, 200}, 3600, {}},
        ReadCase{
            "QuotedHeader", "\"Flow (cfs, observed)\"\n100\n\"200\"\n", ".", {100, 200}, std::nullopt, {}},
        // A header naming the units chosen, or none, is read in them.
        ReadCase{
            "CubicMetresInSi", "Time (h),Flow (m3/s)\n0,1.5\n1,2\n", ".", {1.5, 2}, 3600, {}, UnitSystem::Si},
        ReadCase{"NoUnitsInSi", "flow\n3\n4\n", ".", {3, 4}, std::nullopt, {}, UnitSystem::Si},
        ReadCase{"CfsInUs", "Time (h),Inflow (CFS)\n0,3\n1,4\n", ".", {3, 4}, 3600, {}}),
    [](const testing::TestParamInfo<ReadCase>& info) { return std::string(info.param.name); });

// A table that cannot be one, and the row and reason the message names.
struct BadCase {
  const char* name;
  std::string text;
  const char* message;
  UnitSystem units = UnitSystem::UsCustomary;  // chosen
};

void PrintTo(const BadCase& row, std::ostream* out) { *out << row.name; }

class BadHydrographs : public testing::TestWithParam<BadCase> {};

TEST_P(BadHydrographs, NameTheRow) {
  EXPECT_FAILURE_MSG(ReadHydrograph(GetParam().text, ".", GetParam().units), FailureKind::TypeMismatch,
                     GetParam().message);
}

INSTANTIATE_TEST_SUITE_P(
    Tables, BadHydrographs,
    testing::Values(
        BadCase{"Empty", "", "Cannot route: the inflow hydrograph needs at least two ordinates."},
        BadCase{"NotANumber", "flow\n100\nlots\n", "Cannot route: row 3: \"lots\" is not a flow in cfs."},
        BadCase{"Negative", "flow\n100\n-5\n", "Cannot route: row 3: the inflow -5 cfs is negative."},
        BadCase{
            "CommaDecimalInACommaFile", "time,flow\n0,100\n1,2,5\n",
            "Cannot route: row 3: 3 cells; a hydrograph row holds the flow, or the time and then the flow."},
        BadCase{
            "NotATime", "time,flow\n0,100\nnoon,200\n",
            "Cannot route: row 3: \"noon\" is not a time; write hours (1.5), hours and minutes (30:15) or a "
            "date and time (2026-05-01 06:00)."},
        BadCase{
            "NoSuchDay", "time,flow\n2026-02-30 00:00,100\n",
            "Cannot route: row 2: \"2026-02-30 00:00\" is not a time; write hours (1.5), hours and minutes "
            "(30:15) or a date and time (2026-05-01 06:00)."},
        BadCase{"GoingBack", "time,flow\n1,100\n0.5,200\n",
                "Cannot route: row 3: the time 0.5 does not come after the row before."},
        BadCase{
            "OneCellOfTwo", "time,flow\n0,100\n200\n",
            "Cannot route: row 3: 1 cell; a hydrograph row holds the flow, or the time and then the flow."},
        BadCase{"QuoteNeverClosed", "flow\n100\n\"200\n300\n",
                "Cannot route: row 3: a quoted cell that starts on this line is never closed."},
        BadCase{"Uneven", "time,flow\n0,100\n1,200\n2,150\n3.5,100\n",
                "Cannot route: row 5: the time 3.5 comes 1.5 h after the row before, where the rows are 1 h "
                "apart; the times must be evenly spaced."},
        BadCase{"CfsWhereSi", "Time (h),Flow (cfs)\n0,100\n1,200\n",
                "Cannot route: row 1: the header names cfs, a unit of US customary, but the units chosen are "
                "SI; choose US customary, or give the table in SI units.",
                UnitSystem::Si},
        BadCase{"CubicMetresWhereUs", "Time (h);Inflow [m\u00b3/s]\n0;1\n1;2\n",
                "Cannot route: row 1: the header names m\u00b3/s, a unit of SI, but the units chosen are US "
                "customary; choose SI, or give the table in US customary units."},
        BadCase{"NotAFlowInSi", "flow\n100\nlots\n", "Cannot route: row 3: \"lots\" is not a flow in m3/s.",
                UnitSystem::Si}),
    [](const testing::TestParamInfo<BadCase>& info) { return std::string(info.param.name); });

// Storage-outflow tables: this program's paired data, a reservoir's with
// several pairs of no outflow, and one saved where the decimal mark is a comma.
TEST(StorageOutflowTables, AreReadAsSpreadsheetsWriteThem) {
  const auto read = [](std::string_view text, std::string_view separator) {
    std::vector<std::pair<double, double>> pairs;
    for (const StorageOutflowPair& pair : ReadStorageOutflow(text, separator)) {
      pairs.emplace_back(pair.storage, pair.outflow);
    }
    return pairs;
  };
  using Pairs = std::vector<std::pair<double, double>>;
  EXPECT_EQ(read("Storage (acre-ft),Outflow (cfs)\r\n0,0\r\n6.72,12.5\r\n", "."),
            (Pairs{{0, 0}, {6.72, 12.5}}));
  EXPECT_EQ(read("storage,outflow\n0,0\n5,0\n9,0\n12,40\n", "."), (Pairs{{0, 0}, {5, 0}, {9, 0}, {12, 40}}));
  EXPECT_EQ(read("Speicher;Abfluss\n0;0\n2,5;10,25\n", ","), (Pairs{{0, 0}, {2.5, 10.25}}));
}

class BadStorageOutflow : public testing::TestWithParam<BadCase> {};

TEST_P(BadStorageOutflow, NameTheRow) {
  EXPECT_FAILURE_MSG(ReadStorageOutflow(GetParam().text, ".", GetParam().units), FailureKind::TypeMismatch,
                     GetParam().message);
}

INSTANTIATE_TEST_SUITE_P(
    Tables, BadStorageOutflow,
    testing::Values(
        BadCase{"ThreeCells", "s,o\n0,0\n1,2,3\n",
                "Cannot route: row 3: 3 cells; a storage-outflow row holds the storage (acre-ft), then the "
                "outflow "
                "(cfs)."},
        BadCase{"NotANumber", "s,o\n0,0\nfull,20\n",
                "Cannot route: row 3: \"full\" is not a storage or a flow of 0 or more."},
        BadCase{"NegativeOutflow", "s,o\n0,-1\n",
                "Cannot route: row 2: \"-1\" is not a storage or a flow of 0 or more."},
        BadCase{
            "StorageRepeated", "s,o\n0,0\n5,10\n\n5,20\n",
            "Cannot route: row 5: storage 5 acre-ft is not above the 5 acre-ft of the row before; storage "
            "must increase."},
        BadCase{
            "OutflowFalling", "s,o\n0,0\n5,10\n6,9.5\n",
            "Cannot route: row 4: outflow 9.5 cfs is below the 10 cfs of the row before; outflow must not "
            "decrease."},
        BadCase{"AcreFeetWhereSi", "Storage (acre-ft),Outflow (cfs)\r\n0,0\r\n",
                "Cannot route: row 1: the header names acre-ft, a unit of US customary, but the units chosen "
                "are SI; choose US customary, or give the table in SI units.",
                UnitSystem::Si},
        BadCase{"ThousandsOfCubicMetresWhereUs", "Storage (1000 m3),Outflow (m3/s)\r\n0,0\r\n",
                "Cannot route: row 1: the header names m3, a unit of SI, but the units chosen are US "
                "customary; choose SI, or give the table in US customary units."},
        BadCase{"StorageRepeatedInSi", "Storage (1000 m3),Outflow (m3/s)\n0,0\n5,10\n5,20\n",
                "Cannot route: row 4: storage 5 1000 m3 is not above the 5 1000 m3 of the row before; "
                "storage must increase.",
                UnitSystem::Si}),
    [](const testing::TestParamInfo<BadCase>& info) { return std::string(info.param.name); });

// Subreaches as typed: whole numbers from 1 to 1000 and nothing else.
TEST(Subreaches, AreWholeNumbersFromOneToAThousand) {
  for (const auto& [text, count] : {std::pair<const char*, std::optional<int>>{"1", 1},
                                    {"20", 20},
                                    {"1000", 1000},
                                    {"0", std::nullopt},
                                    {"1001", std::nullopt},
                                    {"-2", std::nullopt},
                                    {"4.5", std::nullopt},
                                    {"4 ", std::nullopt},
                                    {"", std::nullopt},
                                    {"99999999999", std::nullopt}}) {
    EXPECT_EQ(ParseSubreaches(text), count) << '"' << text << '"';
  }
}

TEST(Flows, AreTypedWithTheUsersDecimalMark) {
  EXPECT_EQ(ParseFlow(" 12.5 ", "."), 12.5);
  EXPECT_EQ(ParseFlow("12,5", ","), 12.5);
  EXPECT_EQ(ParseFlow("1e3", "."), 1000);
  EXPECT_EQ(ParseFlow("12,5", "."), std::nullopt);
  EXPECT_EQ(ParseFlow("12.5", ","), std::nullopt);
  EXPECT_EQ(ParseFlow("lots", "."), std::nullopt);
  EXPECT_EQ(ParseFlow("inf", "."), std::nullopt);
}

struct DurationCase {
  const char* text;
  std::optional<double> seconds;
};

TEST(Durations, AreWrittenWithTheirUnit) {
  for (const DurationCase& duration :
       {DurationCase{"90s", 90}, DurationCase{"15min", 900}, DurationCase{"1h", 3600},
        DurationCase{"0.25 h", 900}, DurationCase{"15", std::nullopt}, DurationCase{"0min", std::nullopt},
        DurationCase{"-1h", std::nullopt}, DurationCase{"1 day", std::nullopt}}) {
    EXPECT_EQ(ParseDuration(duration.text), duration.seconds) << duration.text;
  }
}

}  // namespace
}  // namespace rating::routing
