#include "engine/rounding.h"

#include <cmath>
#include <string>

#include "engine/decimal_text.h"
#include "engine/failure.h"
#include "engine/number_text.h"

namespace rating {

namespace {

// Rounds to `decimals` places, halves away from zero, on the seven-digit
// decimal form of the value, and reads the result back as a single.
float RoundDecimals(float value, int decimals) {
  const auto [digits, exponent] = ToSevenDigits(value);

  // Number of leading digits at or above the last kept decimal place.
  const int kept = exponent + decimals + 1;
  if (kept >= static_cast<int>(digits.size())) return value;  // already short enough

  long long magnitude = 0;  // the kept digits as an integer, in units of 10^-decimals
  for (int i = 0; i < kept; ++i) magnitude = magnitude * 10 + (digits[i] - '0');
  if (kept >= 0 && digits[kept] >= '5') ++magnitude;

  const std::string rounded = std::to_string(magnitude) + "e-" + std::to_string(decimals);
  const float result = DecimalToFloat(rounded).value_or(0.0F);
  return std::signbit(value) ? -result : result;
}

}  // namespace

float RoundToThreeFigures(float value) {
  const float a = std::fabs(value);
  if (!std::isfinite(a)) {
    const FailureKind kind = std::isnan(a) ? FailureKind::InvalidArgument : FailureKind::Overflow;
    throw RatingFailure(kind, Compose(Message::RoundingNotFinite, Arg<"kind">(FailureKindText(kind))));
  }
  if (!(a < 999.5F)) {
    // To the nearest ten. Near FLT_MAX the tens lie within half a unit in
    // the last place of the single, so the result never overflows.
    return static_cast<float>(std::floor(static_cast<double>(value) / 10.0F + 0.5) * 10.0);
  }
  if (a >= 99.95F) return RoundDecimals(value, 0);
  if (a >= 9.95F) return RoundDecimals(value, 1);
  if (a >= 0.995F) return RoundDecimals(value, 2);
  if (a >= 0.0995F) return RoundDecimals(value, 3);
  return RoundDecimals(value, 4);
}

}  // namespace rating
