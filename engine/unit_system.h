#pragma once

#include <array>
#include <cstddef>
#include <string_view>

#include "messages/messages.h"

namespace rating {

inline constexpr std::size_t kUnitSystemCount = 2;

// The exact factors between the two systems.
inline constexpr double kMetresPerFoot = 0.3048;
inline constexpr double kKilometresPerMile = 1.609344;
inline constexpr double kCubicMetresPerAcreFoot = 1233.48183754752;

// What a rating needs to know of its system.
struct UnitFacts {
  UnitSystem system;
  std::string_view word;          // --units and the batch column: "si"
  Message label;                  // of the Units choice
  double manningCoefficient;      // K = coefficient / n · A · R^(2/3): 1.486 in US units, 1 in SI
  double lengthPerReachUnit;      // ft per mi, or m per km: the reach length's unit in the length unit
  double areaPerStorageUnit;      // ft^2·ft per acre-ft (43560), or m^3 per 1000 m^3 (1000)
  double feetPerLength;           // ft per ft, or per m
  double cubicFeetPerFlowVolume;  // ft^3 per ft^3, or per m^3
};

inline constexpr std::array<UnitFacts, kUnitSystemCount> kUnitSystems = {{
    {UnitSystem::UsCustomary, "us", Message::UnitsUsCustomary, 1.486, 5280, 43560, 1, 1},
    {UnitSystem::Si, "si", Message::UnitsSi, 1, 1000, 1000, 1 / kMetresPerFoot,
     1 / (kMetresPerFoot * kMetresPerFoot * kMetresPerFoot)},
}};

constexpr const UnitFacts& Facts(UnitSystem system) {
  return kUnitSystems.at(static_cast<std::size_t>(system));
}

// The system the Units field's text names ("si"; blanks around it and
// letter case do not matter). Throws RatingFailure (TypeMismatch) naming
// the field for any other text.
UnitSystem ReadUnitSystem(std::string_view text);

}  // namespace rating
