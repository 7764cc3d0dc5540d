#include "engine/number_text.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>

namespace rating {
namespace {

struct TextCase {
  const char* name;
  float value;
  const char* separator;
  std::string expected;
  friend void PrintTo(const TextCase& c, std::ostream* os) { *os << c.name; }
};

class PlainText : public testing::TestWithParam<TextCase> {};

TEST_P(PlainText, IsTheShortestFormOfSevenDigits) {
  EXPECT_EQ(PlainNumberText(GetParam().value, GetParam().separator), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Values, PlainText,
    testing::Values(TextCase{"Zero", 0.0F, ".", "0"}, TextCase{"NegativeZero", -0.0F, ".", "0"},
                    TextCase{"ZeroBeforeSeparator", 0.2F, ".", "0.2"}, TextCase{"Comma", 0.2F, ",", "0,2"},
                    TextCase{"Integer", 440.0F, ".", "440"}, TextCase{"Tens", 3030.0F, ".", "3030"},
                    TextCase{"SingleNoise", 5.2000003F, ".", "5.2"},
                    TextCase{"SevenDigits", 1.0F / 3.0F, ".", "0.3333333"},
                    TextCase{"NegativeFraction", -0.1234567F, ".", "-0.1234567"},
                    TextCase{"LargestFixed", 9999999.0F, ".", "9999999"},
                    TextCase{"ExponentAbove", 12345678.0F, ".", "1.234568E+07"},
                    TextCase{"ExponentAboveComma", 12345678.0F, ",", "1,234568E+07"},
                    TextCase{"SmallestFixed", 0.0001F, ".", "0.0001"},
                    TextCase{"ExponentBelow", 0.00001F, ".", "1E-05"},
                    TextCase{"NegativeExponent", -2.5e-7F, ".", "-2.5E-07"},
                    TextCase{"ThreeDigitExponent", 1e30F, ".", "1E+30"},
                    TextCase{"TenMillion", 1e7F, ".", "1E+07"}));

// The user's separator and the decimal mark the program takes from it.
struct MarkCase {
  const char* name;
  const char* userSeparator;
  const char* mark;
};

void PrintTo(const MarkCase& row, std::ostream* out) { *out << row.name; }

class DecimalMarks : public testing::TestWithParam<MarkCase> {};

TEST_P(DecimalMarks, AreOnlyPointOrComma) {
  EXPECT_EQ(DecimalMarkFor(GetParam().userSeparator), GetParam().mark);
}

INSTANTIATE_TEST_SUITE_P(Separators, DecimalMarks,
                         testing::Values(MarkCase{"Point", ".", "."}, MarkCase{"Comma", ",", ","},
                                         MarkCase{"ArabicDecimalSeparator", "\u066b", "."},
                                         MarkCase{"Blank", " ", "."}, MarkCase{"Nothing", "", "."},
                                         MarkCase{"LongerCustomMark", ",,", "."},
                                         MarkCase{"MiddleDot", "\u00b7", "."}),
                         [](const testing::TestParamInfo<MarkCase>& info) {
                           return std::string(info.param.name);
                         });

}  // namespace
}  // namespace rating
