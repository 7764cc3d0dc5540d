#pragma once

#include <cstdint>

namespace rating {

// The quantities of the rating computation whose arithmetic is checked. A
// failure names the quantity and the row it arose in.
enum class Quantity {
  LengthFeet,       // reach length, ft
  Slope,            // bed slope S0, ft/ft
  ManningFactor,    // 1.486 / n
  StorageFactor,    // acre-ft per ft^2 of flow area
  Depth,            // D, ft
  Elevation,        // water surface, ft
  FlowArea,         // A, ft^2
  MeanWidth,        // W = A / D, ft
  WettedPerimeter,  // P, ft
  RootSlope,        // sqrt(S0)
  Flow,             // Manning discharge, cfs
  Storage,          // acre-ft
  Velocity,         // V = Q / A, ft/s
  Volume,           // ft^3
  TravelTime,       // K, s
  Cascades,         // routing steps N
};

// Where an arithmetic step lies: the quantity being computed and the table
// row (0 for the channel's derived values).
struct Site {
  Quantity quantity;
  std::int16_t row;
};

// Arithmetic in double precision that ends the computation with a
// RatingFailure on a floating-point fault, judged from the operands and the
// result (no hardware traps): x / 0 is a division by zero, 0 / 0 and the root
// or fractional power of a negative number are invalid, a finite computation
// that becomes infinite is an overflow. Underflow and inexact results are not
// faults. Operands are always finite, because every stored value is checked.
namespace checked {

double Add(double a, double b, Site site);
double Sub(double a, double b, Site site);
double Mul(double a, double b, Site site);
double Div(double a, double b, Site site);
double Sqrt(double x, Site site);
double Pow(double base, double exponent, Site site);

// Stores a double as a single; a value beyond the single range is an overflow.
float Store(double value, Site site);

}  // namespace checked

}  // namespace rating
