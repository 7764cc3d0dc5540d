#include "output/listing.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/failure.h"
#include "output/rating_file.h"

namespace rating {
namespace {

RatingTable DefaultTable() {
  const ChannelParameters channel = ReadChannelParameters(DefaultFieldTexts("."), ".");
  RatingTable table = CreateRatingTable(channel);
  ComputeRatingTable(channel, table);
  return table;
}

// The six fields of a listing line, each checked to start on its column.
std::vector<std::string> Fields(const std::string& line) {
  EXPECT_EQ(line.size(), 6 * kListingFieldWidth) << '"' << line << '"';
  std::vector<std::string> fields;
  for (std::size_t start = 0; start < line.size(); start += kListingFieldWidth) {
    std::string field = line.substr(start, kListingFieldWidth);
    EXPECT_NE(field[0], ' ') << "field at column " << start << " of \"" << line << '"';
    field.erase(field.find_last_not_of(' ') + 1);
    fields.push_back(field);
  }
  return fields;
}

// The listing line of row `row`, from the line the rating file carries.
std::string ListAfterFile(const RatingTable& table, int row, const char* separator) {
  const auto j = static_cast<std::size_t>(row);
  return FormatListingRow(ListingRowOf(RatingFileRowOf(table, row), table.area[j], row), separator);
}

TEST(Listing, HeadingWordsStartOnTheFieldColumns) {
  for (const std::string_view heading : kListingHeadings) {
    for (std::size_t column = 0; column < 6 * kListingFieldWidth; column += kListingFieldWidth) {
      EXPECT_NE(heading[column], ' ') << heading << " at " << column;
      if (column > 0) {
        EXPECT_EQ(heading[column - 1], ' ') << heading << " at " << column;
      }
    }
  }
}

TEST(Listing, DefaultRowsCarryAreaAndVelocity) {
  RatingTable table = DefaultTable();
  EXPECT_EQ(Fields(ListAfterFile(table, 0, ".")), (std::vector<std::string>{"0", "0", "0", "0", "0", "0"}));
  EXPECT_EQ(Fields(ListAfterFile(table, 1, ".")),
            (std::vector<std::string>{"0.2", "10.1", "1.24", "12.5", "6.72", "440"}));
  EXPECT_EQ(Fields(ListAfterFile(table, 26, ".")),
            (std::vector<std::string>{"5.2", "314", "9.65", "3030", "209", "1.22"}));
  EXPECT_EQ(table.area[1], 10.08F) << "listing leaves the computed area as it was";
}

TEST(Listing, CommaLocale) {
  RatingTable table = DefaultTable();
  EXPECT_EQ(Fields(ListAfterFile(table, 1, ",")),
            (std::vector<std::string>{"0,2", "10,1", "1,24", "12,5", "6,72", "440"}));
}

TEST(Listing, VelocityIsTheRoundedFlowOverTheUnroundedArea) {
  RatingTable table;
  table.lastRow = 1;
  table.area[1] = 10.04F;                                      // listed as 10
  table.flow[1] = 12.54F;                                      // the file rounds it to 12.5 first
  EXPECT_EQ(Fields(ListAfterFile(table, 1, "."))[2], "1.25");  // 12.5 / 10.04, not 12.54 / 10.04 = 1.249
}

TEST(Listing, NonPositiveAreaHasNoVelocity) {
  RatingTable table;
  table.lastRow = 1;
  table.area[1] = -3.0F;
  table.flow[1] = 6.0F;
  EXPECT_EQ(Fields(ListAfterFile(table, 1, "."))[2], "0");
}

TEST(Listing, ATieRoundedByTheFileIsRoundedAgain) {
  RatingTable table;
  table.lastRow = 1;
  table.area[1] = 1.0F;
  table.flow[1] = 9.949999F;  // the file shows 9.95, the list 10
  table.storage[1] = 0.99499F;
  table.cascades[1] = 0.09949F;
  const std::vector<std::string> fields = Fields(ListAfterFile(table, 1, "."));
  EXPECT_EQ(fields[3], "10");
  EXPECT_EQ(fields[4], "1");
  EXPECT_EQ(fields[5], "0.1");
}

// One value in the listing's first column, as typed and as listed.
struct CutCase {
  const char* name;
  float value;
  const char* separator;
  const char* listed;  // the nine characters of its column
};

void PrintTo(const CutCase& row, std::ostream* out) { *out << row.name; }

class ListingCuts : public testing::TestWithParam<CutCase> {};

TEST_P(ListingCuts, KeepTheMagnitudeOfEveryValue) {
  const std::string line = FormatListingRow(ListingRow{.elevation = GetParam().value}, GetParam().separator);
  EXPECT_EQ(line.size(), 54U);
  EXPECT_EQ(line.substr(0, 9), GetParam().listed);
}

INSTANTIATE_TEST_SUITE_P(Values, ListingCuts,
                         testing::Values(CutCase{"ShortStaysPadded", 0.2F, ".", "0.2      "},
                                         CutCase{"NegativeCutInItsDigits", -0.1234567F, ".", "-0.123456"},
                                         CutCase{"SevenDigitsFit", 9999999.0F, ".", "9999999  "},
                                         CutCase{"ShortExponentStays", 1e-5F, ".", "1E-05    "},
                                         CutCase{"ExponentFitsExactly", 1.5e10F, ".", "1.5E+10  "},
                                         CutCase{"LongMantissaShortened", 1.735274e10F, ".", "1.735E+10"},
                                         CutCase{"CommaMantissaShortened", 1.735274e10F, ",", "1,735E+10"},
                                         CutCase{"NegativeExponent", -1.735274e10F, ".", "-1.73E+10"},
                                         CutCase{"SmallExponent", 1.234568e-5F, ".", "1.234E-05"},
                                         CutCase{"LargestSingle", 3.4028235e38F, ".", "3.402E+38"}),
                         [](const testing::TestParamInfo<CutCase>& info) {
                           return std::string(info.param.name);
                         });

TEST(Listing, RowsOutsideTheTableFail) {
  RatingTable table = DefaultTable();
  EXPECT_THROW(RatingFileRowOf(table, 27), RatingFailure);
  EXPECT_THROW(RatingFileRowOf(table, -1), RatingFailure);
}

}  // namespace
}  // namespace rating
