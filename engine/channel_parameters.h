#pragma once

#include <string_view>

#include "engine/input_field.h"

namespace rating {

// One prismatic trapezoidal reach, converted from the fields, with the values
// derived from them. Negative values are kept as they are.
struct ChannelParameters {
  float maxFlow = 0;              // cfs; the table ends at the first row above it
  float bottomWidth = 0;          // B, ft
  float bankSlope = 0;            // Z, horizontal run per unit rise of both banks
  float fall = 0;                 // ft over the reach
  float length = 0;               // mi
  float lengthFeet = 0;           // ft
  float slope = 0;                // S0 = fall / lengthFeet, ft/ft
  float roughness = 0;            // Manning's n
  float manningFactor = 0;        // 1.486 / n, US customary Manning coefficient over roughness
  float storageFactor = 0;        // lengthFeet / 43560, acre-ft per ft^2 of flow area
  float invert = 0;               // ft
  float increment = 0;            // depth step, ft
  bool bankSlopeWasZero = false;  // a bank slope of 0, taken as kBankSlopeForZero
  bool incrementWasZero = false;  // an increment of 0, taken as kIncrementForZero
  char decimalMark = '.';         // of the numbers a failure's words give: the fields' own

  // The decimal mark as a failure's words take it.
  [[nodiscard]] std::string_view DecimalMark() const { return {&decimalMark, 1}; }
};

inline constexpr double kFeetPerMile = 5280;
inline constexpr double kSquareFeetPerAcre = 43560;
inline constexpr double kManningCoefficient = 1.486;  // US customary units

// Converts the fields in this order, so that the first failure is reported:
// maximum flow, width, bank slope (0 becomes 2), fall, length; then the length
// in feet and the slope; then n and the Manning factor; then the storage
// factor; then invert and increment (0 becomes 1). A negative width, bank
// slope, fall, length, n or increment is refused (InvalidArgument) as soon as
// it is converted. Only the numeric fields are read. Throws RatingFailure.
ChannelParameters ReadChannelParameters(const FieldTexts& texts, std::string_view decimalSeparator);

}  // namespace rating
