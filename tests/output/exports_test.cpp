#include "output/exports.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "output/reach_description.h"
#include "tests/support/field_texts.h"

namespace rating {
namespace {

std::string ReadGolden(const std::string& name) {
  std::ifstream in(std::filesystem::path(RATING_GOLDEN_DIR) / name, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

struct DefaultRun {
  ChannelParameters channel = ReadChannelParameters(DefaultFieldTexts("."), ".");
  RatingTable table = CreateRatingTable(channel);
  std::vector<RatingFileRow> fileRows;
  std::vector<ListingRow> listed;
  DefaultRun() {
    ComputeRatingTable(channel, table);
    for (int j = 0; j <= table.lastRow; ++j) {
      fileRows.push_back(RatingFileRowOf(table, j));
      listed.push_back(ListingRowOf(fileRows.back(), table.area.at(static_cast<std::size_t>(j)), j));
    }
  }
};

// Both goldens were checked against default.RAT and the listing: the paired
// data are the file's storage and flow columns, the CSV's last six columns
// the listing's.
TEST(Exports, DefaultReachMatchesTheGoldenFiles) {
  const DefaultRun run;
  EXPECT_EQ(RatingTableCsv(run.table, run.listed, UnitSystem::UsCustomary), ReadGolden("default.csv"));
  const StorageOutflow pairs = StorageOutflowCsv(run.fileRows, UnitSystem::UsCustomary);
  EXPECT_EQ(pairs.csv, ReadGolden("default-paired.csv"));
  EXPECT_TRUE(pairs.leftOut.empty());
}

// Every export's header, and the listing's, names the units of its system.
TEST(Exports, HeadersNameTheUnitsOfTheirSystem) {
  const DefaultRun run;
  const auto firstLine = [](const std::string& text) { return text.substr(0, text.find_first_of("\r\n")); };
  struct Header {
    UnitSystem units;
    std::string table, pairs, copied, listing;
  };
  for (const Header& expected :
       {Header{UnitSystem::UsCustomary,
               "Depth (ft),Elevation (ft),Area (sq ft),Velocity (ft/s),Flow (cfs),Storage (acre-ft),Cascades",
               "Storage (acre-ft),Outflow (cfs)",
               "Elev (ft)\tArea (ft^2)\tVelocity (ft/s)\tFlow (cfs)\tStorage (acft)\tCascades (N)",
               "(ft)     (ft^2)   (ft/s)   (cfs)    (acft)   (N)"},
        Header{UnitSystem::Si,
               "Depth (m),Elevation (m),Area (m2),Velocity (m/s),Flow (m3/s),Storage (1000 m3),Cascades",
               "Storage (1000 m3),Outflow (m3/s)",
               "Elev (m)\tArea (m^2)\tVelocity (m/s)\tFlow (m3/s)\tStorage (1000m3)\tCascades (N)",
               "(m)      (m^2)    (m/s)    (m3/s)   (1000m3) (N)"}}) {
    EXPECT_EQ(firstLine(RatingTableCsv(run.table, run.listed, expected.units)), expected.table);
    EXPECT_EQ(firstLine(StorageOutflowCsv(run.fileRows, expected.units).csv), expected.pairs);
    EXPECT_EQ(firstLine(TabSeparatedTable(run.listed, ".", expected.units)), expected.copied);
    EXPECT_EQ(ListingHeadings(expected.units)[1], expected.listing);
  }
  EXPECT_EQ(kSiListingHeadings[1].size(), kListingHeadings[1].size())
      << "the units stand under their columns";
}

struct PairsCase {
  const char* name;
  std::vector<RatingFileRow> rows;  // elevation, flow, storage, cascades
  std::string csvRows;              // after the header
  std::vector<int> leftOut;
};

class PairedData : public testing::TestWithParam<PairsCase> {};

TEST_P(PairedData, StayStrictlyIncreasingAndReachTheTopOfTheTable) {
  const PairsCase& c = GetParam();
  const StorageOutflow pairs = StorageOutflowCsv(c.rows, UnitSystem::UsCustomary);
  EXPECT_EQ(pairs.csv, "Storage (acre-ft),Outflow (cfs)\r\n" + c.csvRows);
  EXPECT_EQ(pairs.leftOut, c.leftOut);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, PairedData,
    testing::Values(
        PairsCase{
            "AllIncreasing", {{0, 0, 0, 0}, {1, 10, 2, 5}, {2, 30, 4, 5}}, "0,0\r\n2,10\r\n4,30\r\n", {}},
        PairsCase{"EqualStorageAtTheTopKeepsTheLastRow",
                  {{0, 0, 0, 0}, {1, 2970, 207, 5}, {2, 2990, 208, 5}, {3, 3010, 208, 5}},
                  "0,0\r\n207,2970\r\n208,3010\r\n",
                  {2}},
        PairsCase{"EqualRoundedOutflowKeepsTheGreaterStorage",
                  {{0, 0, 0, 0}, {1, 1000, 50, 5}, {2, 1000, 51, 5}, {3, 1010, 52, 5}},
                  "0,0\r\n51,1000\r\n52,1010\r\n",
                  {1}},
        PairsCase{"ComparedWithTheLastKeptRowAbove",
                  {{0, 0, 0, 0}, {1, 1000, 50, 5}, {2, 1000, 51, 5}, {3, 990, 52, 5}, {4, 1010, 53, 5}},
                  "0,0\r\n52,990\r\n53,1010\r\n",
                  {1, 2}},
        PairsCase{"ARowOfZeros", {{0, 0, 0, 0}, {1, 0, 0, 1}}, "0,0\r\n", {1}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(TabSeparatedTable, HasOneHeaderRowAndEveryValueInFull) {
  const std::vector<ListingRow> rows = {
      {0.2F, 10.1F, 1.24F, 12.5F, 6.72F, 440},
      {-0.1234567F, -1.5E+07F, 0, 3030, 209, 1.22F},  // a value wider than its nine-character column
  };
  EXPECT_EQ(TabSeparatedTable(rows, ".", UnitSystem::UsCustomary),
            "Elev (ft)\tArea (ft^2)\tVelocity (ft/s)\tFlow (cfs)\tStorage (acft)\tCascades (N)\n"
            "0.2\t10.1\t1.24\t12.5\t6.72\t440\n"
            "-0.1234567\t-1.5E+07\t0\t3030\t209\t1.22\n");
}

TEST(ReachDescription, SaysTheReachInWordsWithUnits) {
  ChannelParameters channel =
      ReadChannelParameters(testing_support::TextsWith({{InputField::BankSlope, "0"},
                                                        {InputField::Length, "5,5"},
                                                        {InputField::Roughness, "0,025"},
                                                        {InputField::Invert, "0"},
                                                        {InputField::Increment, "0,2"}}),
                            ",");
  EXPECT_EQ(ReachDescription(channel, ","),
            "Bottom width 50 ft, side slopes 2:1, fall 110 ft over 5,5 mi, n = 0,025")
      << "a bank slope typed as 0 is computed, and described, as 2:1";
  channel.bottomWidth = 0;
  channel.bankSlope = 1.5F;
  EXPECT_EQ(ReachDescription(channel, "."),
            "Bottom width 0 ft, side slopes 1.5:1, fall 110 ft over 5.5 mi, n = 0.025");
}

}  // namespace
}  // namespace rating
