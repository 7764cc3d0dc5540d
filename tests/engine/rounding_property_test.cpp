// Three-figure rounding against a reference written differently: decimal
// text from iostreams and integer arithmetic on its digits.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <iomanip>
#include <iostream>
#include <locale>
#include <random>
#include <sstream>
#include <string>

#include "engine/rounding.h"

namespace rating {
namespace {

float ReferenceRound(float value) {
  const float a = std::fabs(value);
  if (!(a < 999.5F)) {
    return static_cast<float>(std::floor(static_cast<double>(value) / 10.0 + 0.5) * 10.0);
  }
  const int decimals = a >= 99.95F ? 0 : a >= 9.95F ? 1 : a >= 0.995F ? 2 : a >= 0.0995F ? 3 : 4;

  std::ostringstream text;
  text.imbue(std::locale::classic());
  text << std::scientific << std::setprecision(6) << static_cast<double>(a);  // d.dddddde+XX
  const std::string s = text.str();
  const std::int64_t mantissa = std::stoll(s.substr(0, 1) + s.substr(2, 6));
  const int exponent = std::stoi(s.substr(s.find('e') + 1));

  // The value is mantissa x 10^(exponent - 6); count it in units of 10^-decimals.
  const int shift = exponent - 6 + decimals;
  std::int64_t units = 0;
  if (shift >= 0) {
    units = mantissa;
    for (int i = 0; i < shift; ++i) units *= 10;
  } else if (shift > -12) {
    std::int64_t divisor = 1;
    for (int i = 0; i < -shift; ++i) divisor *= 10;
    units = (mantissa + divisor / 2) / divisor;  // halves away from zero
  }
  std::istringstream back(std::to_string(units) + "e-" + std::to_string(decimals));
  back.imbue(std::locale::classic());
  float result = 0;
  back >> result;
  return std::copysign(result, value);
}

bool IsTie(float rounded) {
  const float a = std::fabs(rounded);
  return a == 9.95F || a == 0.995F || a == 0.0995F;
}

TEST(RoundingProperties, AgreeWithTheReferenceKeepTheSignAndSettleAfterOnePass) {
  std::mt19937 random(20261208);
  std::uniform_real_distribution<float> decade(-6.0F, 7.0F);
  std::uniform_int_distribution<int> digits(0, 99999);
  std::bernoulli_distribution negative(0.5);
  int cases = 0;
  int ties = 0;
  for (int i = 0; i < 200000; ++i) {
    float value = 0;
    if (i % 2 == 0) {
      value = std::pow(10.0F, decade(random));
    } else {
      // Decimal halves such as 2.675 or 0.01235, where rounding rules differ.
      const int places = 1 + i % 6;
      value = static_cast<float>((digits(random) * 10 + 5) / std::pow(10.0, places + 1));
    }
    if (negative(random)) value = -value;

    const float rounded = RoundToThreeFigures(value);
    ASSERT_EQ(rounded, ReferenceRound(value)) << std::setprecision(9) << value;
    ASSERT_EQ(std::signbit(rounded), std::signbit(value)) << value;

    const float again = RoundToThreeFigures(rounded);
    if (IsTie(rounded)) {
      ++ties;
    } else {
      ASSERT_EQ(again, rounded) << "not idempotent at " << std::setprecision(9) << value;
    }
    ++cases;
  }
  RecordProperty("cases", cases);
  std::cout << "rounding property cases: " << cases << " (" << ties << " ties)\n";
}

}  // namespace
}  // namespace rating
