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

float ReadCascadeFall(const std::string& fallText) {
  const auto single = static_cast<float>(ReadLeadingNumber(fallText));
  if (std::isinf(single)) {
    throw RatingFailure(FailureKind::Overflow,
                        std::string(FieldLabel(InputField::Slope)) + " \"" + fallText +
                            "\" begins with a number beyond the single-precision range.",
                        InputField::Slope);
  }
  return single;
}

}  // namespace

ChannelParameters ReadChannelParameters(const ChannelTexts& texts, std::string_view decimalSeparator) {
  const auto convert = [decimalSeparator](const std::string& text, InputField field) {
    return ConvertStrict(text, decimalSeparator, field);
  };
  using checked::Div;
  using checked::Mul;
  using checked::Store;

  ChannelParameters p;
  p.MaxFlow = convert(texts.MaxQ, InputField::MaxQ);
  p.BottomWidth = convert(texts.Width, InputField::Width);
  p.BankSlope = convert(texts.Bank, InputField::Bank);
  if (p.BankSlope == 0) p.BankSlope = kBankSlopeForZero;
  p.Fall = convert(texts.Slope, InputField::Slope);
  const float length = convert(texts.Length, InputField::Length);  // mi

  p.LengthFeet = Store(Mul(length, kFeetPerMile, At(Quantity::LengthFeet)), At(Quantity::LengthFeet));
  p.Slope = Store(Div(p.Fall, p.LengthFeet, At(Quantity::Slope)), At(Quantity::Slope));
  const float n = convert(texts.N, InputField::N);
  p.ManningFactor =
      Store(Div(kManningCoefficient, n, At(Quantity::ManningFactor)), At(Quantity::ManningFactor));
  p.StorageFactor =
      Store(Div(p.LengthFeet, kSquareFeetPerAcre, At(Quantity::StorageFactor)), At(Quantity::StorageFactor));
  p.Invert = convert(texts.Elev, InputField::Elev);
  p.Increment = convert(texts.Increment, InputField::Increment);
  if (p.Increment == 0) p.Increment = kIncrementForZero;

  // The fall text does not change while a run holds the window, so its
  // lenient reading can be taken once here.
  p.CascadeFall = ReadCascadeFall(texts.Slope);
  return p;
}

}  // namespace rating
