#include "engine/channel_parameters.h"

#include <gtest/gtest.h>

#include <functional>
#include <ostream>
#include <string>

#include "engine/failure.h"
#include "tests/support/field_texts.h"

namespace rating {
namespace {

using testing_support::TextsWith;

TEST(ReadChannelParameters, DerivesTheReachFromTheDefaultFields) {
  const ChannelParameters p = ReadChannelParameters(TextsWith(), ".");
  EXPECT_EQ(p.maxFlow, 3000.0F);
  EXPECT_EQ(p.bottomWidth, 50.0F);
  EXPECT_EQ(p.bankSlope, 2.0F);
  EXPECT_EQ(p.fall, 110.0F);
  EXPECT_EQ(p.lengthFeet, 29040.0F);
  EXPECT_EQ(p.slope, static_cast<float>(110.0 / 29040.0));
  EXPECT_EQ(p.manningFactor, static_cast<float>(1.486 / static_cast<double>(0.025F)));
  EXPECT_EQ(p.storageFactor, static_cast<float>(29040.0 / 43560.0));
  EXPECT_EQ(p.invert, 0.0F);
  EXPECT_EQ(p.increment, 0.2F);
}

struct SubstitutionCase {
  const char* name;
  friend void PrintTo(const SubstitutionCase& c, std::ostream* os) { *os << c.name; }
  InputField field;  // the field typed
  std::string typed;
  const char* separator;
  std::function<float(const ChannelParameters&)> member;
  float expected;
};

class Substitutions : public testing::TestWithParam<SubstitutionCase> {};

TEST_P(Substitutions, ApplyOnlyToExactZero) {
  // Texts valid in both locales, so that only the edit matters.
  FieldTexts texts = TextsWith({{InputField::Length, "5"},
                                {InputField::Roughness, "1e-2"},
                                {InputField::Invert, "0"},
                                {InputField::Increment, "1"}});
  TextOf(texts, GetParam().field) = GetParam().typed;
  EXPECT_EQ(GetParam().member(ReadChannelParameters(texts, GetParam().separator)), GetParam().expected);
}

const auto kBank = [](const ChannelParameters& p) { return p.bankSlope; };
const auto kIncrement = [](const ChannelParameters& p) { return p.increment; };
const auto kFall = [](const ChannelParameters& p) { return p.fall; };

INSTANTIATE_TEST_SUITE_P(
    Fields, Substitutions,
    testing::Values(
        SubstitutionCase{"BankZeroIsTwo", InputField::BankSlope, "0", ".", kBank, 2.0F},
        SubstitutionCase{"BankNegativeZeroIsTwo", InputField::BankSlope, "-0.0", ".", kBank, 2.0F},
        SubstitutionCase{"BankTinyKept", InputField::BankSlope, "0.0001", ".", kBank, 0.0001F},
        SubstitutionCase{"IncrementZeroIsOne", InputField::Increment, "0.0", ".", kIncrement, 1.0F},
        SubstitutionCase{"IncrementCommaZeroIsOne", InputField::Increment, "0,0", ",", kIncrement, 1.0F},
        SubstitutionCase{"IncrementUnderflowIsOne", InputField::Increment, "1e-50", ".", kIncrement, 1.0F},
        SubstitutionCase{"CommaFallKeepsFraction", InputField::Fall, "1,5", ",", kFall, 1.5F},
        SubstitutionCase{"DotFallKeepsFraction", InputField::Fall, " 1.5 ", ".", kFall, 1.5F}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace rating
