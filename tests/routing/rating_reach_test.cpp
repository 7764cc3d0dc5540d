#include "routing/rating_reach.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "output/exports.h"
#include "run/rating_run.h"
#include "tests/support/field_texts.h"

namespace rating::routing {
namespace {

RatingResult DefaultRating() { return *RateFields(testing_support::TextsWith(), ".").result; }

TEST(RatingReach, PairsAreThePairedDataRows) {
  const RatingResult rating =
      *RateFields(
           testing_support::TextsWith({{InputField::Increment, "0.002"}, {InputField::MaxFlow, "100"}}), ".")
           .result;
  const StorageOutflow exported = StorageOutflowCsv(rating.fileRows, UnitSystem::UsCustomary);
  const std::vector<StorageOutflowPair> pairs = PairsOfRating(rating.fileRows);
  ASSERT_EQ(pairs.size() + exported.leftOut.size(), rating.fileRows.size());
  // Each pair is the paired data's line of the same place, as the file reads back.
  std::istringstream lines(exported.csv);
  std::string line;
  std::getline(lines, line);
  EXPECT_EQ(line, "Storage (acre-ft),Outflow (cfs)\r");
  for (const StorageOutflowPair& pair : pairs) {
    ASSERT_TRUE(std::getline(lines, line));
    const std::size_t comma = line.find(',');
    EXPECT_EQ(std::stof(line.substr(0, comma)), pair.storage) << line;
    EXPECT_EQ(std::stof(line.substr(comma + 1)), pair.outflow) << line;
  }
  EXPECT_FALSE(std::getline(lines, line)) << "a line of the paired data without its pair: " << line;
  EXPECT_EQ(pairs.front().storage, 0);
  EXPECT_EQ(pairs.back().outflow, rating.fileRows.back().flow);
  EXPECT_NO_THROW(Route({pairs, {0, 50, 0}, 600, 3, {}})) << "the pairs make a table the routing takes";
}

TEST(RatingReach, VelocityFollowsTheRowsByFlow) {
  const RatingTable& table = DefaultRating().table;
  const auto velocity = [&table](std::size_t row) { return double(table.flow.at(row)) / table.area.at(row); };
  EXPECT_EQ(VelocityAt(table, 0), 0);
  EXPECT_DOUBLE_EQ(VelocityAt(table, table.flow[3]), velocity(3));
  const double between = (double(table.flow[3]) + table.flow[4]) / 2;
  EXPECT_DOUBLE_EQ(VelocityAt(table, between), (velocity(3) + velocity(4)) / 2);
  EXPECT_DOUBLE_EQ(VelocityAt(table, 1e9), velocity(static_cast<std::size_t>(table.lastRow)));
}

// The default reach and a triangular flood: 100 cfs of base, 2,500 cfs at
// hour 6, back to the base at hour 18, at 15 minutes, through the suggested
// subreaches.
TEST(RatingReach, ATriangularFloodThroughTheDefaultReach) {
  const RatingResult rating = DefaultRating();
  constexpr double kStep = 900;  // s
  std::vector<double> inflow;
  for (int i = 0; i <= 24 * 4; ++i) {
    const double hour = i / 4.0;
    inflow.push_back(hour <= 6 ? 100 + 2400 * hour / 6 : hour <= 18 ? 100 + 2400 * (18 - hour) / 12 : 100);
  }
  const int subreaches = SuggestedSubreachesFor(rating.table, rating.channel.lengthFeet, 2500, kStep);
  const RoutingResult routed = Route({PairsOfRating(rating.fileRows), inflow, kStep, subreaches, {}});
  // The figures recorded once the method matched Ponce's example, kept so
  // that any change to them shows.
  EXPECT_EQ(subreaches, 4);
  EXPECT_NEAR(routed.outflowPeak.flow, 2429.85, 0.01);
  EXPECT_EQ(routed.outflowPeak.time, 6.75);
  EXPECT_NEAR(routed.volumeIn, 1983.47, 0.01);
  EXPECT_EQ(routed.inflowPeak.flow, 2500);
  EXPECT_EQ(routed.inflowPeak.time, 6);
  EXPECT_LT(routed.outflowPeak.flow, 2500);
  EXPECT_GT(routed.lag, 0);
  EXPECT_NEAR(routed.massBalance, 0, 1e-9 * routed.volumeIn);
}

}  // namespace
}  // namespace rating::routing
