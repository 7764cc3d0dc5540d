#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "engine/channel_parameters.h"
#include "engine/rating_table.h"
#include "engine/unit_system.h"
#include "routing/rating_reach.h"
#include "routing/storage_routing.h"
#include "run/rating_run.h"
#include "tests/support/field_texts.h"

// A rating and a routing in SI against published figures and against the
// same reach in US customary units, converted by the exact factors.
namespace rating {
namespace {

using testing_support::TextsWith;

constexpr double kCubicMetresPerCubicFoot = kMetresPerFoot * kMetresPerFoot * kMetresPerFoot;

RatingTable Rate(FieldTexts texts, UnitSystem units) {
  TextOf(texts, InputField::Units) = Facts(units).word;
  const ChannelParameters channel = ReadChannelParameters(texts, ".");
  RatingTable table = CreateRatingTable(channel);
  ComputeRatingTable(channel, table);
  return table;
}

// rivr's documented SI trapezoid: 6.1 m wide, banks 1.5:1, n 0.013, slope
// 0.0008 (0.8 m over 1 km), rated in one step of `depth`.
RatingTable Rivr(const char* depth) {
  return Rate(TextsWith({{InputField::BottomWidth, "6.1"},
                         {InputField::BankSlope, "1.5"},
                         {InputField::Roughness, "0.013"},
                         {InputField::Fall, "0.8"},
                         {InputField::Length, "1"},
                         {InputField::Increment, depth},
                         {InputField::MaxFlow, "100"}}),
              UnitSystem::Si);
}

// The default rectangle, 50 ft wide, in feet and entered in metres.
struct SameChannel {
  RatingTable us;
  RatingTable si;
};
SameChannel DefaultRectangleInBoth() {
  const auto metres = [](double feet) { return std::to_string(feet * kMetresPerFoot); };
  FieldTexts si = TextsWith({{InputField::Shape, "rectangle"}});
  TextOf(si, InputField::BottomWidth) = metres(50);
  TextOf(si, InputField::Fall) = metres(110);
  TextOf(si, InputField::Length) = std::to_string(5.5 * kKilometresPerMile);
  TextOf(si, InputField::Increment) = metres(0.2);
  TextOf(si, InputField::MaxFlow) = std::to_string(3000 * kCubicMetresPerCubicFoot);
  return {Rate(TextsWith({{InputField::Shape, "rectangle"}}), UnitSystem::UsCustomary),
          Rate(si, UnitSystem::Si)};
}

// One figure and the figure it must agree with, to `tolerance` relative.
struct Agreement {
  std::string what;
  double actual;
  double expected;
  double tolerance;
};

// Every wet row of the same channel: a quantity in SI, converted to US
// units by `toUs`, against the US row.
std::vector<Agreement> EveryRow(const char* what, const RatingTable::Column RatingTable::*column,
                                double toUs) {
  const SameChannel both = DefaultRectangleInBoth();
  std::vector<Agreement> rows;
  EXPECT_EQ(both.si.lastRow, both.us.lastRow) << "the same rows pass the same maximum flow";
  for (int i = 1; i <= both.us.lastRow; ++i) {
    const auto k = static_cast<std::size_t>(i);
    rows.push_back({std::string(what) + " row " + std::to_string(i), (both.si.*column).at(k) * toUs,
                    (both.us.*column).at(k), 1e-3});
  }
  return rows;
}

// The triangular flood, 100 cfs of base, 2500 cfs at hour 6 and back at
// hour 18, in quarter hours, routed through the default trapezoid's pairs
// in US units, and in SI through the same pairs and flows converted.
std::vector<Agreement> TriangularFloodInBoth() {
  const RatingResult rating = *RateFields(TextsWith(), ".").result;
  const std::vector<routing::StorageOutflowPair> pairs = routing::PairsOfRating(rating.fileRows);
  routing::RoutingRequest us{pairs, {}, 900, 4, {}};
  for (int i = 0; i <= 24 * 4; ++i) {
    const double hour = i / 4.0;
    us.inflow.push_back(hour <= 6 ? 100 + 2400 * hour / 6 : hour <= 18 ? 100 + 2400 * (18 - hour) / 12 : 100);
  }
  routing::RoutingRequest si = us;
  si.units = UnitSystem::Si;
  constexpr double kThousandsOfCubicMetresPerAcreFoot = kCubicMetresPerAcreFoot / 1000;
  for (routing::StorageOutflowPair& pair : si.pairs) {
    pair.storage *= kThousandsOfCubicMetresPerAcreFoot;
    pair.outflow *= kCubicMetresPerCubicFoot;
  }
  for (double& flow : si.inflow) flow *= kCubicMetresPerCubicFoot;
  const routing::RoutingResult inUs = routing::Route(us);
  const routing::RoutingResult inSi = routing::Route(si);
  std::vector<Agreement> agreements;
  for (std::size_t t = 1; t < inUs.outflow.size(); ++t) {
    agreements.push_back({"outflow at ordinate " + std::to_string(t), inSi.outflow.at(t),
                          inUs.outflow.at(t) * kCubicMetresPerCubicFoot, 1e-9});
  }
  agreements.push_back(
      {"volume out", inSi.volumeOut, inUs.volumeOut * kThousandsOfCubicMetresPerAcreFoot, 1e-9});
  agreements.push_back(
      {"storage at the end", inSi.storageEnd, inUs.storageEnd * kThousandsOfCubicMetresPerAcreFoot, 1e-9});
  agreements.push_back({"outflow peak's time", inSi.outflowPeak.time, inUs.outflowPeak.time, 0});
  return agreements;
}

struct SiCheck {
  std::string name;
  std::function<std::vector<Agreement>()> agreements;
  friend void PrintTo(const SiCheck& c, std::ostream* os) { *os << c.name; }
};

class SiChecks : public testing::TestWithParam<SiCheck> {};

TEST_P(SiChecks, AgreeWithTheirFigures) {
  const std::vector<Agreement> agreements = GetParam().agreements();
  ASSERT_FALSE(agreements.empty());
  for (const Agreement& a : agreements) {
    EXPECT_NEAR(a.actual, a.expected, a.tolerance * std::abs(a.expected)) << a.what;
  }
}

// SI's coefficient 1 is (1/0.3048)^(1/3) = 1.48592 in US units, where the
// US rating uses 1.486: the flows differ by their ratio.
const double kUsCoefficientOverSi = 1.486 / std::cbrt(1 / kMetresPerFoot);

INSTANTIATE_TEST_SUITE_P(
    Published, SiChecks,
    testing::Values(
        // rivr: a normal depth of 3.2864 m for 126 m3/s; at 5.79 m an area of
        // 85.605 m2 and a perimeter of 26.976 m, which give its flow.
        SiCheck{"RivrNormalDepth",
                [] {
                  const RatingTable table = Rivr("3.2864");
                  return std::vector<Agreement>{{"rows", static_cast<double>(table.lastRow), 1, 0},
                                                {"flow at 3.2864 m", table.flow.at(1), 126, 1e-3}};
                }},
        SiCheck{"RivrAreaAndPerimeter",
                [] {
                  const RatingTable table = Rivr("5.79");
                  const double radius = 85.605 / 26.976;
                  return std::vector<Agreement>{
                      {"area", table.area.at(1), 85.605, 1e-5},
                      {"flow by A and P", table.flow.at(1),
                       1 / 0.013 * 85.605 * std::pow(radius, 2.0 / 3.0) * std::sqrt(0.0008), 1e-5},
                      {"storage, 1000 m3 over 1 km", table.storage.at(1), 85.605, 1e-5}};
                }},
        SiCheck{"CoefficientInUsUnits",
                [] {
                  return std::vector<Agreement>{
                      {"(1/0.3048)^(1/3)", std::cbrt(1 / kMetresPerFoot), 1.48594, 2e-5}};
                }},
        SiCheck{"SameChannelAreas",
                [] { return EveryRow("area", &RatingTable::area, 1 / (kMetresPerFoot * kMetresPerFoot)); }},
        SiCheck{"SameChannelStorages",
                [] { return EveryRow("storage", &RatingTable::storage, 1000 / kCubicMetresPerAcreFoot); }},
        SiCheck{"SameChannelFlows",
                [] {
                  return EveryRow("flow", &RatingTable::flow,
                                  kUsCoefficientOverSi / kCubicMetresPerCubicFoot);
                }},
        SiCheck{"SameChannelCascades", [] { return EveryRow("cascades", &RatingTable::cascades, 1); }},
        SiCheck{"TriangularFloodRouted", TriangularFloodInBoth}),
    [](const testing::TestParamInfo<SiCheck>& info) { return info.param.name; });

}  // namespace
}  // namespace rating
