// Decimal text in and out, against the C++ streams of the same build and
// the classic locale: the two must agree to the last digit on every system.
#include "engine/decimal_text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <iomanip>
#include <limits>
#include <locale>
#include <optional>
#include <ostream>
#include <random>
#include <sstream>
#include <string>

#include "tests/support/bits.h"

namespace rating {
namespace {

using testing_support::BitsAs;

struct ReadCase {
  const char* name;
  const char* text;
  std::optional<double> asDouble;
  std::optional<float> asFloat;
  friend void PrintTo(const ReadCase& c, std::ostream* os) { *os << c.name; }
};

class Read : public testing::TestWithParam<ReadCase> {};

TEST_P(Read, GivesTheNearestValueOrNothing) {
  const ReadCase& c = GetParam();
  EXPECT_EQ(DecimalToDouble(c.text), c.asDouble);
  EXPECT_EQ(DecimalToFloat(c.text), c.asFloat);
}

constexpr double kInfinity = std::numeric_limits<double>::infinity();
constexpr float kInfinityF = std::numeric_limits<float>::infinity();

INSTANTIATE_TEST_SUITE_P(
    Cases, Read,
    testing::Values(ReadCase{"LeadingPoint", ".5", 0.5, 0.5F}, ReadCase{"TrailingPoint", "5.", 5.0, 5.0F},
                    ReadCase{"BeyondSingle", "1e39", 1e39, kInfinityF},
                    ReadCase{"BeyondDouble", "1e309", kInfinity, kInfinityF},
                    ReadCase{"BelowDouble", "1e-400", 0.0, 0.0F},
                    ReadCase{"ManyDigits", "0.30000000000000000000000000000000000001", 0.3, 0.3F},
                    ReadCase{"Empty", "", std::nullopt, std::nullopt},
                    ReadCase{"Signed", "-1", std::nullopt, std::nullopt},
                    ReadCase{"Infinity", "inf", std::nullopt, std::nullopt},
                    ReadCase{"NotANumber", "nan", std::nullopt, std::nullopt},
                    ReadCase{"TrailingText", "1.5x", std::nullopt, std::nullopt}));

std::string StreamText(double value, bool scientific, int fractionDigits) {
  std::ostringstream text;
  text.imbue(std::locale::classic());
  text << (scientific ? std::scientific : std::fixed) << std::setprecision(fractionDigits) << value;
  return text.str();
}

// Random bit patterns reach every exponent and every last digit.
TEST(DecimalText, AgreesWithTheStreamsAndReadsBackWhatItWrites) {
  std::mt19937_64 random(20261209);
  for (int i = 0; i < 100000; ++i) {
    const auto single = BitsAs<float>(static_cast<std::uint32_t>(random()));
    if (!std::isfinite(single)) continue;
    const auto value = static_cast<double>(single);
    ASSERT_EQ(ScientificText(value, 6), StreamText(value, true, 6));
    ASSERT_EQ(DecimalToFloat(ScientificText(std::fabs(value), 8)), std::fabs(single));
    if (std::fabs(value) < 1e9) {
      ASSERT_EQ(FixedText(value, 2), StreamText(value, false, 2));
    }

    const double wide = BitsAs<double>(static_cast<std::uint64_t>(random()));
    if (!std::isfinite(wide)) continue;
    ASSERT_EQ(ScientificText(wide, 16), StreamText(wide, true, 16));
    ASSERT_EQ(DecimalToDouble(ScientificText(std::fabs(wide), 16)), std::fabs(wide));
  }
}

struct ReadableCase {
  const char* name;
  double value;
  const char* mark;
  const char* text;
  friend void PrintTo(const ReadableCase& c, std::ostream* os) { *os << c.name; }
};

class Readable : public testing::TestWithParam<ReadableCase> {};

TEST_P(Readable, TakesSixFiguresAndTheUsersMark) {
  const ReadableCase& c = GetParam();
  EXPECT_EQ(ReadableNumber(c.value, c.mark), c.text);
}

INSTANTIATE_TEST_SUITE_P(Cases, Readable,
                         testing::Values(ReadableCase{"Peak", 2429.8512345, ".", "2429.85"},
                                         ReadableCase{"PeakInCommaDecimals", 2429.8512345, ",", "2429,85"},
                                         ReadableCase{"Whole", 2500, ",", "2500"},
                                         ReadableCase{"Quarter", 0.25, ",", "0,25"},
                                         ReadableCase{"Small", -1.13687e-14, ",", "-1,13687e-14"},
                                         ReadableCase{"NegativeZero", -0.0, ".", "0"},
                                         ReadableCase{"Million", 1234567, ",", "1,23457e+06"}));

}  // namespace
}  // namespace rating
