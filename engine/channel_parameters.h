#pragma once

#include <span>
#include <string_view>
#include <vector>

#include "engine/cross_section.h"
#include "engine/input_field.h"
#include "engine/section_shape.h"
#include "engine/unit_system.h"

namespace rating {

// The sizes of a section other than the trapezoid, read in double precision
// from the same fields, which its rating computes with.
struct ExactSizes {
  double maxFlow = 0;         // cfs
  double width = 0;           // ft, a rectangle's or a trapezoid's bottom
  double bankSlope = 0;       // run per rise of a trapezoid's banks
  double diameter = 0;        // ft, a circle's
  double fall = 0;            // ft over the reach
  double lengthFeet = 0;      // ft
  double slope = 0;           // ft/ft, fall / lengthFeet
  double roughness = 0;       // Manning's n of the channel
  double manningFactor = 0;   // 1.486 / n of the channel
  double leftRoughness = 0;   // Manning's n of the left overbank: the channel's where blank
  double rightRoughness = 0;  // Manning's n of the right overbank
  double leftFactor = 0;      // 1.486 / n of the left overbank
  double rightFactor = 0;     // 1.486 / n of the right overbank
  double storageFactor = 0;   // lengthFeet / 43560, acre-ft per ft^2 of flow area
  double bottom = 0;          // ft, the elevation of row 0: the invert, or the lowest ground point
  double increment = 0;       // depth step, ft
  double leftBank = 0;        // station, ft, of a surveyed section
  double rightBank = 0;       // station, ft
};

// One reach, converted from the fields, with the values derived from them.
// A trapezoid keeps its single-precision values and its negative values as
// they are; the other shapes are read into `exact` as well.
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
  SectionShape shape = SectionShape::Trapezoid;
  // The system the fields are in. In SI the lengths here are metres, the
  // flows m^3/s and the storage 1000 m^3, and every shape is rated in
  // double precision (`exact`).
  UnitSystem units = UnitSystem::UsCustomary;
  ExactSizes exact;                 // of every shape but the trapezoid
  std::vector<GroundPoint> ground;  // of a surveyed section, left to right

  // The decimal mark as a failure's words take it.
  [[nodiscard]] std::string_view DecimalMark() const { return {&decimalMark, 1}; }
};

inline constexpr double kFeetPerMile = 5280;
inline constexpr double kSquareFeetPerAcre = 43560;
inline constexpr double kManningCoefficient = 1.486;  // US customary units

// Converts the fields in this order, so that the first failure is reported:
// the section's shape; maximum flow, width, bank slope (0 becomes 2), fall,
// length; then the length in feet and the slope; then n and the Manning
// factor; then the storage factor; then invert and increment (0 becomes 1).
// A negative width, bank slope, fall, length, n or increment is refused
// (InvalidArgument) as soon as it is converted. Only the fields the shape
// uses are read.
//
// The other shapes read the same fields in the same order, their own in
// place of the width and bank slope: a rectangle's width or a circle's
// diameter, which must be more than 0, as must every n; the overbanks' n
// after the channel's; and for a surveyed section `ground` and its banks
// last, in place of the invert. Throws RatingFailure.
//
// The Units field comes before all of these: in SI every shape, the
// trapezoid too, is read and rated in double precision.
ChannelParameters ReadChannelParameters(const FieldTexts& texts, std::string_view decimalSeparator,
                                        std::span<const GroundPoint> ground = {});

}  // namespace rating
