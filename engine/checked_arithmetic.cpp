#include "engine/checked_arithmetic.h"

#include <cmath>
#include <optional>
#include <string>

#include "engine/failure.h"

namespace rating::checked {

namespace {

struct QuantityText {
  Message name = Message::QuantityFlow;
  std::optional<InputField> field;  // the field to blame for a derived value
};

QuantityText Describe(Quantity quantity) {
  switch (quantity) {
    case Quantity::LengthFeet: return {Message::QuantityLengthFeet, InputField::Length};
    case Quantity::Slope: return {Message::QuantitySlope, InputField::Length};
    case Quantity::ManningFactor: return {Message::QuantityManningFactor, InputField::Roughness};
    case Quantity::Depth: return {Message::QuantityDepth, std::nullopt};
    case Quantity::Elevation: return {Message::QuantityElevation, std::nullopt};
    case Quantity::FlowArea: return {Message::QuantityFlowArea, std::nullopt};
    case Quantity::MeanWidth: return {Message::QuantityMeanWidth, std::nullopt};
    case Quantity::WettedPerimeter: return {Message::QuantityWettedPerimeter, std::nullopt};
    case Quantity::Flow: return {Message::QuantityFlow, std::nullopt};
    case Quantity::Storage: return {Message::QuantityStorage, std::nullopt};
    case Quantity::Velocity: return {Message::QuantityVelocity, std::nullopt};
    case Quantity::Volume: return {Message::QuantityVolume, std::nullopt};
    case Quantity::TravelTime: return {Message::QuantityTravelTime, std::nullopt};
    case Quantity::Cascades: return {Message::QuantityCascades, std::nullopt};
  }
  return {Message::QuantityFlow, std::nullopt};
}

// The likely cause in the user's terms, for the divisions by zero that
// ordinary input reaches.
std::optional<Message> Hint(FailureKind kind, Quantity quantity) {
  if (kind != FailureKind::DivisionByZero && kind != FailureKind::InvalidArgument) return std::nullopt;
  switch (quantity) {
    case Quantity::Slope: return Message::HintLengthZero;
    case Quantity::ManningFactor: return Message::HintRoughnessZero;
    case Quantity::TravelTime: return Message::HintEqualFlows;
    case Quantity::Cascades: return Message::HintEqualVolumes;
    default: return std::nullopt;
  }
}

}  // namespace

void Fail(FailureKind kind, Site site) {
  const QuantityText text = Describe(site.quantity);
  const std::optional<Message> hint = Hint(kind, site.quantity);
  const std::string row = std::to_string(site.row);
  const Arg<"kind"> kindText = FailureKindText(kind);
  const Arg<"quantity"> quantity = Pattern(text.name);
  const Arg<"hint"> hintText = hint ? Pattern(*hint) : "";
  if (site.row > 0) {
    throw RatingFailure(kind,
                        hint ? Compose(Message::RowFaultHint, kindText, Arg<"row">(row), quantity, hintText)
                             : Compose(Message::RowFault, kindText, Arg<"row">(row), quantity),
                        std::nullopt, site.row);
  }
  throw RatingFailure(kind,
                      hint ? Compose(Message::DerivedValueFaultHint, kindText, quantity, hintText)
                           : Compose(Message::DerivedValueFault, kindText, quantity),
                      text.field);
}

void FailResult(double value, Site site) {
  Fail(std::isnan(value) ? FailureKind::InvalidArgument : FailureKind::Overflow, site);
}

void FailDivision(double dividend, Site site) {
  Fail(dividend == 0.0 ? FailureKind::InvalidArgument : FailureKind::DivisionByZero, site);
}

}  // namespace rating::checked
