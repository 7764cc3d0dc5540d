#include "engine/text_to_number.h"

#include <cmath>
#include <string>

#include "engine/decimal_text.h"
#include "engine/failure.h"
#include "engine/trimmed_text.h"

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

// The value of a scanned number in double precision; out-of-range magnitudes
// become an infinity or a signed zero.
double ToDouble(const ScannedNumber& number) {
  std::string text = number.mantissa;
  if (!number.exponent.empty()) text += "e" + number.exponent;
  const double value = DecimalToDouble(text).value_or(0.0);
  return number.negative ? -value : value;
}

}  // namespace

double ConvertStrictDouble(std::string_view text, std::string_view decimalSeparator, InputField field,
                           UnitSystem units) {
  const std::string_view trimmed = TrimmedText(text);
  if (trimmed.empty()) {
    throw FieldFailure(FailureKind::TypeMismatch, Message::FieldEmpty, field, {}, units);
  }

  const ScannedNumber number = Scanner(trimmed, decimalSeparator).Scan();
  if (!number.hasDigits || number.end != trimmed.size()) {
    throw FieldFailure(FailureKind::TypeMismatch, Message::FieldNotANumber, field, text, units);
  }
  const double value = ToDouble(number);
  if (std::isinf(static_cast<float>(value))) {
    throw FieldFailure(FailureKind::Overflow, Message::FieldBeyondRange, field, text, units);
  }
  return value;
}

float ConvertStrict(std::string_view text, std::string_view decimalSeparator, InputField field) {
  return static_cast<float>(ConvertStrictDouble(text, decimalSeparator, field));
}

}  // namespace rating
