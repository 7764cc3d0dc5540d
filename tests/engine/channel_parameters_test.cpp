#include "engine/channel_parameters.h"

#include <gtest/gtest.h>

#include <functional>
#include <ostream>
#include <string>

#include "engine/failure.h"

namespace rating {
namespace {

ChannelTexts DefaultTexts() { return {"3000", "50", "2", "110", "5.5", "0.025", "0.0", "0.2"}; }

TEST(ReadChannelParameters, DerivesTheReachFromTheDefaultFields) {
  const ChannelParameters p = ReadChannelParameters(DefaultTexts(), ".");
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
  EXPECT_EQ(p.cascadeFall, 110.0F);
}

struct SubstitutionCase {
  const char* name;
  friend void PrintTo(const SubstitutionCase& c, std::ostream* os) { *os << c.name; }
  std::string ChannelTexts::*text;  // the field typed
  std::string typed;
  const char* separator;
  std::function<float(const ChannelParameters&)> member;
  float expected;
};

class Substitutions : public testing::TestWithParam<SubstitutionCase> {};

TEST_P(Substitutions, ApplyOnlyToExactZero) {
  // Texts valid in both locales, so that only the edit matters.
  ChannelTexts texts{"3000", "50", "2", "110", "5", "1e-2", "0", "1"};
  texts.*GetParam().text = GetParam().typed;
  EXPECT_EQ(GetParam().member(ReadChannelParameters(texts, GetParam().separator)), GetParam().expected);
}

const auto kBank = [](const ChannelParameters& p) { return p.bankSlope; };
const auto kIncrement = [](const ChannelParameters& p) { return p.increment; };
const auto kFall = [](const ChannelParameters& p) { return p.fall; };
const auto kCascadeFall = [](const ChannelParameters& p) { return p.cascadeFall; };

INSTANTIATE_TEST_SUITE_P(
    Fields, Substitutions,
    testing::Values(
        SubstitutionCase{"BankZeroIsTwo", &ChannelTexts::bankSlope, "0", ".", kBank, 2.0F},
        SubstitutionCase{"BankNegativeZeroIsTwo", &ChannelTexts::bankSlope, "-0.0", ".", kBank, 2.0F},
        SubstitutionCase{"BankTinyKept", &ChannelTexts::bankSlope, "0.0001", ".", kBank, 0.0001F},
        SubstitutionCase{"IncrementZeroIsOne", &ChannelTexts::increment, "0.0", ".", kIncrement, 1.0F},
        SubstitutionCase{"IncrementCommaZeroIsOne", &ChannelTexts::increment, "0,0", ",", kIncrement, 1.0F},
        SubstitutionCase{"IncrementUnderflowIsOne", &ChannelTexts::increment, "1e-50", ".", kIncrement, 1.0F},
        SubstitutionCase{"CommaFallKeepsFraction", &ChannelTexts::fall, "1,5", ",", kFall, 1.5F},
        SubstitutionCase{"CommaFallCascadeKeepsFraction", &ChannelTexts::fall, "1,5", ",", kCascadeFall,
                         1.5F},
        SubstitutionCase{"DotFallCascadeKeepsFraction", &ChannelTexts::fall, " 1.5 ", ".", kCascadeFall,
                         1.5F}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace rating
