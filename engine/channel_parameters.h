#pragma once

#include <string>
#include <string_view>

namespace rating {

// The texts of the eight numeric fields, as typed.
struct ChannelTexts {
  std::string maxFlow;      // Maximum Flow (cfs)
  std::string bottomWidth;  // Bottom Width (ft)
  std::string bankSlope;    // Bank Slope run/rise
  std::string fall;         // Channel Fall (ft)
  std::string length;       // Channel Length (mi)
  std::string roughness;    // Manning's Roughness
  std::string invert;       // Invert Elevation (ft)
  std::string increment;    // Incremental Depth (ft)
};

// One prismatic trapezoidal reach, converted from the fields, with the values
// derived from them. Negative values are kept as they are.
struct ChannelParameters {
  float maxFlow = 0;        // cfs; the table ends at the first row above it
  float bottomWidth = 0;    // B, ft
  float bankSlope = 0;      // Z, horizontal run per unit rise of both banks
  float fall = 0;           // ft over the reach
  float length = 0;         // mi
  float lengthFeet = 0;     // ft
  float slope = 0;          // S0 = fall / lengthFeet, ft/ft
  float roughness = 0;      // Manning's n
  float manningFactor = 0;  // 1.486 / n, US customary Manning coefficient over roughness
  float storageFactor = 0;  // lengthFeet / 43560, acre-ft per ft^2 of flow area
  float invert = 0;         // ft
  float increment = 0;      // depth step, ft
  float cascadeFall = 0;    // ft; leading number of the fall text
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
