#include "engine/text_to_number.h"

#include <algorithm>
#include <charconv>  // std::from_chars, locale-independent
#include <cmath>
#include <limits>
#include <string>
#include <system_error>

#include "engine/failure.h"

namespace rating {

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// A decimal number taken apart while scanning, before any rounding.
struct ScannedNumber {
  bool negative = false;
  std::string mantissa;  // digits with "." as separator, e.g. "12.5"
  bool hasDigits = false;
  std::string exponent;  // "" or sign and digits, e.g. "-3"
  std::size_t end = 0;   // index one past the last character consumed
};

class Scanner {
 public:
  Scanner(std::string_view text, std::string_view separator) : text_(text), separator_(separator) {}

  ScannedNumber Scan() {
    ScannedNumber number;
    if (Peek() == '+' || Peek() == '-') {
      number.negative = Peek() == '-';
      Advance(1);
    }
    ReadDigits(number);
    if (!separator_.empty() && text_.substr(pos_, separator_.size()) == separator_) {
      Advance(separator_.size());
      number.mantissa += '.';
      ReadDigits(number);
    }
    if (number.hasDigits) {
      number.end = pos_;
      ReadExponent(number);
    }
    return number;
  }

 private:
  [[nodiscard]] char Peek() const { return pos_ < text_.size() ? text_[pos_] : '\0'; }

  void Advance(std::size_t count) { pos_ += count; }

  void ReadDigits(ScannedNumber& number) {
    while (IsDigit(Peek())) {
      number.mantissa += Peek();
      number.hasDigits = true;
      Advance(1);
    }
  }

  // The exponent belongs to the number only when at least one digit follows.
  void ReadExponent(ScannedNumber& number) {
    if (Peek() != 'e' && Peek() != 'E') return;
    const std::size_t start = pos_;
    Advance(1);
    std::string exponent;
    if (Peek() == '+' || Peek() == '-') {
      exponent += Peek();
      Advance(1);
    }
    bool hasExponentDigits = false;
    while (IsDigit(Peek())) {
      exponent += Peek();
      hasExponentDigits = true;
      Advance(1);
    }
    if (hasExponentDigits) {
      number.exponent = exponent;
      number.end = pos_;
    } else {
      pos_ = start;
    }
  }

  std::string_view text_;
  std::string_view separator_;
  std::size_t pos_ = 0;
};

// Whether a scanned number's magnitude is above one, from its digits and
// exponent alone. Used only when the double range is left, to tell an overflow
// from an underflow; the exponent saturates so that any length of digits works.
bool MagnitudeAboveOne(const ScannedNumber& number) {
  constexpr long long kSaturation = 1'000'000'000;
  long long exponent = 0;
  for (const char c : number.exponent) {
    if (IsDigit(c) && exponent < kSaturation) exponent = exponent * 10 + (c - '0');
  }
  if (!number.exponent.empty() && number.exponent[0] == '-') exponent = -exponent;

  const auto firstDigit = static_cast<long long>(number.mantissa.find_first_of("123456789"));
  if (firstDigit < 0) return false;  // all zeros
  auto point = static_cast<long long>(number.mantissa.find('.'));
  if (point < 0) point = static_cast<long long>(number.mantissa.size());
  // Power of ten of the leading significant digit, clamped like the exponent.
  long long leading = firstDigit < point ? point - firstDigit - 1 : point - firstDigit;
  leading = std::max(-kSaturation, std::min(kSaturation, leading));
  return leading + exponent > 0;
}

// The value of a scanned number in double precision; out-of-range magnitudes
// become an infinity or a signed zero.
double ToDouble(const ScannedNumber& number) {
  std::string text = number.mantissa;
  if (!number.exponent.empty()) text += "e" + number.exponent;
  double value = 0.0;
  const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
  if (result.ec == std::errc::result_out_of_range) {
    value = MagnitudeAboveOne(number) ? std::numeric_limits<double>::infinity() : 0.0;
  }
  return number.negative ? -value : value;
}

}  // namespace

float ConvertStrict(std::string_view text, std::string_view decimalSeparator, InputField field) {
  const auto first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) {
    throw FieldFailure(FailureKind::TypeMismatch, Message::FieldEmpty, field);
  }
  const auto last = text.find_last_not_of(" \t");
  const std::string_view trimmed = text.substr(first, last - first + 1);

  const ScannedNumber number = Scanner(trimmed, decimalSeparator).Scan();
  if (!number.hasDigits || number.end != trimmed.size()) {
    throw FieldFailure(FailureKind::TypeMismatch, Message::FieldNotANumber, field, text);
  }
  const double value = ToDouble(number);
  const auto single = static_cast<float>(value);
  if (std::isinf(single)) {
    throw FieldFailure(FailureKind::Overflow, Message::FieldBeyondRange, field, text);
  }
  return single;
}

}  // namespace rating
