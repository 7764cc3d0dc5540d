#include "engine/cross_section.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "tests/support/failure_assertions.h"
#include "tests/support/section_examples.h"

namespace rating {
namespace {

// A ground line as the program reads it from a file or the clipboard.
struct GroundLineCase {
  const char* name;
  friend void PrintTo(const GroundLineCase& c, std::ostream* os) { *os << c.name; }
  const char* text;
  const char* userSeparator;
  std::vector<GroundPoint> expected;
};

class GroundLines : public testing::TestWithParam<GroundLineCase> {};

TEST_P(GroundLines, ReadAsWritten) {
  EXPECT_EQ(ReadGroundLine(GetParam().text, GetParam().userSeparator), GetParam().expected);
}

const std::vector<GroundPoint> kThree = {{0, 5.5}, {10, -0.25}, {20.5, 5}};

INSTANTIATE_TEST_SUITE_P(
    Sections, GroundLines,
    testing::Values(
        GroundLineCase{"HeaderAndCommas", "Station (ft),Elevation (ft)\r\n0,5.5\r\n10,-0.25\r\n20.5,5\r\n",
                       ".", kThree},
        GroundLineCase{"NoHeader", "0,5.5\n10,-0.25\n20.5,5", ".", kThree},
        GroundLineCase{"SemicolonsTakeTheUsersComma", "Station;Elevation\n0;5,5\n10;-0,25\n20,5;5\n", ",",
                       kThree},
        GroundLineCase{"PastedCellsTakeTheUsersComma", "0\t5,5\n10\t-0,25\n20,5\t5\n", ",", kThree},
        GroundLineCase{"PastedCellsWithPoints", "x\ty\n0\t5.5\n10\t-0.25\n20.5\t5\n", ".", kThree},
        GroundLineCase{"AVerticalStep", "0,5\n10,0\n10,2\n20,5\n", ".", {{0, 5}, {10, 0}, {10, 2}, {20, 5}}}),
    [](const testing::TestParamInfo<GroundLineCase>& info) { return std::string(info.param.name); });

TEST(GroundLine, WritesWhatItReadsBack) {
  const std::vector<GroundPoint> points = {{0, 10}, {0.1, 6.35}, {1e6, -3.125}, {1234567.891, 10}};
  const std::string text = GroundLineText(points);
  EXPECT_EQ(text.substr(0, text.find('\n') + 1), "Station (ft),Elevation (ft)\r\n");
  EXPECT_EQ(text.substr(text.find('\n') + 1, 16), "0,10\r\n0.1,6.35\r\n");
  EXPECT_EQ(ReadGroundLine(text, ","), points);
}

struct BadGroundLineCase {
  const char* name;
  friend void PrintTo(const BadGroundLineCase& c, std::ostream* os) { *os << c.name; }
  std::string text;
  FailureKind kind;
  const char* message;
};

class BadGroundLines : public testing::TestWithParam<BadGroundLineCase> {};

TEST_P(BadGroundLines, NameTheRowAndColumn) {
  EXPECT_FAILURE_MSG(ReadGroundLine(GetParam().text, "."), GetParam().kind, GetParam().message);
}

std::string ManyPoints(int count) {
  std::string text = "Station,Elevation\n";
  for (int k = 0; k < count; ++k) text += std::to_string(k) + "," + std::to_string(k % 7) + "\n";
  return text;
}

INSTANTIATE_TEST_SUITE_P(
    Sections, BadGroundLines,
    testing::Values(
        BadGroundLineCase{"ElevationNotANumber", "Station,Elevation\n0,5\n10,low\n20,5\n",
                          FailureKind::TypeMismatch,
                          "Type mismatch: section row 3, elevation \"low\" is not a number."},
        BadGroundLineCase{"StationNotANumber", "0,5\n1O,0\n20,5\n", FailureKind::TypeMismatch,
                          "Type mismatch: section row 2, station \"1O\" is not a number."},
        BadGroundLineCase{
            "ThreeCells", "0,5\n10,0,1\n20,5\n", FailureKind::TypeMismatch,
            "Type mismatch: section row 2 has 3 cells; it holds the station, then the elevation."},
        BadGroundLineCase{
            "StationBackwards", "Station,Elevation\n0,5\n10,0\n9.5,5\n", FailureKind::InvalidArgument,
            "Invalid argument: section row 4, station 9.5 is left of station 10 of the row before; "
            "the stations go from left to right, looking downstream."},
        BadGroundLineCase{"OnePoint", "Station,Elevation\n0,5\n", FailureKind::InvalidArgument,
                          "Invalid argument: the section has 1 point; it needs from 3 to 10000."},
        BadGroundLineCase{"HeaderAlone", "Station,Elevation\n", FailureKind::InvalidArgument,
                          "Invalid argument: the section has 0 points; it needs from 3 to 10000."},
        BadGroundLineCase{
            "TooManyPoints", ManyPoints(10001), FailureKind::InvalidArgument,
            "Invalid argument: the section has more than 10000 points; it needs from 3 to 10000."}),
    [](const testing::TestParamInfo<BadGroundLineCase>& info) { return std::string(info.param.name); });

TEST(GroundLine, ReadsTheMostPointsItTakes) {
  EXPECT_EQ(ReadGroundLine(ManyPoints(10000), ".").size(), 10000U);
}

}  // namespace
}  // namespace rating
