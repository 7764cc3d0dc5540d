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
                      "the flow did not exceed " + std::string(Facts(InputField::MaxFlow).label) + " " +
                          PlainNumberText(maxFlow, ".") + " by row " + std::to_string(kLastTableIndex) + ".",
                      InputField::MaxFlow);
}

}  // namespace

void CheckRowIndex(const RatingTable& table, int row) {
  if (row < 0 || row > table.lastRow) {
    throw RatingFailure(FailureKind::IndexOutOfRange, "row " + std::to_string(row) +
                                                          " is outside the table (rows 0 to " +
                                                          std::to_string(table.lastRow) + ").");
  }
}

RatingTable CreateRatingTable(const ChannelParameters& channel) {
  RatingTable table;
  table.elevation[0] = channel.invert;
  return table;
}

void ComputeRatingTable(const ChannelParameters& c, RatingTable& t) {
  using namespace checked;
  const float Z = c.bankSlope;
  const float B = c.bottomWidth;
  float prevVolume = 0;  // ft^3
  float prevFlow = 0;    // cfs

  for (std::int16_t i = 1;; ++i) {
    if (i > kLastTableIndex) FailTableFull(c.maxFlow);
    const auto at = [i](Quantity q) { return Site{q, i}; };

    const float D = Store(Mul(i, c.increment, at(Quantity::Depth)), at(Quantity::Depth));
    t.elevation[i] = Store(Add(D, c.invert, at(Quantity::Elevation)), at(Quantity::Elevation));

    const Site area = at(Quantity::FlowArea);
    const float A = Store(Add(Mul(Mul(D, Z, area), D, area), Mul(B, D, area), area), area);

    // Mean width A / D, not the top width: the cascade count uses it.
    const Site width = at(Quantity::MeanWidth);
    const float W = Store(Add(Mul(D, Z, width), B, width), width);

    const Site perimeter = at(Quantity::WettedPerimeter);
    const double bankRun = Pow(Mul(D, Z, perimeter), 2.0, perimeter);
    const double bankLength = Sqrt(Add(bankRun, Mul(D, D, perimeter), perimeter), perimeter);
    const float P = Store(Add(Mul(2.0, bankLength, perimeter), B, perimeter), perimeter);

    const double rootSlope = Sqrt(c.slope, at(Quantity::RootSlope));

    const Site flow = at(Quantity::Flow);
    const double radiusTerm = Pow(Div(A, P, flow), kRadiusExponent, flow);
    t.flow[i] = Store(Mul(Mul(radiusTerm, Mul(A, c.manningFactor, flow), flow), rootSlope, flow), flow);

    t.storage[i] = Store(Mul(A, c.storageFactor, at(Quantity::Storage)), at(Quantity::Storage));
    t.area[i] = A;

    const float V = Store(Div(t.flow[i], A, at(Quantity::Velocity)), at(Quantity::Velocity));
    const float volume = Store(Mul(c.lengthFeet, t.area[i], at(Quantity::Volume)), at(Quantity::Volume));

    const Site travel = at(Quantity::TravelTime);
    const float K =
        Store(Div(Sub(volume, prevVolume, travel), Sub(t.flow[i], prevFlow, travel), travel), travel);

    const Site cascades = at(Quantity::Cascades);
    double n = Mul(c.lengthFeet, W, cascades);
    n = Div(n, K, cascades);
    n = Mul(n, c.cascadeFall, cascades);
    n = Div(n, t.flow[i], cascades);
    t.cascades[i] = Store(n, cascades);
    t.cascades[i] = Store(Sub(Div(t.cascades[i], V, cascades), kCascadeOffset, cascades), cascades);
    if (!(t.cascades[i] >= kMinimumCascades)) t.cascades[i] = kMinimumCascades;

    prevVolume = volume;
    prevFlow = t.flow[i];

    if (t.flow[i] > c.maxFlow) {
      t.lastRow = i;
      return;
    }
  }
}

}  // namespace rating
