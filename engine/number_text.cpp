#include "engine/number_text.h"

#include <charconv>  // std::from_chars of the exponent, locale-independent
#include <cmath>
#include <cstdlib>

#include "engine/decimal_text.h"

namespace rating {

namespace {

constexpr int kSignificantDigits = 7;
constexpr int kLowestFixedExponent = -4;  // 0.0001
constexpr int kHighestFixedExponent = kSignificantDigits - 1;

}  // namespace

SevenDigitForm ToSevenDigits(float value) {
  // "d.dddddde+XX"
  const std::string text = ScientificText(std::fabs(static_cast<double>(value)), kSignificantDigits - 1);
  SevenDigitForm form;
  form.digits.assign(1, text[0]);
  form.digits.append(text, 2, kSignificantDigits - 1);
  const char* exponentText = text.c_str() + kSignificantDigits + 2;  // after "e"
  if (*exponentText == '+') ++exponentText;
  std::from_chars(exponentText, text.c_str() + text.size(), form.exponent);
  return form;
}

std::string PlainNumberText(float value, std::string_view decimalSeparator) {
  if (value == 0) return "0";  // also negative zero
  auto [digits, exponent] = ToSevenDigits(value);
  digits.erase(digits.find_last_not_of('0') + 1);

  // Written forward, piece by piece.
  std::string result = value < 0 ? "-" : "";
  if (exponent < kLowestFixedExponent || exponent > kHighestFixedExponent) {
    result += digits.front();
    if (digits.size() > 1) result.append(decimalSeparator).append(digits, 1);
    result += exponent < 0 ? "E-" : "E+";
    const int magnitude = std::abs(exponent);
    if (magnitude < 10) result += '0';
    result += std::to_string(magnitude);
  } else if (exponent < 0) {
    result += '0';
    result.append(decimalSeparator).append(static_cast<std::size_t>(-exponent - 1), '0').append(digits);
  } else {
    const auto integerDigits = static_cast<std::size_t>(exponent) + 1;
    if (digits.size() <= integerDigits) {
      result.append(digits).append(integerDigits - digits.size(), '0');
    } else {
      result.append(digits, 0, integerDigits).append(decimalSeparator).append(digits, integerDigits);
    }
  }
  return result;
}

std::string DecimalMarkFor(std::string_view userSeparator) { return userSeparator == "," ? "," : "."; }

}  // namespace rating
