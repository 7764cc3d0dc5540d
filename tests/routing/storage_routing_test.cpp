#include "routing/storage_routing.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <string>
#include <vector>

#include "engine/failure.h"
#include "tests/support/failure_assertions.h"

namespace rating::routing {
namespace {

// V. M. Ponce's storage-indication example 2 (San Diego State University's
// online routing calculator): linear storage S = K O with K = 2 h, dt = 1 h,
// as the table (0, 0) and (2 x 3600 x 2000 ft^3 in acre-ft, 2000 cfs).
const std::vector<StorageOutflowPair> kLinearStorage = {
    {0, 0}, {2 * kSecondsPerHour * 2000 / kCubicFeetPerAcreFoot, 2000}};

std::vector<double> PonceInflow() {
  std::vector<double> inflow = {100, 150, 250, 400, 800, 1000, 900, 700,
                                550, 400, 300, 250, 200, 150,  120, 100};
  inflow.resize(26, 100);  // hours 0 to 25
  return inflow;
}

RoutingRequest Ponce(int subreaches) {
  return {kLinearStorage, PonceInflow(), kSecondsPerHour, subreaches, {}};
}

TEST(PonceExample, RoutesAsPublished) {
  const RoutingResult routed = Route(Ponce(1));
  const std::vector<double> published = {100,     110,     146,     217.6,  370.56, 582.336, 729.402,
                                         757.641, 704.585, 612.751, 507.65, 414.59, 338.754};
  ASSERT_EQ(routed.outflow.size(), 26U);
  for (std::size_t hour = 0; hour < published.size(); ++hour) {
    EXPECT_NEAR(routed.outflow[hour], published[hour], 0.0006) << "hour " << hour;
  }
  EXPECT_NEAR(routed.outflow[25], 100.452, 0.0006);
  EXPECT_NEAR(routed.outflowPeak.flow, 757.641, 0.0006);
  EXPECT_EQ(routed.outflowPeak.time, 7);
  EXPECT_EQ(routed.inflowPeak.flow, 1000);
  EXPECT_EQ(routed.inflowPeak.time, 5);
  EXPECT_EQ(routed.lag, 2);
  EXPECT_NEAR(routed.attenuation, 24.2359, 0.0001);
}

// The same table split into subreaches: less attenuation the more there are.
struct SubreachCase {
  const char* name;
  int subreaches;
  double peak;  // cfs, at hour 7
};

void PrintTo(const SubreachCase& row, std::ostream* out) { *out << row.name; }

class PonceSubreaches : public testing::TestWithParam<SubreachCase> {};

TEST_P(PonceSubreaches, PeakAsPublished) {
  const RoutingResult routed = Route(Ponce(GetParam().subreaches));
  EXPECT_NEAR(routed.outflowPeak.flow, GetParam().peak, 0.0006);
  EXPECT_EQ(routed.outflowPeak.time, 7);
  EXPECT_NEAR(routed.massBalance, 0, 1e-9 * routed.volumeIn);
}

INSTANTIATE_TEST_SUITE_P(Ponce, PonceSubreaches,
                         testing::Values(SubreachCase{"One", 1, 757.641}, SubreachCase{"Two", 2, 814.251},
                                         SubreachCase{"Four", 4, 868.75}),
                         [](const testing::TestParamInfo<SubreachCase>& info) {
                           return std::string(info.param.name);
                         });

// A reach of several pairs, bent as a channel's rating is.
const std::vector<StorageOutflowPair> kChannel = {{0, 0}, {6.72, 12.5}, {13.5, 39.8}, {40, 300}, {120, 3000}};

TEST(Properties, ASteadyInflowStaysSteady) {
  for (const int subreaches : {1, 7, 100}) {
    const RoutingResult routed = Route({kChannel, std::vector<double>(200, 250), 900, subreaches, {}});
    for (const double flow : routed.outflow) ASSERT_NEAR(flow, 250, 1e-9) << subreaches << " subreaches";
    EXPECT_NEAR(routed.storageEnd, routed.storageStart, 1e-9);
  }
}

// Floods of one peak: a triangle on a base flow, of random height, rise
// and fall.
TEST(Properties, MassBalancesAndMoreSubreachesAttenuateLess) {
  std::mt19937 random(20261209);
  std::uniform_real_distribution<double> height(100, 900);  // cfs above the base, within both tables
  std::uniform_int_distribution<int> rise(2, 20);           // steps
  for (int trial = 0; trial < 30; ++trial) {
    const double peak = height(random);
    const int up = rise(random);
    const int down = up * std::uniform_int_distribution<int>(1, 4)(random);
    std::vector<double> inflow(200, 50);
    for (int i = 0; i <= up + down; ++i) {
      inflow[static_cast<std::size_t>(i) + 5] +=
          peak * (i <= up ? double(i) / up : double(up + down - i) / down);
    }
    // Through the channel's bent relation the volume is kept; through the
    // linear reservoir, whose behaviour is known, each split attenuates less.
    double previousPeak = 0;
    for (const int subreaches : {1, 2, 5, 20}) {
      const RoutingResult routed = Route({kChannel, inflow, 600, subreaches, {}});
      EXPECT_NEAR(routed.massBalance, 0, 1e-9 * routed.volumeIn) << subreaches;
      const RoutingResult linear = Route({kLinearStorage, inflow, kSecondsPerHour, subreaches, {}});
      EXPECT_NEAR(linear.massBalance, 0, 1e-9 * linear.volumeIn) << subreaches;
      EXPECT_GE(linear.outflowPeak.flow, previousPeak) << subreaches << " subreaches, trial " << trial;
      previousPeak = linear.outflowPeak.flow;
    }
  }
}

// What a request can have wrong, and the message that names where.
struct RefusalCase {
  const char* name;
  RoutingRequest request;
  FailureKind kind;
  const char* message;
};

void PrintTo(const RefusalCase& row, std::ostream* out) { *out << row.name; }

class Refusals : public testing::TestWithParam<RefusalCase> {};

TEST_P(Refusals, NameWhatIsWrongAndWhere) {
  EXPECT_FAILURE_MSG(Route(GetParam().request), GetParam().kind, GetParam().message);
}

const std::vector<double> kTwoHours = {100, 200, 100};

INSTANTIATE_TEST_SUITE_P(
    Requests, Refusals,
    testing::Values(
        RefusalCase{"OnePair",
                    {{{0, 0}}, kTwoHours, 3600, 1, {}},
                    FailureKind::InvalidArgument,
                    "Cannot route: the storage-outflow table needs at least two pairs."},
        RefusalCase{
            "StorageNotIncreasing",
            {{{0, 0}, {5, 10}, {5, 20}}, kTwoHours, 3600, 1, {}},
            FailureKind::InvalidArgument,
            "Cannot route: pair 3: storage 5 acre-ft is not above the 5 acre-ft of the pair before; storage "
            "must increase."},
        RefusalCase{
            "OutflowDecreasing",
            {{{0, 0}, {5, 10}, {6, 9.5}}, kTwoHours, 3600, 1, {}},
            FailureKind::InvalidArgument,
            "Cannot route: pair 3: outflow 9.5 cfs is below the 10 cfs of the pair before; outflow must not "
            "decrease."},
        RefusalCase{"NegativeOutflow",
                    {{{0, -1}, {5, 10}}, kTwoHours, 3600, 1, {}},
                    FailureKind::InvalidArgument,
                    "Cannot route: pair 1: outflow -1 cfs is not a flow."},
        RefusalCase{"OneOrdinate",
                    {kChannel, {100}, 3600, 1, {}},
                    FailureKind::InvalidArgument,
                    "Cannot route: the inflow hydrograph needs at least two ordinates."},
        RefusalCase{"NegativeInflow",
                    {kChannel, {100, 200, -5}, 1800, 1, {}},
                    FailureKind::InvalidArgument,
                    "Cannot route: ordinate 3, at 1 h: inflow -5 cfs is negative."},
        RefusalCase{"NoTimeStep",
                    {kChannel, kTwoHours, 0, 1, {}},
                    FailureKind::InvalidArgument,
                    "Cannot route: the time step must be more than 0."},
        RefusalCase{"NoSubreach",
                    {kChannel, kTwoHours, 3600, 0, {}},
                    FailureKind::InvalidArgument,
                    "Cannot route: the number of subreaches must be a whole number from 1 to 1000, not 0."},
        RefusalCase{
            "TooManySubreaches",
            {kChannel, kTwoHours, 3600, 1001, {}},
            FailureKind::InvalidArgument,
            "Cannot route: the number of subreaches must be a whole number from 1 to 1000, not 1001."},
        RefusalCase{
            "InitialOutflowAboveTheTable",
            {kChannel, kTwoHours, 3600, 1, 4000},
            FailureKind::InvalidArgument,
            "Cannot route: the initial outflow 4000 cfs lies outside the storage-outflow table, which "
            "reaches 3000 cfs."},
        RefusalCase{
            "StepTooLongForTheStorage",
            {kLinearStorage, {1000, 0, 0}, 6 * kSecondsPerHour, 1, {}},
            FailureKind::InvalidArgument,
            "Cannot route: ordinate 3, at 12 h, routes below the lowest pair of the storage-outflow table: "
            "the time step is too long for the storage of a subreach; shorten it, or use fewer subreaches."},
        RefusalCase{
            "AboveTheHighestPair",
            {{{0, 0}, {1, 100}}, {10, 50, 300, 10}, 900, 1, {}},
            FailureKind::IndexOutOfRange,
            "Cannot route: ordinate 3, at 0.5 h, inflow 300 cfs, routes above the highest pair of the "
            "storage-outflow table, 100 cfs; raise the Maximum Flow of the rating."}),
    [](const testing::TestParamInfo<RefusalCase>& info) { return std::string(info.param.name); });

TEST(Refusals, OfAMillionOrdinatesAndOneMore) {
  const RoutingRequest request{kChannel, std::vector<double>(kMostOrdinates + 1, 10), 60, 1, {}};
  EXPECT_FAILURE_MSG(
      Route(request), FailureKind::InvalidArgument,
      "Cannot route: the inflow hydrograph has 1000001 ordinates; at most 1000000 are routed.");
}

// The usual rule: travel time over the time step, rounded, at least 1.
struct SuggestionCase {
  const char* name;
  double lengthFeet;
  double velocity;  // ft/s
  double timeStep;  // s
  int suggested;
};

void PrintTo(const SuggestionCase& row, std::ostream* out) { *out << row.name; }

class Suggestions : public testing::TestWithParam<SuggestionCase> {};

TEST_P(Suggestions, FollowTheTravelTime) {
  EXPECT_EQ(SuggestedSubreaches(GetParam().lengthFeet, GetParam().velocity, GetParam().timeStep),
            GetParam().suggested);
}

INSTANTIATE_TEST_SUITE_P(Rule, Suggestions,
                         testing::Values(SuggestionCase{"FiveAndAHalfMiles", 29040, 4.84, 900, 7},
                                         SuggestionCase{"RoundsHalfUp", 2700, 2, 900, 2},
                                         SuggestionCase{"ShortReachIsOne", 100, 5, 900, 1},
                                         SuggestionCase{"StillWaterIsOne", 29040, 0, 900, 1},
                                         SuggestionCase{"AtMostTheLimit", 1e9, 0.1, 60, kMostSubreaches}),
                         [](const testing::TestParamInfo<SuggestionCase>& info) {
                           return std::string(info.param.name);
                         });

}  // namespace
}  // namespace rating::routing
