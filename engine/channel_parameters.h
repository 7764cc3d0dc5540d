#pragma once

#include <string>
#include <string_view>

namespace rating {

// The texts of the eight numeric fields, as typed.
struct ChannelTexts {
  std::string MaxQ;       // Maximum Flow (cfs)
  std::string Width;      // Bottom Width (ft)
  std::string Bank;       // Bank Slope run/rise
  std::string Slope;      // Channel Fall (ft)
  std::string Length;     // Channel Length (mi)
  std::string N;          // Manning's Roughness
  std::string Elev;       // Invert Elevation (ft)
  std::string Increment;  // Incremental Depth (ft)
};

// One prismatic trapezoidal reach, converted from the fields, with the values
// derived from them. Negative values are kept as they are.
struct ChannelParameters {
  float MaxFlow = 0;        // cfs; the table ends at the first row above it
  float BottomWidth = 0;    // B, ft
  float BankSlope = 0;      // Z, horizontal run per unit rise of both banks
  float Fall = 0;           // ft over the reach
  float LengthFeet = 0;     // ft
  float Slope = 0;          // S0 = Fall / LengthFeet, ft/ft
  float ManningFactor = 0;  // 1.486 / n, US customary Manning coefficient over roughness
  float StorageFactor = 0;  // LengthFeet / 43560, acre-ft per ft^2 of flow area
  float Invert = 0;         // ft
  float Increment = 0;      // depth step, ft
  float CascadeFall = 0;    // ft; leading number of the fall text
};

inline constexpr double kFeetPerMile = 5280;
inline constexpr double kSquareFeetPerAcre = 43560;
inline constexpr double kManningCoefficient = 1.486;  // US customary units

// Converts the fields in this order, so that the first failure is reported:
// maximum flow, width, bank slope (0 becomes 2), fall, length; then the length
// in feet and the slope; then n and the Manning factor; then the storage
// factor; then invert and increment (0 becomes 1). A negative width, bank
// slope, fall, length, n or increment is refused (InvalidArgument) as soon as
// it is converted. Throws RatingFailure.
ChannelParameters ReadChannelParameters(const ChannelTexts& texts, std::string_view decimalSeparator);

}  // namespace rating
