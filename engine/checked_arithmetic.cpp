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
    case Quantity::RootSlope: return {"square root of the slope", std::nullopt};
    case Quantity::Flow: return {"flow", std::nullopt};
    case Quantity::Storage: return {"storage", std::nullopt};
    case Quantity::Velocity: return {"velocity", std::nullopt};
    case Quantity::Volume: return {"volume", std::nullopt};
    case Quantity::TravelTime: return {"travel time K", std::nullopt};
    case Quantity::Cascades: return {"cascades", std::nullopt};
  }
  return {"value", std::nullopt};
}

// The likely cause in the user's terms, for the faults that ordinary input reaches.
const char* Hint(FailureKind kind, Quantity quantity) {
  const bool zeroDivisor = kind == FailureKind::DivisionByZero || kind == FailureKind::InvalidArgument;
  switch (quantity) {
    case Quantity::Slope: return zeroDivisor ? "the channel length is 0" : nullptr;
    case Quantity::ManningFactor: return zeroDivisor ? "Manning's roughness is 0" : nullptr;
    case Quantity::RootSlope: return "the slope is negative (a negative fall or length)";
    case Quantity::Flow:
      return kind == FailureKind::InvalidArgument  ? "the flow area over the wetted perimeter is negative (a "
                                                     "negative increment, width or bank slope)"
             : kind == FailureKind::DivisionByZero ? "the wetted perimeter is 0"
                                                   : nullptr;
    case Quantity::TravelTime:
      return zeroDivisor ? "two successive rows have equal flow (a fall of 0 gives no flow)" : nullptr;
    case Quantity::Cascades:
      return zeroDivisor ? "two successive rows have equal volume, or the flow is 0" : nullptr;
    default: return nullptr;
  }
}

}  // namespace

void Fail(FailureKind kind, Site site) {
  const QuantityText text = Describe(site.quantity);
  std::string detail = site.row > 0 ? text.name : std::string("computing the ") + text.name;
  if (const char* hint = Hint(kind, site.quantity)) detail.append(": ").append(hint);
  detail += ".";
  if (site.row > 0) throw RowFailure(kind, site.row, detail);
  throw RatingFailure(kind, detail, text.field);
}

void FailResult(double value, Site site) {
  Fail(std::isnan(value) ? FailureKind::InvalidArgument : FailureKind::Overflow, site);
}

void FailDivision(double dividend, Site site) {
  Fail(dividend == 0.0 ? FailureKind::InvalidArgument : FailureKind::DivisionByZero, site);
}

}  // namespace rating::checked
