#include "engine/rating_table.h"

#include <array>
#include <cmath>
#include <optional>
#include <string>

#include "engine/checked_arithmetic.h"
#include "engine/cross_section.h"
#include "engine/decimal_text.h"
#include "engine/failure.h"
#include "engine/number_text.h"

namespace rating {

namespace {

// Manning's hydraulic-radius exponent as the rating has always used it
// (0.6666, not 2/3); ratings made before and after must agree.
constexpr double kRadiusExponent = 0.6666;
constexpr double kCascadeOffset = 2;  // routing steps taken off the reach's count
constexpr float kMinimumCascades = 1;
constexpr double kCrownTolerance = 1e-12;  // of the diameter: a depth within it of the crown is full

// The flow has not passed the maximum in the table's rows: the maximum is too
// high, or the depth step too small, and the message names both.
[[noreturn]] void FailTableFull(const ChannelParameters& c) {
  constexpr FailureKind kKind = FailureKind::IndexOutOfRange;
  throw RatingFailure(kKind,
                      Compose(Message::TableFull, Arg<"kind">(FailureKindText(kKind)),
                              Arg<"rows">(std::to_string(kLastTableIndex)),
                              Arg<"field">(FieldLabel(InputField::MaxFlow, c.units)),
                              Arg<"maxFlow">(PlainNumberText(c.maxFlow, c.DecimalMark())),
                              Arg<"incrementField">(FieldLabel(InputField::Increment, c.units)),
                              Arg<"increment">(PlainNumberText(c.increment, c.DecimalMark()))),
                      InputField::MaxFlow);
}

}  // namespace

void CheckRowIndex(const RatingTable& table, int row) {
  if (row < 0 || row > table.lastRow) {
    constexpr FailureKind kKind = FailureKind::IndexOutOfRange;
    throw RatingFailure(
        kKind, Compose(Message::RowOutsideTable, Arg<"kind">(FailureKindText(kKind)),
                       Arg<"row">(std::to_string(row)), Arg<"lastRow">(std::to_string(table.lastRow))));
  }
}

RatingTable CreateRatingTable(const ChannelParameters& channel) {
  RatingTable table;
  table.elevation[0] = channel.invert;
  return table;
}

namespace {

using checked::Div;
using checked::Store;

// Rows 1, 2, ...: depth, elevation, section, flow and storage, until the flow
// first exceeds the maximum, which sets lastRow. `row` follows the row being
// computed, so that the caller knows where a failure arose.
void ComputeSectionsAndFlows(const ChannelParameters& c, RatingTable& t, std::int16_t& row) {
  const double B = c.bottomWidth;  // ft
  const double Z = c.bankSlope;    // run per rise
  // The root of the slope is the same for every row. The fall and length
  // are not negative, so neither is the slope.
  const double rootSlope = std::sqrt(static_cast<double>(c.slope));

  for (std::int16_t& i = row = 1;; ++i) {
    if (i > kLastTableIndex) FailTableFull(c);
    const auto at = [i, &c](Quantity q) { return Site{q, i, &c}; };

    const double D = t.depth[i] = Store(i * static_cast<double>(c.increment), at(Quantity::Depth));
    t.elevation[i] = Store(D + c.invert, at(Quantity::Elevation));
    const double A = t.area[i] = Store(D * Z * D + B * D, at(Quantity::FlowArea));
    // Mean width A / D, not the top width: the cascade count uses it.
    t.meanWidth[i] = Store(D * Z + B, at(Quantity::MeanWidth));
    // The bank run is squared as a product, which IEEE rounds alike
    // everywhere; pow(x, 2) is not correctly rounded, and about one square in
    // a thousand differs by the last bit depending on the C library and CPU.
    const double bankRun = D * Z;  // ft
    const double P = Store(2.0 * std::sqrt(bankRun * bankRun + D * D) + B, at(Quantity::WettedPerimeter));

    // D is at least the increment, which is positive, so P > 2 D > 0; and
    // A >= 0, so the hydraulic radius A / P is finite and not negative, and
    // so is its power.
    const double radiusTerm = std::pow(A / P, kRadiusExponent);
    t.flow[i] = Store(radiusTerm * (A * c.manningFactor) * rootSlope, at(Quantity::Flow));
    t.storage[i] = Store(A * c.storageFactor, at(Quantity::Storage));
    if (t.flow[i] > c.maxFlow) {
      t.lastRow = i;
      return;
    }
  }
}

// A pipe carries its greatest flow near 0.94 of its diameter: a maximum
// flow it cannot pass is refused before any row, with its capacity.
void RefuseSmallPipe(const ChannelParameters& c, double rootSlope) {
  const ExactSizes& x = c.exact;
  const PipeGreatest greatest = PipeGreatestFlow();
  const double capacity =
      x.manningFactor * greatest.unitConveyance * std::pow(x.diameter, 8.0 / 3.0) * rootSlope;  // cfs
  if (capacity > x.maxFlow) return;
  constexpr FailureKind kKind = FailureKind::InvalidArgument;
  throw RatingFailure(kKind,
                      ComposeIn(c.units, Message::PipeTooSmall, Arg<"kind">(FailureKindText(kKind)),
                                Arg<"capacity">(ReadableNumber(capacity, c.DecimalMark())),
                                Arg<"field">(FieldLabel(InputField::MaxFlow, c.units)),
                                Arg<"maxFlow">(PlainNumberText(c.maxFlow, c.DecimalMark())),
                                Arg<"diameterField">(FieldLabel(InputField::Diameter, c.units)),
                                Arg<"diameter">(ReadableNumber(x.diameter, c.DecimalMark()))),
                      InputField::MaxFlow);
}

[[noreturn]] void FailAboveCrown(const ChannelParameters& c, std::int16_t row, double depth) {
  constexpr FailureKind kKind = FailureKind::IndexOutOfRange;
  throw RatingFailure(
      kKind,
      ComposeIn(c.units, Message::PipeAboveCrown, Arg<"kind">(FailureKindText(kKind)),
                Arg<"row">(std::to_string(row)), Arg<"depth">(ReadableNumber(depth, c.DecimalMark())),
                Arg<"diameterField">(FieldLabel(InputField::Diameter, c.units)),
                Arg<"diameter">(ReadableNumber(c.exact.diameter, c.DecimalMark())),
                Arg<"incrementField">(FieldLabel(InputField::Increment, c.units))),
      InputField::Increment, row);
}

// The water may not rise above either end of a surveyed section: the ground
// line ends there, and walls beyond it would be a guess.
void RefuseAboveEnds(const ChannelParameters& c, std::int16_t row, double surface) {
  const GroundPoint& left = c.ground.front();
  const GroundPoint& right = c.ground.back();
  if (surface <= left.elevation && surface <= right.elevation) return;
  const GroundPoint& end = surface > left.elevation ? left : right;
  constexpr FailureKind kKind = FailureKind::IndexOutOfRange;
  throw RatingFailure(
      kKind,
      ComposeIn(c.units, Message::SectionAboveEnd, Arg<"kind">(FailureKindText(kKind)),
                Arg<"row">(std::to_string(row)), Arg<"elevation">(ReadableNumber(surface, c.DecimalMark())),
                Arg<"end">(Pattern(&end == &left ? Message::WordsLeftEnd : Message::WordsRightEnd)),
                Arg<"endElevation">(ReadableNumber(end.elevation, c.DecimalMark())),
                Arg<"field">(FieldLabel(InputField::MaxFlow, c.units)),
                Arg<"maxFlow">(PlainNumberText(c.maxFlow, c.DecimalMark()))),
      InputField::MaxFlow, row);
}

// Manning's conveyance 1.486/n A R^(2/3) of one element, none where it is dry.
double Conveyance(double manningFactor, double area, double perimeter) {
  return area > 0 && perimeter > 0 ? manningFactor * area * std::pow(area / perimeter, 2.0 / 3.0) : 0.0;
}

// Rows 1, 2, ... of a rectangle, a circle or a surveyed section, in double
// precision, each value stored as a single when it is assigned; as
// ComputeSectionsAndFlows, until the flow first exceeds the maximum.
void ComputeOtherSectionsAndFlows(const ChannelParameters& c, RatingTable& t, std::int16_t& row) {
  const ExactSizes& x = c.exact;
  const double rootSlope = std::sqrt(x.slope);
  std::optional<SurveyedSection> surveyed;
  if (c.shape == SectionShape::Surveyed) surveyed.emplace(c.ground, x.leftBank, x.rightBank);
  if (c.shape == SectionShape::Circle) RefuseSmallPipe(c, rootSlope);

  for (std::int16_t& i = row = 1;; ++i) {
    if (i > kLastTableIndex) FailTableFull(c);
    const auto at = [i, &c](Quantity q) { return Site{q, i, &c}; };
    const double D = i * x.increment;  // ft
    const double surface = x.bottom + D;
    double A = 0;  // ft^2
    double K = 0;  // conveyance, cfs
    switch (c.shape) {
      case SectionShape::Trapezoid:
        // In SI: the trapezoid's own formulas, in double precision.
        A = (x.width + x.bankSlope * D) * D;
        K = Conveyance(x.manningFactor, A, x.width + 2 * D * std::sqrt(1 + x.bankSlope * x.bankSlope));
        break;
      case SectionShape::Rectangle:
        A = x.width * D;
        K = Conveyance(x.manningFactor, A, x.width + 2 * D);
        break;
      case SectionShape::Circle: {
        // i × increment may land a rounding above a diameter it divides.
        if (D > x.diameter * (1 + kCrownTolerance)) FailAboveCrown(c, i, D);
        const PipeWetted wetted = PipeAt(x.diameter, D);
        A = wetted.area;
        K = Conveyance(x.manningFactor, A, wetted.perimeter);
        break;
      }
      case SectionShape::Surveyed: {
        RefuseAboveEnds(c, i, surface);
        const WettedElements wetted = surveyed->At(surface);
        const std::array<double, kElementCount> factors = {x.leftFactor, x.manningFactor, x.rightFactor};
        for (std::size_t e = 0; e < kElementCount; ++e) {
          A += wetted.area.at(e);
          K += Conveyance(factors.at(e), wetted.area.at(e), wetted.perimeter.at(e));
        }
        break;
      }
    }
    t.depth[i] = Store(D, at(Quantity::Depth));
    t.elevation[i] = Store(surface, at(Quantity::Elevation));
    t.area[i] = Store(A, at(Quantity::FlowArea));
    t.meanWidth[i] = Store(A / D, at(Quantity::MeanWidth));
    t.flow[i] = Store(K * rootSlope, at(Quantity::Flow));
    t.storage[i] = Store(A * x.storageFactor, at(Quantity::Storage));
    if (t.flow[i] > c.maxFlow) {
      t.lastRow = i;
      return;
    }
  }
}

// Rows 1 to lastRow: the routing steps, from the velocity, the reach volume
// and the travel time K between each row and the one above.
//
// The formula is not free of its units: its count scales with the units of
// length and time. A row in SI is taken in feet, cfs and seconds, so that a
// channel gets the same steps in either system; in US units every factor
// is 1, and multiplying by it changes no bit.
void ComputeCascades(const ChannelParameters& c, RatingTable& t, std::int16_t lastRow) {
  const UnitFacts& units = Facts(c.units);
  const double ft = units.feetPerLength;                 // ft per length unit
  const double ft2 = ft * ft;                            // ft^2 per area unit
  const double cfs = units.cubicFeetPerFlowVolume;       // cfs per flow unit
  const double L = c.lengthFeet * ft;                    // ft
  const double fall = static_cast<double>(c.fall) * ft;  // ft
  for (std::int16_t i = 1; i <= lastRow; ++i) {
    const auto at = [i, &c](Quantity q) { return Site{q, i, &c}; };
    const double Q = t.flow[i] * cfs;
    const double A = t.area[i] * ft2;
    const double V = Store(Div(Q, A, at(Quantity::Velocity)), at(Quantity::Velocity));
    const double volume = Store(L * A, at(Quantity::Volume));  // ft^3
    const double prevVolume =
        static_cast<float>(L * (static_cast<double>(t.area[i - 1]) * ft2));  // stored above
    const Site travel = at(Quantity::TravelTime);
    const double K = Store(Div(volume - prevVolume, Q - t.flow[i - 1] * cfs, travel), travel);  // s

    // The cascades take the fall as the strict conversion read it. A text
    // that conversion accepts holds no blank inside it and nothing after the
    // number, so the leading-number reading once used here scanned the same
    // sign, digits, separator and exponent and gave the same value bit for bit.
    const Site cascades = at(Quantity::Cascades);
    const double steps =
        Store(Div(Div(L * (t.meanWidth[i] * ft), K, cascades) * fall, Q, cascades), cascades);
    t.cascades[i] = Store(Div(steps, V, cascades) - kCascadeOffset, cascades);
    if (!(t.cascades[i] >= kMinimumCascades)) t.cascades[i] = kMinimumCascades;
  }
}

}  // namespace

void ComputeRatingTable(const ChannelParameters& channel, RatingTable& table) {
  // The cascades of a row need only that row and the one above, so they are
  // computed in a second pass, where the divisions of many rows overlap: for
  // 1000 rows this takes 40 to 47 us where one pass, cascades row by row,
  // takes 53 to 57 us, against 38 to 42 us for the formulas unchecked. A
  // failure is still the one a row-by-row computation meets first: the
  // cascades of the rows above a failed row come first, and within a row the
  // flow comes before the cascades.
  std::int16_t row = 0;
  try {
    if (channel.shape == SectionShape::Trapezoid && channel.units == UnitSystem::UsCustomary) {
      ComputeSectionsAndFlows(channel, table, row);
    } else {
      ComputeOtherSectionsAndFlows(channel, table, row);
    }
  } catch (const RatingFailure&) {
    ComputeCascades(channel, table, static_cast<std::int16_t>(row - 1));
    throw;
  }
  ComputeCascades(channel, table, table.lastRow);
}

}  // namespace rating
