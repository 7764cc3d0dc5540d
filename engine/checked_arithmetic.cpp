#include "engine/checked_arithmetic.h"

#include <array>
#include <cmath>
#include <optional>
#include <string>

#include "engine/channel_parameters.h"
#include "engine/failure.h"
#include "engine/number_text.h"

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

bool IsDivisionFault(FailureKind kind) {
  return kind == FailureKind::DivisionByZero || kind == FailureKind::InvalidArgument;
}

// The likely cause in the user's terms, for the divisions by zero that
// ordinary input reaches. In a row they come of two rows with equal flow or
// volume: no flow at all where the fall is 0 (`blamed` is the fall), and
// otherwise a depth step too small to change them.
std::optional<Message> Hint(FailureKind kind, Quantity quantity, std::optional<InputField> blamed) {
  if (!IsDivisionFault(kind)) return std::nullopt;
  switch (quantity) {
    case Quantity::Slope: return Message::HintLengthZero;
    case Quantity::ManningFactor: return Message::HintRoughnessZero;
    case Quantity::TravelTime:
    case Quantity::Cascades:
      return blamed == InputField::Fall ? Message::HintEqualFlows : Message::HintStepTooSmall;
    default: return std::nullopt;
  }
}

// The value of a field as the rating took it, a substituted 0 as its
// substitute.
float ValueOf(const ChannelParameters& c, InputField field) {
  switch (field) {
    case InputField::BottomWidth: return c.bottomWidth;
    case InputField::BankSlope: return c.bankSlope;
    case InputField::Fall: return c.fall;
    case InputField::Length: return c.length;
    case InputField::Roughness: return c.roughness;
    case InputField::MaxFlow: return c.maxFlow;
    case InputField::Invert: return c.invert;
    case InputField::Diameter: return static_cast<float>(c.exact.diameter);
    case InputField::Increment:
    case InputField::Title:
    case InputField::Filename:
    case InputField::Shape:
    case InputField::LeftBank:
    case InputField::RightBank:
    case InputField::LeftRoughness:
    case InputField::RightRoughness:
    case InputField::Units: break;
  }
  return c.increment;
}

// The field a failure in a row of `c` is blamed on. A division by zero is
// the fall's where it is 0 and otherwise the increment's, as Hint explains.
// An overflow is the field whose value is the most times larger, or smaller,
// than its usual size (the window's default; 1 ft for the invert, whose
// elevations of thousands of feet are far from any overflow): a sum
// or product that overflows is led by its most extreme operand, and a tiny
// roughness or length makes a flow as large as a huge width does.
InputField RowBlame(FailureKind kind, const ChannelParameters& c) {
  if (IsDivisionFault(kind)) return c.fall == 0 ? InputField::Fall : InputField::Increment;
  struct Candidate {
    InputField field;
    float value;
    double usual;
  };
  const std::array<Candidate, 8> candidates = {
      {{InputField::BottomWidth, c.bottomWidth, 50},
       {InputField::Diameter, static_cast<float>(c.exact.diameter), 6},
       {InputField::BankSlope, c.bankSlope, 2},
       {InputField::Fall, c.fall, 110},
       {InputField::Length, c.length, 5.5},
       {InputField::Roughness, c.roughness, 0.025},
       {InputField::Invert, c.invert, 1},
       {InputField::Increment, c.increment, 0.2}}};
  InputField blamed = InputField::Increment;
  double furthest = -1;
  for (const Candidate& candidate : candidates) {
    if (candidate.value == 0) continue;
    const double distance =
        std::abs(std::log(std::abs(static_cast<double>(candidate.value)) / candidate.usual));
    if (distance > furthest) {
      furthest = distance;
      blamed = candidate.field;
    }
  }
  return blamed;
}

}  // namespace

void Fail(FailureKind kind, Site site) {
  const QuantityText text = Describe(site.quantity);
  const std::optional<InputField> blamed =
      site.row > 0 && site.channel != nullptr ? std::optional(RowBlame(kind, *site.channel)) : text.field;
  const std::optional<Message> hint = Hint(kind, site.quantity, blamed);
  const std::string row = std::to_string(site.row);
  const Arg<"kind"> kindText = FailureKindText(kind);
  const UnitSystem units = site.channel != nullptr ? site.channel->units : UnitSystem::UsCustomary;
  const Arg<"quantity"> quantity = Pattern(text.name, units);
  const Arg<"hint"> hintText = hint ? Pattern(*hint) : "";
  if (site.row > 0 && site.channel != nullptr) {
    // The field a row's failure is blamed on is named with the value rated.
    const Arg<"field"> field = FieldLabel(*blamed, units);
    const std::string valueText =
        PlainNumberText(ValueOf(*site.channel, *blamed), site.channel->DecimalMark());
    const Arg<"value"> value(valueText);
    throw RatingFailure(
        kind,
        hint ? Compose(Message::RowFaultHintBlamed, kindText, Arg<"row">(row), quantity, hintText, field,
                       value)
             : Compose(Message::RowFaultBlamed, kindText, Arg<"row">(row), quantity, field, value),
        blamed, site.row);
  }
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
