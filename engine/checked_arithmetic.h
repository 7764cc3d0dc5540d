#pragma once

#include <cmath>
#include <cstdint>

namespace rating {

enum class FailureKind;
struct ChannelParameters;

// The quantities of the rating computation whose arithmetic is checked. A
// failure names the quantity and the row it arose in.
enum class Quantity {
  LengthFeet,       // reach length, ft
  Slope,            // bed slope S0, ft/ft
  ManningFactor,    // 1.486 / n
  Depth,            // D, ft
  Elevation,        // water surface, ft
  FlowArea,         // A, ft^2
  MeanWidth,        // W = A / D, ft
  WettedPerimeter,  // P, ft
  Flow,             // Manning discharge, cfs
  Storage,          // acre-ft
  Velocity,         // V = Q / A, ft/s
  Volume,           // ft^3
  TravelTime,       // K, s
  Cascades,         // routing steps N
};

// Where an arithmetic step lies: the quantity being computed and the table
// row (0 for the channel's derived values), and for a row the channel being
// rated, on whose fields a failure there is blamed.
struct Site {
  Quantity quantity;
  std::int16_t row;
  const ChannelParameters* channel = nullptr;
};

// The steps of the rating arithmetic that can fail, in double precision. A
// fault ends the computation with a RatingFailure, judged from the operands
// and the result (no hardware traps): x / 0 is a division by zero, 0 / 0 and
// a finite computation that becomes infinite is an overflow. Underflow and
// inexact results are not faults.
//
// Sums, differences and products need no check: their operands are stored
// singles, so they stay far inside the double range, and only storing the
// result as a single can overflow. Roots and powers need none either: the
// channel's sizes are refused when negative, so every root and power is
// taken of a number that is not negative and stays finite.
namespace checked {

// Throws the RatingFailure of `kind` at `site`.
[[noreturn]] void Fail(FailureKind kind, Site site);
// Fails for a NaN (invalid) or infinite (overflow) result.
[[noreturn]] void FailResult(double value, Site site);
// Fails for a division by zero: 0 / 0 is invalid, x / 0 a division by zero.
[[noreturn]] void FailDivision(double dividend, Site site);

inline double Checked(double value, Site site) {
  if (!std::isfinite(value)) FailResult(value, site);
  return value;
}

inline double Div(double a, double b, Site site) {
  if (b == 0.0) FailDivision(a, site);
  return Checked(a / b, site);
}

// Stores a double as a single; a value beyond the single range is an overflow.
inline float Store(double value, Site site) {
  const auto single = static_cast<float>(value);
  if (std::isinf(single)) FailResult(single, site);
  return single;
}

}  // namespace checked

}  // namespace rating
