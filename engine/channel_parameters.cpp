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
    throw RatingFailure(FailureKind::Overflow,
                        std::string(FieldLabel(InputField::Slope)) + " \"" + fallText +
                            "\" begins with a number beyond the single-precision range.",
                        InputField::Slope);
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
    throw RatingFailure(FailureKind::InvalidArgument,
                        std::string(FieldLabel(field)) + " " + text.substr(first, last - first + 1) +
                            " must not be negative.",
                        field);
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
  using checked::Mul;
  using checked::Store;

  ChannelParameters p;
  p.MaxFlow = convert(texts.MaxQ, InputField::MaxQ);
  p.BottomWidth = convertSize(texts.Width, InputField::Width);
  p.BankSlope = convertSize(texts.Bank, InputField::Bank);
  if (p.BankSlope == 0) p.BankSlope = kBankSlopeForZero;
  p.Fall = convertSize(texts.Slope, InputField::Slope);
  const float length = convertSize(texts.Length, InputField::Length);  // mi

  p.LengthFeet = Store(Mul(length, kFeetPerMile, At(Quantity::LengthFeet)), At(Quantity::LengthFeet));
  p.Slope = Store(Div(p.Fall, p.LengthFeet, At(Quantity::Slope)), At(Quantity::Slope));
  const float n = convertSize(texts.N, InputField::N);
  p.ManningFactor =
      Store(Div(kManningCoefficient, n, At(Quantity::ManningFactor)), At(Quantity::ManningFactor));
  p.StorageFactor =
      Store(Div(p.LengthFeet, kSquareFeetPerAcre, At(Quantity::StorageFactor)), At(Quantity::StorageFactor));
  p.Invert = convert(texts.Elev, InputField::Elev);
  p.Increment = convertSize(texts.Increment, InputField::Increment);
  if (p.Increment == 0) p.Increment = kIncrementForZero;

  // The fall text does not change while a run holds the window, so its
  // lenient reading can be taken once here.
  p.CascadeFall = ReadCascadeFall(texts.Slope, decimalSeparator);
  return p;
}

}  // namespace rating
