#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "engine/channel_parameters.h"
#include "engine/rating_table.h"
#include "engine/unit_system.h"
#include "tests/support/field_texts.h"

namespace rating {
namespace {

using testing_support::TextsWith;

RatingTable Rate(FieldTexts texts, UnitSystem units) {
  TextOf(texts, InputField::Units) = Facts(units).word;
  const ChannelParameters channel = ReadChannelParameters(texts, ".");
  RatingTable table = CreateRatingTable(channel);
  ComputeRatingTable(channel, table);
  return table;
}

// rivr's documented SI trapezoid: 6.1 m wide, banks 1.5:1, n 0.013, slope
// 0.0008 (0.8 m over 1 km): a normal depth of 3.2864 m for 126 m^3/s, and
// at 5.79 m an area of 85.605 m^2 (its perimeter, 26.976 m, gives the flow).
TEST(SiRating, RatesRivrsTrapezoidInCubicMetresPerSecond) {
  const FieldTexts texts = TextsWith({{InputField::BottomWidth, "6.1"},
                                      {InputField::BankSlope, "1.5"},
                                      {InputField::Roughness, "0.013"},
                                      {InputField::Fall, "0.8"},
                                      {InputField::Length, "1"},
                                      {InputField::Increment, "3.2864"},
                                      {InputField::MaxFlow, "100"}});
  const RatingTable table = Rate(texts, UnitSystem::Si);
  ASSERT_EQ(table.lastRow, 1);
  EXPECT_NEAR(table.flow.at(1), 126, 0.1);
  FieldTexts deeper = texts;
  TextOf(deeper, InputField::Increment) = "5.79";
  const RatingTable deep = Rate(deeper, UnitSystem::Si);
  EXPECT_NEAR(deep.area.at(1), 85.605, 0.001);
  const double R = 85.605 / 26.976;
  EXPECT_NEAR(deep.flow.at(1), 1 / 0.013 * 85.605 * std::pow(R, 2.0 / 3.0) * std::sqrt(0.0008), 0.05);
  // Storage in 1000 m^3: the area over a reach of 1000 m.
  EXPECT_FLOAT_EQ(deep.storage.at(1), static_cast<float>(deep.area.at(1) * 1000.0 / 1000.0));
}

// The default channel entered in feet and in metres: its areas and
// storages agree after conversion, its flows by the ratio of 1.486 to
// (1/0.3048)^(1/3), and its cascades, which are counted in feet, cfs and
// seconds in both, to three figures.
TEST(SiRating, AgreesWithTheSameChannelInUsUnits) {
  const RatingTable us = Rate(TextsWith({{InputField::Shape, "rectangle"}}), UnitSystem::UsCustomary);
  const auto metres = [](double feet) { return std::to_string(feet * kMetresPerFoot); };
  FieldTexts si = TextsWith({{InputField::Shape, "rectangle"}});
  TextOf(si, InputField::BottomWidth) = metres(50);
  TextOf(si, InputField::Fall) = metres(110);
  TextOf(si, InputField::Length) = std::to_string(5.5 * kKilometresPerMile);
  TextOf(si, InputField::Increment) = metres(0.2);
  TextOf(si, InputField::MaxFlow) = std::to_string(3000 * std::pow(kMetresPerFoot, 3));
  const RatingTable metric = Rate(si, UnitSystem::Si);
  ASSERT_EQ(metric.lastRow, us.lastRow);
  // SI's coefficient 1 is 1.48592 in US units, where the rating uses 1.486.
  const double siCoefficientInUs = std::cbrt(1 / kMetresPerFoot);
  EXPECT_NEAR(siCoefficientInUs, 1.48594, 5e-5);
  for (int i = 1; i <= us.lastRow; ++i) {
    const auto near = [i](double a, double b, const char* what) {
      EXPECT_NEAR(a / b, 1, 1e-3) << what << " row " << i;
    };
    near(metric.area.at(i) / (kMetresPerFoot * kMetresPerFoot), us.area.at(i), "area");
    near(metric.storage.at(i) * 1000 / kCubicMetresPerAcreFoot, us.storage.at(i), "storage");
    near(metric.flow.at(i) / std::pow(kMetresPerFoot, 3) * 1.486 / siCoefficientInUs, us.flow.at(i), "flow");
    near(metric.cascades.at(i), us.cascades.at(i), "cascades");
  }
}

}  // namespace
}  // namespace rating
