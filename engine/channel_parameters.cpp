#include "engine/channel_parameters.h"

#include <cmath>

#include "engine/checked_arithmetic.h"
#include "engine/failure.h"
#include "engine/text_to_number.h"

namespace rating {

namespace {

constexpr float kBankSlopeForZero = 2;  // a bank slope of exactly 0 is taken as 2:1
constexpr float kIncrementForZero = 1;  // an increment of exactly 0 is taken as 1 ft

constexpr Site At(Quantity quantity) { return {quantity, 0}; }

// A channel cannot have a negative width, bank slope, fall, length,
// roughness or depth step; the formulas would give a plausible-looking table
// or fail far from the cause. Zero keeps its meaning.
void RefuseNegative(float value, const std::string& text, InputField field) {
  if (value < 0) {
    const auto first = text.find_first_not_of(" \t");
    const auto last = text.find_last_not_of(" \t");
    throw FieldFailure(FailureKind::InvalidArgument, Message::FieldNegative, field,
                       std::string_view(text).substr(first, last - first + 1));
  }
}

}  // namespace

ChannelParameters ReadChannelParameters(const FieldTexts& texts, std::string_view decimalSeparator) {
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

  ChannelParameters p;
  p.decimalMark = decimalSeparator == "," ? ',' : '.';
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
  return p;
}

}  // namespace rating
