#include "engine/text_to_number.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <ostream>
#include <string>

#include "engine/failure.h"
#include "tests/support/failure_assertions.h"

namespace rating {
namespace {

struct StrictCase {
  const char* name;
  friend void PrintTo(const StrictCase& c, std::ostream* os) { *os << c.name; }
  std::string text;
  const char* separator;
  float expected;
};

class StrictAccepts : public testing::TestWithParam<StrictCase> {};

TEST_P(StrictAccepts, ReadsTheWholeText) {
  const StrictCase& c = GetParam();
  EXPECT_EQ(ConvertStrict(c.text, c.separator, InputField::BottomWidth), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Numbers, StrictAccepts,
    testing::Values(StrictCase{"Integer", "50", ".", 50.0F}, StrictCase{"DotDecimal", "5.5", ".", 5.5F},
                    StrictCase{"CommaDecimal", "5,5", ",", 5.5F},
                    StrictCase{"BlanksAndTabsAround", " \t 0.025 \t", ".", 0.025F},
                    StrictCase{"LeadingPlus", "+2", ".", 2.0F}, StrictCase{"Negative", "-3.25", ".", -3.25F},
                    StrictCase{"FractionOnly", ".5", ".", 0.5F},
                    StrictCase{"TrailingSeparator", "5.", ".", 5.0F},
                    StrictCase{"UpperExponent", "1.5E3", ".", 1500.0F},
                    StrictCase{"LowerExponentWithComma", "2,5e-3", ",", 0.0025F},
                    StrictCase{"SubnormalSingle", "1e-40", ".", 1e-40F},
                    StrictCase{"BelowSingleRangeIsZero", "1e-60", ".", 0.0F},
                    StrictCase{"BelowDoubleRangeIsZero", "1e-400", ".", 0.0F},
                    StrictCase{"ZeroWithHugeExponent", "0e99999999999999999999", ".", 0.0F},
                    StrictCase{"LargestSingle", "3.4028234e38", ".", FLT_MAX},
                    StrictCase{"ManyDigits", std::string("0.").append(500, '0').append("1e502"), ".", 10.0F},
                    StrictCase{"RoundsToNearestSingle", "0.1", ".", 0.1F}),
    [](const auto& info) { return std::string(info.param.name); });

struct RejectCase {
  const char* name;
  friend void PrintTo(const RejectCase& c, std::ostream* os) { *os << c.name; }
  std::string text;
  const char* separator;
  FailureKind kind;
};

class StrictRejects : public testing::TestWithParam<RejectCase> {};

TEST_P(StrictRejects, WithItsKindAndField) {
  const RejectCase& c = GetParam();
  const auto failure =
      testing_support::FailureOf([&c] { ConvertStrict(c.text, c.separator, InputField::Length); });
  ASSERT_TRUE(failure.has_value()) << "accepted \"" << c.text << "\"";
  EXPECT_EQ(failure->Kind(), c.kind);
  EXPECT_EQ(failure->Field(), InputField::Length);
  EXPECT_NE(std::string(failure->what()).find("Channel Length (mi)"), std::string::npos) << failure->what();
}

INSTANTIATE_TEST_SUITE_P(
    Texts, StrictRejects,
    testing::Values(RejectCase{"Empty", "", ".", FailureKind::TypeMismatch},
                    RejectCase{"OnlyBlanks", "  \t ", ".", FailureKind::TypeMismatch},
                    RejectCase{"Word", "abc", ".", FailureKind::TypeMismatch},
                    RejectCase{"TrailingLetters", "5,5x", ",", FailureKind::TypeMismatch},
                    RejectCase{"GroupSeparatorInDotLocale", "1,000", ".", FailureKind::TypeMismatch},
                    RejectCase{"DotInCommaLocale", "1.5", ",", FailureKind::TypeMismatch},
                    RejectCase{"BlankInside", "1 000", ".", FailureKind::TypeMismatch},
                    RejectCase{"ExponentWithoutDigits", "1e", ".", FailureKind::TypeMismatch},
                    RejectCase{"ExponentAlone", "e5", ".", FailureKind::TypeMismatch},
                    RejectCase{"SignAlone", "-", ".", FailureKind::TypeMismatch},
                    RejectCase{"SeparatorAlone", ".", ".", FailureKind::TypeMismatch},
                    RejectCase{"TwoSeparators", "5..5", ".", FailureKind::TypeMismatch},
                    RejectCase{"TwoSigns", "--5", ".", FailureKind::TypeMismatch},
                    RejectCase{"Infinity", "inf", ".", FailureKind::TypeMismatch},
                    RejectCase{"NotANumber", "nan", ".", FailureKind::TypeMismatch},
                    RejectCase{"Hexadecimal", "0x10", ".", FailureKind::TypeMismatch},
                    RejectCase{"Currency", "$5", ".", FailureKind::TypeMismatch},
                    RejectCase{"LineFeedAfter", "5\n", ".", FailureKind::TypeMismatch},
                    RejectCase{"AboveSingleRange", "1e39", ".", FailureKind::Overflow},
                    RejectCase{"NegativeAboveSingleRange", "-3.5e38", ".", FailureKind::Overflow},
                    RejectCase{"AboveDoubleRange", "1e400", ".", FailureKind::Overflow},
                    RejectCase{"FourHundredDigits", std::string(400, '9'), ".", FailureKind::Overflow}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(StrictMessages, QuoteTheTextAndNameTheField) {
  EXPECT_FAILURE_MSG(ConvertStrict("5,5x", ",", InputField::Length), FailureKind::TypeMismatch,
                     "Type mismatch: Channel Length (mi) \"5,5x\" is not a number.");
  EXPECT_FAILURE_MSG(ConvertStrict(" ", ",", InputField::MaxFlow), FailureKind::TypeMismatch,
                     "Type mismatch: Maximum Flow (cfs) is empty; it needs a number.");
  EXPECT_FAILURE_MSG(
      ConvertStrict("1e39", ",", InputField::Roughness), FailureKind::Overflow,
      "Overflow: Manning's Roughness \"1e39\" is beyond the single-precision range (about 3.4E+38).");
}

TEST(StrictConversion, KeepsTheSignOfZero) {
  EXPECT_TRUE(std::signbit(ConvertStrict("-0", ".", InputField::BankSlope)));
  EXPECT_TRUE(std::signbit(ConvertStrict("-1e-60", ".", InputField::BankSlope)));
}

}  // namespace
}  // namespace rating
