// What every front end shows and writes of a routed flood: its tables, its
// words and its chart, from one routing.
#include "run/flood_routing.h"

#include <gtest/gtest.h>

#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "tests/support/failure_assertions.h"
#include "tests/support/flood_examples.h"

namespace rating {
namespace {

// Ponce's example through one subreach, its inflow as `inflowCsv` gives it.
FloodRouting Ponce(const std::string& inflowCsv, std::string_view separator = ".",
                   std::optional<double> initialOutflow = 100) {
  const RoutedReach reach{routing::ReadStorageOutflow(testing_support::PoncePairsCsv(), "."), nullptr, 0,
                          "Ponce"};
  const routing::Hydrograph inflow = routing::ReadHydrograph(inflowCsv, separator);
  return RouteFlood(inflow, reach, inflow.timeStep.value_or(3600), {std::nullopt, initialOutflow}, separator);
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

struct SummaryCase {
  const char* name;
  std::string inflowCsv;
  const char* mark;
  std::optional<double> initialOutflow;  // cfs; none for a steady start
  std::vector<std::string> says;         // lines or parts of lines, in order
  std::vector<std::string> saysNot;      // anywhere
  friend void PrintTo(const SummaryCase& c, std::ostream* os) { *os << c.name; }
};

class RoutedWords : public testing::TestWithParam<SummaryCase> {};

// Every figure in the summary means something: a steady flow has no peak to
// report, noise of the arithmetic reads 0, and a flood cut short says so.
TEST_P(RoutedWords, SayWhatTheRoutingDid) {
  const SummaryCase& c = GetParam();
  const std::string summary = RoutingSummary(Ponce(c.inflowCsv, c.mark, c.initialOutflow), c.mark);
  std::size_t from = 0;
  for (const std::string& part : c.says) {
    const std::size_t at = summary.find(part, from);
    EXPECT_NE(at, std::string::npos) << part << "\nin\n" << summary;
    if (at != std::string::npos) from = at + part.size();
  }
  for (const std::string& part : c.saysNot) EXPECT_EQ(summary.find(part), std::string::npos) << summary;
  EXPECT_TRUE(summary.ends_with(".\n")) << summary;
}

std::string Held(int ordinates, double flow) {
  std::string csv = "Flow (cfs)\n";
  for (int i = 0; i < ordinates; ++i) csv += testing_support::Shortest(flow) + "\n";
  return csv;
}

INSTANTIATE_TEST_SUITE_P(
    Floods, RoutedWords,
    testing::Values(
        SummaryCase{"Ponce",
                    testing_support::PonceInflowCsv(),
                    ".",
                    100,
                    {"Routed 26 ordinates through 1 subreaches at a time step of 3600 s.\n"
                     "Inflow peak 1000 cfs at 5 h; outflow peak 757.641 cfs at 7 h.\n"
                     "Attenuation 24.2359 %; lag 2 h.\n",
                     "mass balance 0 acre-ft.\n"},
                    {"receded", "e-1"}},
        SummaryCase{
            "InCommaDecimals",
            "Time (h);Flow (cfs)\n0;100\n0,5;150\n1;250\n1,5;400\n2;100\n",
            ",",
            100,
            {"at a time step of 1800 s.\n", "outflow peak ", ",", " h.\nAttenuation ", ",", " %; lag 0,5 h."},
            {"e-1", "at 1.5 h"}},
        SummaryCase{
            "Steady",
            Held(97, 500),
            ".",
            std::nullopt,
            {"Steady flow of 500 cfs: no peak, attenuation or lag to report.\n", "mass balance 0 acre-ft."},
            {"peak 500", "Attenuation ", "; lag", "e-1", "receded"}},
        SummaryCase{
            "CutShortOnTheRise",
            "Inflow (cfs)\n100\n150\n250\n400\n800\n1000\n",
            ".",
            100,
            {"Inflow peak 1000 cfs at 5 h; outflow peak ",
             "The outflow has not receded: ", " cfs at the last ordinate, 5 h, with ",
             " acre-ft more in the reach than at the start; route a longer inflow to see the whole flood.\n"},
            {}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(InflowWords, CountTheOrdinatesAndTheirSpan) {
  const FloodRouting flood = Ponce(testing_support::PonceInflowCsv());
  EXPECT_EQ(InflowDescription(flood.inflow, 3600, "."), "26 ordinates over 25 h");
  EXPECT_EQ(InflowDescription(flood.inflow, 900, ","), "26 ordinates over 6,25 h");
  EXPECT_EQ(InflowDescription(flood.inflow, std::nullopt, "."), "26 ordinates");
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
  const char* typed;
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
           TimeStepCase{"TypedOnly", flowsOnly, "15min", 900, ""},
           TimeStepCase{"TimesOnly", quarterHours, "", 900, ""},
           TimeStepCase{"BothAgree", quarterHours, "15min", 900, ""},
           TimeStepCase{"DecimalHoursAgreeToTheMillisecond", tenthsOfAnHour, "6min", 360, ""},
           TimeStepCase{"Neither", flowsOnly, "", std::nullopt,
                        "Cannot route: the inflow gives no times; give Step a duration, such as 15min."},
           TimeStepCase{"Disagree", quarterHours, "1h", std::nullopt,
                        "Cannot route: Step 1h disagrees with the inflow's times, which are 0,25 h apart."},
           TimeStepCase{"OffByASecond", quarterHours, "901s", std::nullopt,
                        "Cannot route: Step 901s disagrees with the inflow's times, which are 0,25 h apart."},
       }) {
    SCOPED_TRACE(c.name);
    const routing::Hydrograph inflow = routing::ReadHydrograph(c.inflowCsv, ",");
    const auto choose = [&] { return RoutingTimeStep(c.typed, inflow, "Step", ","); };
    if (c.step) {
      EXPECT_NEAR(choose(), *c.step, 1e-6);
    } else {
      EXPECT_FAILURE_MSG(choose(), FailureKind::TypeMismatch, c.message);
    }
  }
}

struct SettingCase {
  const char* name;
  RoutingTexts typed;
  std::optional<RoutingSetting> refused;  // none where every text is one
  RoutingSettings read;
};

// Each setting that is not one is refused naming it, for a front end to
// word; an empty one takes its default.
TEST(RoutingSettingTexts, AreReadOrRefusedNamingTheSetting) {
  for (const SettingCase& c : {
           SettingCase{"Defaults", {}, std::nullopt, {}},
           SettingCase{"Typed", {"", "4", "12,5"}, std::nullopt, {4, 12.5}},
           SettingCase{"SubreachesNotWhole", {"", "2.5", ""}, RoutingSetting::Subreaches, {}},
           SettingCase{"TooManySubreaches", {"", "1001", ""}, RoutingSetting::Subreaches, {}},
           SettingCase{"OutflowInPointDecimals", {"", "", "12.5"}, RoutingSetting::InitialOutflow, {}},
           SettingCase{"TimeStepNotADuration", {"fortnight", "", ""}, RoutingSetting::TimeStep, {}},
       }) {
    SCOPED_TRACE(c.name);
    try {
      const RoutingSettings read = ReadRoutingSettings(c.typed, ",");
      if (c.typed.timeStep.empty()) {
        (void)RoutingTimeStep(c.typed.timeStep, routing::ReadHydrograph("0;1\n1;2\n", ","), "Step", ",");
      } else {
        (void)RoutingTimeStep(c.typed.timeStep, routing::ReadHydrograph("1\n2\n", ","), "Step", ",");
      }
      EXPECT_FALSE(c.refused) << "nothing refused";
      EXPECT_EQ(read.subreaches, c.read.subreaches);
      EXPECT_EQ(read.initialOutflow, c.read.initialOutflow);
    } catch (const RoutingSettingRefused& refused) {
      ASSERT_TRUE(c.refused) << "refused " << refused.what();
      EXPECT_EQ(refused.Setting(), *c.refused);
      EXPECT_EQ(refused.Text(), TextOf(c.typed, *c.refused));
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
