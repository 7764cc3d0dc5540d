#include "engine/rating_table.h"

#include <string>

#include "engine/checked_arithmetic.h"
#include "engine/failure.h"
#include "engine/number_text.h"

namespace rating {

namespace {

// Manning's hydraulic-radius exponent as the rating has always used it
// (0.6666, not 2/3); ratings made before and after must agree.
constexpr double kRadiusExponent = 0.6666;
constexpr double kCascadeOffset = 2;  // routing steps taken off the reach's count
constexpr float kMinimumCascades = 1;

[[noreturn]] void FailTableFull(float maxFlow) {
  throw RatingFailure(FailureKind::IndexOutOfRange,
                      "the flow did not exceed " + std::string(FieldLabel(InputField::MaxQ)) + " " +
                          PlainNumberText(maxFlow, ".") + " by row " + std::to_string(kLastTableIndex) + ".",
                      InputField::MaxQ);
}

}  // namespace

void CheckRowIndex(const RatingTable& table, int row) {
  if (row < 0 || row > table.LastRow) {
    throw RatingFailure(FailureKind::IndexOutOfRange, "row " + std::to_string(row) +
                                                          " is outside the table (rows 0 to " +
                                                          std::to_string(table.LastRow) + ").");
  }
}

RatingTable CreateRatingTable(const ChannelParameters& channel) {
  RatingTable table;
  table.Elevation[0] = channel.Invert;
  return table;
}

void ComputeRatingTable(const ChannelParameters& c, RatingTable& t) {
  using namespace checked;
  const float Z = c.BankSlope;
  const float B = c.BottomWidth;
  float prevVolume = 0;  // ft^3
  float prevFlow = 0;    // cfs

  for (std::int16_t i = 1;; ++i) {
    if (i > kLastTableIndex) FailTableFull(c.MaxFlow);
    const auto at = [i](Quantity q) { return Site{q, i}; };

    const float D = Store(Mul(i, c.Increment, at(Quantity::Depth)), at(Quantity::Depth));
    t.Elevation[i] = Store(Add(D, c.Invert, at(Quantity::Elevation)), at(Quantity::Elevation));

    const Site area = at(Quantity::FlowArea);
    const float A = Store(Add(Mul(Mul(D, Z, area), D, area), Mul(B, D, area), area), area);

    // Mean width A / D, not the top width: the cascade count uses it.
    const Site width = at(Quantity::MeanWidth);
    const float W = Store(Add(Mul(D, Z, width), B, width), width);

    const Site perimeter = at(Quantity::WettedPerimeter);
    const double bankRun = Pow(Mul(D, Z, perimeter), 2.0, perimeter);
    const double bankLength = Sqrt(Add(bankRun, Mul(D, D, perimeter), perimeter), perimeter);
    const float P = Store(Add(Mul(2.0, bankLength, perimeter), B, perimeter), perimeter);

    const double rootSlope = Sqrt(c.Slope, at(Quantity::RootSlope));

    const Site flow = at(Quantity::Flow);
    const double radiusTerm = Pow(Div(A, P, flow), kRadiusExponent, flow);
    t.Flow[i] = Store(Mul(Mul(radiusTerm, Mul(A, c.ManningFactor, flow), flow), rootSlope, flow), flow);

    t.Storage[i] = Store(Mul(A, c.StorageFactor, at(Quantity::Storage)), at(Quantity::Storage));
    t.Area[i] = A;

    const float V = Store(Div(t.Flow[i], A, at(Quantity::Velocity)), at(Quantity::Velocity));
    const float volume = Store(Mul(c.LengthFeet, t.Area[i], at(Quantity::Volume)), at(Quantity::Volume));

    const Site travel = at(Quantity::TravelTime);
    const float K =
        Store(Div(Sub(volume, prevVolume, travel), Sub(t.Flow[i], prevFlow, travel), travel), travel);

    const Site cascades = at(Quantity::Cascades);
    double n = Mul(c.LengthFeet, W, cascades);
    n = Div(n, K, cascades);
    n = Mul(n, c.CascadeFall, cascades);
    n = Div(n, t.Flow[i], cascades);
    t.Cascades[i] = Store(n, cascades);
    t.Cascades[i] = Store(Sub(Div(t.Cascades[i], V, cascades), kCascadeOffset, cascades), cascades);
    if (!(t.Cascades[i] >= kMinimumCascades)) t.Cascades[i] = kMinimumCascades;

    prevVolume = volume;
    prevFlow = t.Flow[i];

    if (t.Flow[i] > c.MaxFlow) {
      t.LastRow = i;
      return;
    }
  }
}

}  // namespace rating
