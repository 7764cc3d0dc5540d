#include "engine/channel_parameters.h"

#include <algorithm>
#include <cmath>

#include "engine/checked_arithmetic.h"
#include "engine/decimal_text.h"
#include "engine/failure.h"
#include "engine/text_to_number.h"
#include "engine/trimmed_text.h"
#include "engine/unit_system.h"

namespace rating {

namespace {

constexpr float kBankSlopeForZero = 2;  // a bank slope of exactly 0 is taken as 2:1
constexpr float kIncrementForZero = 1;  // an increment of exactly 0 is taken as 1 ft

constexpr Site At(Quantity quantity) { return {quantity, 0}; }

// A channel cannot have a negative width, bank slope, fall, length,
// roughness or depth step; the formulas would give a plausible-looking table
// or fail far from the cause. Zero keeps its meaning.
void RefuseNegative(double value, std::string_view text, InputField field,
                    UnitSystem units = UnitSystem::UsCustomary) {
  if (value < 0) {
    throw FieldFailure(FailureKind::InvalidArgument, Message::FieldNegative, field, TrimmedText(text), units);
  }
}

}  // namespace

namespace {

// The trapezoid's fields, in single precision, as it has always read them.
void ReadTrapezoid(const FieldTexts& texts, std::string_view decimalSeparator, ChannelParameters& p) {
  const auto convert = [&texts, decimalSeparator](InputField field) {
    return ConvertStrict(TextOf(texts, field), decimalSeparator, field);
  };
  const auto convertSize = [&convert, &texts](InputField field) {
    const float value = convert(field);
    RefuseNegative(value, TextOf(texts, field), field);
    return value;
  };
  using checked::Div;
  using checked::Store;

  p.maxFlow = convert(InputField::MaxFlow);
  p.bottomWidth = convertSize(InputField::BottomWidth);
  p.bankSlope = convertSize(InputField::BankSlope);
  p.bankSlopeWasZero = p.bankSlope == 0;
  if (p.bankSlopeWasZero) p.bankSlope = kBankSlopeForZero;
  p.fall = convertSize(InputField::Fall);
  p.length = convertSize(InputField::Length);
  p.lengthFeet = Store(p.length * kFeetPerMile, At(Quantity::LengthFeet));
  p.slope = Store(Div(p.fall, p.lengthFeet, At(Quantity::Slope)), At(Quantity::Slope));
  p.roughness = convertSize(InputField::Roughness);
  p.manningFactor =
      Store(Div(kManningCoefficient, p.roughness, At(Quantity::ManningFactor)), At(Quantity::ManningFactor));
  // A finite single divided by the constant 43560 cannot fault: unchecked.
  p.storageFactor = static_cast<float>(static_cast<double>(p.lengthFeet) / kSquareFeetPerAcre);
  p.invert = convert(InputField::Invert);
  p.increment = convertSize(InputField::Increment);
  p.incrementWasZero = p.increment == 0;
  if (p.incrementWasZero) p.increment = kIncrementForZero;
}

// The trimmed text of a field, as a failure quotes it.
std::string_view Typed(const FieldTexts& texts, InputField field) {
  return TrimmedText(TextOf(texts, field));
}

// Whether a field is left blank: an overbank's n or a bank station that
// takes its default.
bool Blank(const FieldTexts& texts, InputField field) { return Typed(texts, field).empty(); }

// A surveyed section's ground line and its banks: a blank bank is the
// first or the last point; a bank must lie within the stations, the left
// one left of the right one.
void ReadGround(const FieldTexts& texts, std::string_view separator, std::span<const GroundPoint> ground,
                ChannelParameters& p) {
  CheckGroundLine(ground);
  p.ground.assign(ground.begin(), ground.end());
  const double first = ground.front().station;
  const double last = ground.back().station;
  const auto bank = [&](InputField field, double byDefault) {
    if (Blank(texts, field)) return byDefault;
    const double station = ConvertStrictDouble(TextOf(texts, field), separator, field, p.units);
    if (station < first || station > last) {
      constexpr FailureKind kKind = FailureKind::InvalidArgument;
      throw RatingFailure(kKind,
                          Compose(Message::SectionBankOutside, Arg<"kind">(FailureKindText(kKind)),
                                  Arg<"field">(FieldLabel(field, p.units)), Arg<"text">(Typed(texts, field)),
                                  Arg<"first">(ReadableNumber(first, p.DecimalMark())),
                                  Arg<"last">(ReadableNumber(last, p.DecimalMark()))),
                          field);
    }
    return station;
  };
  p.exact.leftBank = bank(InputField::LeftBank, first);
  p.exact.rightBank = bank(InputField::RightBank, last);
  if (!(p.exact.leftBank < p.exact.rightBank)) {
    constexpr FailureKind kKind = FailureKind::InvalidArgument;
    const InputField blamed =
        Blank(texts, InputField::LeftBank) ? InputField::RightBank : InputField::LeftBank;
    throw RatingFailure(kKind,
                        Compose(Message::SectionBanksCrossed, Arg<"kind">(FailureKindText(kKind)),
                                Arg<"field">(FieldLabel(InputField::LeftBank, p.units)),
                                Arg<"text">(ReadableNumber(p.exact.leftBank, p.DecimalMark())),
                                Arg<"rightField">(FieldLabel(InputField::RightBank, p.units)),
                                Arg<"right">(ReadableNumber(p.exact.rightBank, p.DecimalMark()))),
                        blamed);
  }
  p.exact.bottom =
      std::min_element(ground.begin(), ground.end(), [](const GroundPoint& a, const GroundPoint& b) {
        return a.elevation < b.elevation;
      })->elevation;
}

// A rectangle, a circle or a surveyed section, read in double precision, in
// the order of the trapezoid's fields. The single-precision members are the
// same values rounded, for the messages and the routing that read them.
void ReadOtherSection(const FieldTexts& texts, std::string_view separator,
                      std::span<const GroundPoint> ground, ChannelParameters& p) {
  const auto convert = [&texts, separator, &p](InputField field) {
    return ConvertStrictDouble(TextOf(texts, field), separator, field, p.units);
  };
  const auto convertSize = [&convert, &texts, &p](InputField field) {
    const double value = convert(field);
    RefuseNegative(value, TextOf(texts, field), field, p.units);
    return value;
  };
  const auto convertPositive = [&convert, &texts, &p](InputField field) {
    const double value = convert(field);
    if (!(value > 0)) {
      throw FieldFailure(FailureKind::InvalidArgument, Message::FieldNotPositive, field, Typed(texts, field),
                         p.units);
    }
    return value;
  };
  // A derived value's failure is worded in the channel's units.
  const auto at = [&p](Quantity quantity) { return Site{quantity, 0, &p}; };
  using checked::Div;
  using checked::Store;
  ExactSizes& x = p.exact;

  x.maxFlow = convert(InputField::MaxFlow);
  p.maxFlow = static_cast<float>(x.maxFlow);
  if (p.shape == SectionShape::Rectangle) {
    x.width = convertPositive(InputField::BottomWidth);
    p.bottomWidth = static_cast<float>(x.width);
  }
  if (p.shape == SectionShape::Trapezoid) {
    x.width = convertSize(InputField::BottomWidth);
    p.bottomWidth = static_cast<float>(x.width);
    x.bankSlope = convertSize(InputField::BankSlope);
    p.bankSlopeWasZero = x.bankSlope == 0;
    if (p.bankSlopeWasZero) x.bankSlope = kBankSlopeForZero;
    p.bankSlope = static_cast<float>(x.bankSlope);
  }
  if (p.shape == SectionShape::Circle) {
    x.diameter = convertPositive(InputField::Diameter);
  }
  x.fall = convertSize(InputField::Fall);
  p.fall = static_cast<float>(x.fall);
  const double length = convertSize(InputField::Length);  // mi
  p.length = static_cast<float>(length);
  const UnitFacts& units = Facts(p.units);
  x.lengthFeet = length * units.lengthPerReachUnit;
  p.lengthFeet = Store(x.lengthFeet, at(Quantity::LengthFeet));
  x.slope = Div(x.fall, x.lengthFeet, at(Quantity::Slope));
  p.slope = Store(x.slope, at(Quantity::Slope));
  const double n = x.roughness = convertPositive(InputField::Roughness);
  p.roughness = static_cast<float>(n);
  x.manningFactor = units.manningCoefficient / n;
  p.manningFactor = Store(x.manningFactor, at(Quantity::ManningFactor));
  x.leftRoughness = n;
  x.rightRoughness = n;
  if (p.shape == SectionShape::Surveyed) {
    if (!Blank(texts, InputField::LeftRoughness)) {
      x.leftRoughness = convertPositive(InputField::LeftRoughness);
    }
    if (!Blank(texts, InputField::RightRoughness)) {
      x.rightRoughness = convertPositive(InputField::RightRoughness);
    }
  }
  x.leftFactor = units.manningCoefficient / x.leftRoughness;
  x.rightFactor = units.manningCoefficient / x.rightRoughness;
  x.storageFactor = x.lengthFeet / units.areaPerStorageUnit;
  p.storageFactor = static_cast<float>(x.storageFactor);
  if (p.shape != SectionShape::Surveyed) {
    x.bottom = convert(InputField::Invert);
  }
  x.increment = convertSize(InputField::Increment);
  p.incrementWasZero = x.increment == 0;
  if (p.incrementWasZero) x.increment = kIncrementForZero;
  p.increment = static_cast<float>(x.increment);
  if (p.shape == SectionShape::Surveyed) ReadGround(texts, separator, ground, p);
  p.invert = static_cast<float>(x.bottom);
}

}  // namespace

ChannelParameters ReadChannelParameters(const FieldTexts& texts, std::string_view decimalSeparator,
                                        std::span<const GroundPoint> ground) {
  ChannelParameters p;
  p.decimalMark = decimalSeparator == "," ? ',' : '.';
  p.units = ReadUnitSystem(TextOf(texts, InputField::Units));
  p.shape = ReadSectionShape(TextOf(texts, InputField::Shape));
  if (p.shape == SectionShape::Trapezoid && p.units == UnitSystem::UsCustomary) {
    ReadTrapezoid(texts, decimalSeparator, p);
  } else {
    ReadOtherSection(texts, decimalSeparator, ground, p);
  }
  return p;
}

}  // namespace rating
