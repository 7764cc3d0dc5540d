#include "engine/checked_arithmetic.h"

#include <cmath>
#include <optional>
#include <string>

#include "engine/failure.h"

namespace rating::checked {

namespace {

struct QuantityText {
  const char* name = nullptr;
  std::optional<InputField> field;  // the field to blame for a derived value
};

QuantityText Describe(Quantity quantity) {
  switch (quantity) {
    case Quantity::LengthFeet: return {"channel length in feet", InputField::Length};
    case Quantity::Slope: return {"slope = Channel Fall (ft) / channel length", InputField::Length};
    case Quantity::ManningFactor: return {"Manning factor 1.486 / n", InputField::Roughness};
    case Quantity::StorageFactor: return {"storage factor", InputField::Length};
    case Quantity::Depth: return {"depth", std::nullopt};
    case Quantity::Elevation: return {"water-surface elevation", std::nullopt};
    case Quantity::FlowArea: return {"flow area", std::nullopt};
    case Quantity::MeanWidth: return {"mean width", std::nullopt};
    case Quantity::WettedPerimeter: return {"wetted perimeter", std::nullopt};
    case Quantity::Flow: return {"flow", std::nullopt};
    case Quantity::Storage: return {"storage", std::nullopt};
    case Quantity::Velocity: return {"velocity", std::nullopt};
    case Quantity::Volume: return {"volume", std::nullopt};
    case Quantity::TravelTime: return {"travel time K", std::nullopt};
    case Quantity::Cascades: return {"cascades", std::nullopt};
  }
  return {"value", std::nullopt};
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
  const MessageArgument kindText{"kind", FailureKindText(kind)};
  const MessageArgument quantity{"quantity", text.name};
  const MessageArgument hintText{"hint", hint ? Pattern(*hint) : ""};
  if (site.row > 0) {
    throw RatingFailure(kind,
                        hint ? Compose(Message::RowFaultHint, {kindText, {"row", row}, quantity, hintText})
                             : Compose(Message::RowFault, {kindText, {"row", row}, quantity}),
                        std::nullopt, site.row);
  }
  throw RatingFailure(kind,
                      hint ? Compose(Message::DerivedValueFaultHint, {kindText, quantity, hintText})
                           : Compose(Message::DerivedValueFault, {kindText, quantity}),
                      text.field);
}

void FailResult(double value, Site site) {
  Fail(std::isnan(value) ? FailureKind::InvalidArgument : FailureKind::Overflow, site);
}

void FailDivision(double dividend, Site site) {
  Fail(dividend == 0.0 ? FailureKind::InvalidArgument : FailureKind::DivisionByZero, site);
}

}  // namespace rating::checked
