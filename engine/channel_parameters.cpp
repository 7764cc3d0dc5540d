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

float ReadCascadeFall(const std::string& fallText, std::string_view decimalSeparator) {
  const auto single = static_cast<float>(ReadLeadingNumber(fallText, decimalSeparator));
  if (std::isinf(single)) {
    throw FieldFailure(FailureKind::Overflow, InputField::Fall,
                       "\"" + fallText + "\" begins with a number beyond the single-precision range.");
  }
  return single;
}

// A channel cannot have a negative width, bank slope, fall, length,
// roughness or depth step; the formulas would give a plausible-looking table
// or fail far from the cause. Zero keeps its meaning.
void RefuseNegative(float value, const std::string& text, InputField field) {
  if (value < 0) {
    const auto first = text.find_first_not_of(" \t");
    const auto last = text.find_last_not_of(" \t");
    throw FieldFailure(FailureKind::InvalidArgument, field,
                       text.substr(first, last - first + 1) + " must not be negative.");
  }
}

}  // namespace

ChannelParameters ReadChannelParameters(const ChannelTexts& texts, std::string_view decimalSeparator) {
  const auto convert = [decimalSeparator](const std::string& text, InputField field) {
    return ConvertStrict(text, decimalSeparator, field);
  };
  const auto convertSize = [&convert](const std::string& text, InputField field) {
    const float value = convert(text, field);
    RefuseNegative(value, text, field);
    return value;
  };
  using checked::Div;
  using checked::Store;

  ChannelParameters p;
  p.maxFlow = convert(texts.maxFlow, InputField::MaxFlow);
  p.bottomWidth = convertSize(texts.bottomWidth, InputField::BottomWidth);
  p.bankSlope = convertSize(texts.bankSlope, InputField::BankSlope);
  if (p.bankSlope == 0) p.bankSlope = kBankSlopeForZero;
  p.fall = convertSize(texts.fall, InputField::Fall);
  p.length = convertSize(texts.length, InputField::Length);
  p.lengthFeet = Store(p.length * kFeetPerMile, At(Quantity::LengthFeet));
  p.slope = Store(Div(p.fall, p.lengthFeet, At(Quantity::Slope)), At(Quantity::Slope));
  p.roughness = convertSize(texts.roughness, InputField::Roughness);
  p.manningFactor =
      Store(Div(kManningCoefficient, p.roughness, At(Quantity::ManningFactor)), At(Quantity::ManningFactor));
  p.storageFactor =
      Store(Div(p.lengthFeet, kSquareFeetPerAcre, At(Quantity::StorageFactor)), At(Quantity::StorageFactor));
  p.invert = convert(texts.invert, InputField::Invert);
  p.increment = convertSize(texts.increment, InputField::Increment);
  if (p.increment == 0) p.increment = kIncrementForZero;

  // The fall text does not change while a run holds the window, so its
  // lenient reading can be taken once here.
  p.cascadeFall = ReadCascadeFall(texts.fall, decimalSeparator);
  return p;
}

}  // namespace rating
