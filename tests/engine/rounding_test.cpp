#include "engine/rounding.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <ostream>
#include <string>

namespace rating {
namespace {

struct RoundingCase {
  const char* name;
  friend void PrintTo(const RoundingCase& c, std::ostream* os) { *os << c.name; }
  float value;
  float expected;
};

class ThreeFigures : public testing::TestWithParam<RoundingCase> {};

TEST_P(ThreeFigures, RoundToTheExpectedValueKeepingTheSign) {
  const float returned = RoundToThreeFigures(GetParam().value);
  EXPECT_EQ(returned, GetParam().expected);
  EXPECT_EQ(std::signbit(returned), std::signbit(GetParam().value));
}

float Below(float threshold) { return std::nextafter(threshold, 0.0F); }

INSTANTIATE_TEST_SUITE_P(Examples, ThreeFigures,
                         testing::Values(RoundingCase{"Zero", 0.0F, 0.0F},
                                         RoundingCase{"BelowHalfOfLastPlace", 0.00004F, 0.0F},
                                         RoundingCase{"NegativeBelowHalfOfLastPlace", -0.00004F, -0.0F},
                                         RoundingCase{"FourDecimals", 0.012344F, 0.0123F},
                                         RoundingCase{"NineNineSixToTen", 9.96F, 10.0F},
                                         RoundingCase{"PointNineNineSix", 0.996F, 1.0F},
                                         RoundingCase{"PointZeroNineNineSix", 0.0996F, 0.1F},
                                         RoundingCase{"QuarterStays", 0.25F, 0.25F},
                                         RoundingCase{"NegativeHalf", -0.5F, -0.5F},
                                         RoundingCase{"Hundreds", 440.430908F, 440.0F},
                                         RoundingCase{"Thousands", 3032.098F, 3030.0F},
                                         RoundingCase{"LargeValue", 123456789.0F, 123456790.0F}));

INSTANTIATE_TEST_SUITE_P(TensRule, ThreeFigures,
                         testing::Values(RoundingCase{"ThresholdGoesToTens", 999.5F, 1000.0F},
                                         RoundingCase{"PositiveHalfGoesUp", 1005.0F, 1010.0F},
                                         RoundingCase{"PositiveHalfGoesUpAgain", 1015.0F, 1020.0F},
                                         RoundingCase{"NegativeHalfGoesTowardZero", -1005.0F, -1000.0F},
                                         RoundingCase{"NegativeHalfGoesTowardZeroAgain", -1015.0F, -1010.0F},
                                         RoundingCase{"NegativeThreshold", -999.5F, -1000.0F},
                                         RoundingCase{"NegativeBelowHalf", -1004.9F, -1000.0F}));

INSTANTIATE_TEST_SUITE_P(Thresholds, ThreeFigures,
                         testing::Values(RoundingCase{"JustBelowTens", Below(999.5F), 999.0F},
                                         RoundingCase{"OnNoDecimals", 99.95F, 100.0F},
                                         RoundingCase{"JustBelowNoDecimals", Below(99.95F), 99.9F},
                                         RoundingCase{"OnOneDecimal", 9.95F, 10.0F},
                                         RoundingCase{"JustBelowOneDecimal", Below(9.95F), 9.95F},
                                         RoundingCase{"OnTwoDecimals", 0.995F, 1.0F},
                                         RoundingCase{"JustBelowTwoDecimals", Below(0.995F), 0.995F},
                                         RoundingCase{"OnThreeDecimals", 0.0995F, 0.1F},
                                         RoundingCase{"JustBelowThreeDecimals", Below(0.0995F), 0.0995F},
                                         RoundingCase{"NegativeOnOneDecimal", -9.95F, -10.0F}));

// A half is judged on the seven-digit decimal form, which is what the rating
// file shows, not on the binary value just below or above it.
INSTANTIATE_TEST_SUITE_P(DecimalTies, ThreeFigures,
                         testing::Values(RoundingCase{"TwoPointSixSevenFive", 2.675F, 2.68F},
                                         RoundingCase{"OnePointZeroZeroFive", 1.005F, 1.01F},
                                         RoundingCase{"FourDecimalTie", 0.01235F, 0.0124F},
                                         RoundingCase{"NegativeTieAwayFromZero", -2.675F, -2.68F},
                                         RoundingCase{"OneDecimalTie", 12.25F, 12.3F},
                                         RoundingCase{"NoDecimalTie", 440.5F, 441.0F},
                                         RoundingCase{"NegativeNoDecimalTie", -440.5F, -441.0F}));

TEST(ThreeFigures, RoundingAgainChangesOnlyTheThreeTies) {
  for (const float value : {9.95F, 0.995F, 0.0995F}) EXPECT_NE(RoundToThreeFigures(value), value) << value;
  for (const float value : {12.5F, 6.72F, 440.0F, 1.24F, 3030.0F, 0.0123F, 0.996F}) {
    const float once = RoundToThreeFigures(value);
    EXPECT_EQ(RoundToThreeFigures(once), once) << value;
  }
}

// Rounding to tens never leaves the single range, even at its very top.
TEST(ThreeFigures, TheLargestSinglesRoundToFiniteValues) {
  float value = std::numeric_limits<float>::max();
  for (int i = 0; i < 100000; ++i, value = std::nextafter(value, 0.0F)) {
    ASSERT_TRUE(std::isfinite(RoundToThreeFigures(value))) << value;
    ASSERT_TRUE(std::isfinite(RoundToThreeFigures(-value))) << -value;
  }
}

TEST(ThreeFigures, NonFiniteValuesFail) {
  EXPECT_ANY_THROW(RoundToThreeFigures(HUGE_VALF));
  EXPECT_EQ(RoundToThreeFigures(3.4028235e38F), 3.4028235e38F);
}

}  // namespace
}  // namespace rating
