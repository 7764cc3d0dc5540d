#include "engine/text_to_number.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <ostream>
#include <string>

#include "engine/failure.h"

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
  try {
    ConvertStrict(c.text, c.separator, InputField::Length);
    FAIL() << "accepted \"" << c.text << "\"";
  } catch (const RatingFailure& failure) {
    EXPECT_EQ(failure.Kind(), c.kind);
    EXPECT_EQ(failure.Field(), InputField::Length);
    EXPECT_NE(std::string(failure.what()).find("Channel Length (mi)"), std::string::npos) << failure.what();
  }
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
  const auto message = [](const std::string& text, InputField field) {
    try {
      ConvertStrict(text, ",", field);
    } catch (const RatingFailure& failure) {
      return std::string(failure.what());
    }
    return std::string("accepted");
  };
  EXPECT_EQ(message("5,5x", InputField::Length),
            "Type mismatch: Channel Length (mi) \"5,5x\" is not a number.");
  EXPECT_EQ(message(" ", InputField::MaxFlow),
            "Type mismatch: Maximum Flow (cfs) is empty; it needs a number.");
  EXPECT_EQ(message("1e39", InputField::Roughness),
            "Overflow: Manning's Roughness \"1e39\" is beyond the single-precision range (about 3.4E+38).");
}

TEST(StrictConversion, KeepsTheSignOfZero) {
  EXPECT_TRUE(std::signbit(ConvertStrict("-0", ".", InputField::BankSlope)));
  EXPECT_TRUE(std::signbit(ConvertStrict("-1e-60", ".", InputField::BankSlope)));
}

struct LenientCase {
  const char* name;
  friend void PrintTo(const LenientCase& c, std::ostream* os) { *os << c.name; }
  std::string text;
  double expected;
  const char* separator = ".";
};

class LeadingNumber : public testing::TestWithParam<LenientCase> {};

TEST_P(LeadingNumber, ReadsTheLongestNumericPrefix) {
  EXPECT_EQ(ReadLeadingNumber(GetParam().text, GetParam().separator), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, LeadingNumber,
    testing::Values(LenientCase{"Integer", "110", 110}, LenientCase{"CommaEndsTheNumber", "5,5", 5},
                    LenientCase{"BlanksSkippedAnywhere", " 1 2 3", 123},
                    LenientCase{"TabsAndLineFeedsSkipped", "1\t0\n5", 105},
                    LenientCase{"TrailingLetters", "12abc", 12}, LenientCase{"NoNumber", "abc", 0},
                    LenientCase{"Empty", "", 0}, LenientCase{"SignAndExponent", "-2.5e1x", -25},
                    LenientCase{"BlankAfterSign", "- 7", -7}, LenientCase{"IncompleteExponent", "1e", 1},
                    LenientCase{"IncompleteSignedExponent", "1e+x", 1},
                    LenientCase{"FractionOnly", ".5", 0.5}, LenientCase{"SecondPointEnds", "3.4.5", 3.4},
                    LenientCase{"CarriageReturnEnds", "1\r2", 1},
                    LenientCase{"BeyondDouble", "1e400", HUGE_VAL}, LenientCase{"BelowDouble", "1e-400", 0},
                    // The user's separator, as the strict conversion reads it: "0,5" keeps its fraction.
                    LenientCase{"CommaLocaleFraction", "0,5", 0.5, ","},
                    LenientCase{"CommaLocaleBlanks", " 1 1 0 , 2 5", 110.25, ","},
                    LenientCase{"CommaLocalePointEnds", "0.5", 0, ","}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace rating
