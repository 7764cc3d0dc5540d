// What every front end shows and writes of a routed flood: its tables, its
// words and its chart, from one routing.
#include "run/flood_routing.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "tests/support/failure_assertions.h"
#include "tests/support/flood_examples.h"

namespace rating {
namespace {

// Ponce's example through one subreach, its inflow as `inflowCsv` gives it.
FloodRouting Ponce(const std::string& inflowCsv, std::string_view separator = ".") {
  const RoutedReach reach{routing::ReadStorageOutflow(testing_support::PoncePairsCsv(), "."), nullptr, 0,
                          "Ponce"};
  const routing::Hydrograph inflow = routing::ReadHydrograph(inflowCsv, separator);
  return RouteFlood(inflow, reach, inflow.timeStep.value_or(3600), {std::nullopt, 100.0});
}

TEST(RoutedTables, WriteEveryOrdinateExactlyWithItsStampWhereTheInflowHasOne) {
  const FloodRouting hourly = Ponce(testing_support::PonceInflowCsv());
  EXPECT_EQ(hourly.subreaches, 1) << "pairs from a file suggest one subreach";
  const std::string csv = RoutedCsv(hourly);
  EXPECT_TRUE(
      csv.starts_with("Time (h),Inflow (cfs),Outflow (cfs)\r\n0,100,100\r\n1,150,110\r\n2,250,146\r\n"))
      << csv;
  EXPECT_TRUE(csv.ends_with("\r\n25,100,100.4521110325716\r\n")) << csv;

  // The spreadsheet's copy: the same cells, split by tabs, in the user's decimals.
  const std::string copied = RoutedTabText(hourly, ",");
  EXPECT_TRUE(copied.starts_with(
      "Time (h)\tInflow (cfs)\tOutflow (cfs)\n0\t100\t100\n1\t150\t110\n2\t250\t146\n3\t400\t217,6\n"))
      << copied.substr(0, 120);

  const FloodRouting dated =
      Ponce("When,Flow\n2026-05-01 06:00,100\n2026-05-01 07:00,150\n2026-05-01 08:00,250\n");
  EXPECT_EQ(RoutedCsv(dated),
            "Date and time,Time (h),Inflow (cfs),Outflow (cfs)\r\n2026-05-01 06:00,0,100,100\r\n"
            "2026-05-01 07:00,1,150,110\r\n2026-05-01 08:00,2,250,146\r\n");
}

TEST(RoutedWords, SayWhatTheRoutingDid) {
  const FloodRouting flood = Ponce(testing_support::PonceInflowCsv());
  EXPECT_TRUE(RoutingSummary(flood).starts_with(
      "Routed 26 ordinates through 1 subreaches at a time step of 3600 s.\n"
      "Inflow peak 1000 cfs at 5 h; outflow peak 757.641 cfs at 7 h.\nAttenuation 24.2359 %; lag 2 h.\n"))
      << RoutingSummary(flood);
  EXPECT_EQ(InflowDescription(flood.inflow, 3600), "26 ordinates over 25 h");
  EXPECT_EQ(InflowDescription(flood.inflow, std::nullopt), "26 ordinates");
}

struct DurationCase {
  double seconds;
  const char* text;
};

TEST(DurationTexts, ReadBackAsTheSameStep) {
  for (const auto& [seconds, text] :
       {DurationCase{900, "15min"}, DurationCase{3600, "1h"}, DurationCase{90, "90s"},
        DurationCase{5400, "90min"}, DurationCase{7200, "2h"}, DurationCase{0.5, "0.5s"}}) {
    EXPECT_EQ(DurationText(seconds), text);
    EXPECT_EQ(routing::ParseDuration(text), seconds) << text;
  }
}

struct TimeStepCase {
  const char* name;
  std::string inflowCsv;
  std::optional<double> given;  // s
  const char* givenText;
  std::optional<double> step;  // s; none where the choice fails
  const char* message;         // the failure's
};

// The step typed, the step the inflow's times give, both, or neither; a
// typed step must agree with the times to the millisecond.
TEST(RoutingTimeSteps, AreTheTypedOrTheInflowsOwnAndNeverTwoThatDisagree) {
  const std::string quarterHours = "Time (h),Flow (cfs)\n0,100\n0.25,200\n0.5,150\n";
  const std::string tenthsOfAnHour = "Time (h),Flow (cfs)\n0,100\n0.1,200\n0.2,150\n0.3,120\n";
  const std::string flowsOnly = "Flow (cfs)\n100\n200\n150\n";
  for (const TimeStepCase& c : {
           TimeStepCase{"TypedOnly", flowsOnly, 900, "15min", 900, ""},
           TimeStepCase{"TimesOnly", quarterHours, std::nullopt, "", 900, ""},
           TimeStepCase{"BothAgree", quarterHours, 900, "15min", 900, ""},
           TimeStepCase{"DecimalHoursAgreeToTheMillisecond", tenthsOfAnHour, 360, "6min", 360, ""},
           TimeStepCase{"Neither", flowsOnly, std::nullopt, "", std::nullopt,
                        "Cannot route: the inflow gives no times; type the Time step, such as 15min."},
           TimeStepCase{
               "Disagree", quarterHours, 3600, "1h", std::nullopt,
               "Cannot route: Time step 1h disagrees with the inflow's times, which are 0.25 h apart."},
           TimeStepCase{"OffByASecond", quarterHours, 901, "901s", std::nullopt,
                        "Cannot route: Time step 901s disagrees with the inflow's times, which are 0.25 h "
                        "apart."},
       }) {
    SCOPED_TRACE(c.name);
    const routing::Hydrograph inflow = routing::ReadHydrograph(c.inflowCsv, ".");
    const auto choose = [&] {
      return RoutingTimeStep(c.given, c.givenText, inflow, Message::RoutingNeedsTimeStep,
                             Message::RoutingStepDisagrees);
    };
    if (c.step) {
      EXPECT_NEAR(choose(), *c.step, 1e-6);
    } else {
      EXPECT_FAILURE_MSG(choose(), FailureKind::TypeMismatch, c.message);
    }
  }
}

TEST(RoutedCharts, MarkEachPeakWhereItIsAndUseTheUsersDecimals) {
  const FloodRouting flood = Ponce(testing_support::PonceInflowCsv());
  const plot::HydrographChart chart = ChartOf(flood, ",");
  EXPECT_EQ(chart.title, "Flood routed through Ponce");
  EXPECT_EQ(chart.subtitle, "Subreaches 1, time step 1 h, 26 ordinates");
  EXPECT_EQ(chart.inflowPeak, 5U);
  EXPECT_EQ(chart.outflowPeak, 7U);
  EXPECT_EQ(chart.time.at(25), 25);
  EXPECT_EQ(chart.outflow, flood.result.outflow);
  const std::string svg = HydrographSvg(flood, ",");
  EXPECT_NE(svg.find(">peak 757,641 cfs at 7 h</text>"), std::string::npos);
  EXPECT_EQ(svg, HydrographSvg(flood, ",")) << "the same bytes every time";
}

}  // namespace
}  // namespace rating
