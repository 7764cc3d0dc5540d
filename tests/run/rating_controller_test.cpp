// The decisions every front end shares, made once by the controller and
// checked here against views that only write down what they are asked.
#include "run/rating_controller.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "layout/form_layout.h"
#include "tests/support/field_texts.h"
#include "tests/support/flood_examples.h"
#include "tests/support/recording_view.h"
#include "tests/support/scratch_files.h"
#include "tests/support/section_examples.h"

namespace rating {
namespace {

namespace fs = std::filesystem;

using testing_support::FieldEdit;

// A desktop window's controller and view, writing into a scratch folder.
struct Desktop {
  testing_support::ScratchFolder folder{"rating-controller-test"};
  testing_support::RecordingSavingView view;
  RatingController controller;

  explicit Desktop(std::string_view separator = ".") : controller(view, view, view, separator) {}

  void Press(std::vector<FieldEdit> edits = {}) {
    const std::string file = (folder.Path() / "reach.RAT").string();
    FieldTexts texts = testing_support::TextsWith(edits);
    if (TextOf(texts, InputField::Filename) == "MyRating.RAT") TextOf(texts, InputField::Filename) = file;
    controller.Press(texts);
  }
  [[nodiscard]] std::string In(const char* name) const { return (folder.Path() / name).string(); }
};

constexpr const char* kDefaultCurves = "open curves Rating Curves \u2013 South Street Channel";

struct DecisionCase {
  const char* name;
  friend void PrintTo(const DecisionCase& c, std::ostream* os) { *os << c.name; }
  std::function<void(Desktop&)> before;  // its calls are not logged
  std::function<void(Desktop&)> act;
  std::vector<std::string> expected;  // the view's log of `act`
};

class Decisions : public testing::TestWithParam<DecisionCase> {};

TEST_P(Decisions, TellTheViewWhatToDraw) {
  Desktop desktop;
  GetParam().before(desktop);
  desktop.view.log.clear();
  GetParam().act(desktop);
  EXPECT_EQ(desktop.view.log, GetParam().expected);
}

const auto kNothing = [](Desktop& /*desktop*/) {};
const auto kRated = [](Desktop& d) { d.Press(); };
const auto kRatedWithCurves = [](Desktop& d) {
  d.Press();
  d.controller.Choose(RatingCommand::ShowCurves);
};

// A rating with the routing window open on the triangular flood.
const auto kRouted = [](Desktop& d) {
  d.Press();
  d.controller.Choose(RatingCommand::RouteFlood);
  d.controller.SetInflow(testing_support::TriangularInflowCsv());
};
constexpr const char* kRoutedFour =
    "routed Routed 97 ordinates through 4 subreaches at a time step of 900 s.";

INSTANTIATE_TEST_SUITE_P(
    Routing, Decisions,
    testing::Values(
        DecisionCase{"RouteAFloodOpensTheWindowAndAsksForAnInflow",
                     kRated,
                     [](Desktop& d) { d.controller.Choose(RatingCommand::RouteFlood); },
                     {"open routing Route a Flood \u2013 South Street Channel",
                      "no routing: Paste an inflow hydrograph (Ctrl+V), or open one, to route it."}},
        DecisionCase{"APastedInflowRoutesWithTheSuggestion",
                     [](Desktop& d) {
                       d.Press();
                       d.controller.Choose(RatingCommand::RouteFlood);
                     },
                     [](Desktop& d) { d.controller.SetInflow(testing_support::TriangularInflowCsv()); },
                     {"inflow 97 ordinates over 24 h", "settings 15min N  ()",
                      "settings 15min N 4 (suggested: 4)", kRoutedFour}},
        DecisionCase{"AnInflowFileInUtf16RoutesAsItsText",
                     [](Desktop& d) {
                       d.Press();
                       d.controller.Choose(RatingCommand::RouteFlood);
                     },
                     [](Desktop& d) {
                       std::string utf16 = "\xFF\xFE";
                       for (const char c : testing_support::TriangularInflowCsv()) {
                         utf16 += {c, '\0'};
                       }
                       EXPECT_EQ(d.controller.SetInflowFile(utf16, "flood.csv"),
                                 testing_support::TriangularInflowCsv());
                     },
                     {"inflow 97 ordinates over 24 h", "settings 15min N  ()",
                      "settings 15min N 4 (suggested: 4)", kRoutedFour}},
        DecisionCase{
            "AnInflowFileThatIsNotTextNamesItsLine",
            kRouted,
            [](Desktop& d) {
              EXPECT_EQ(d.controller.SetInflowFile("Flow\n100\n\xB5\n", "flood.csv"), "");
              d.controller.Choose(RoutingCommand::CopyRouted);  // nothing left to copy
            },
            {"no routing: Cannot read inflow file \"flood.csv\": line 3: the text is neither UTF-8 nor "
             "UTF-16; save the table as \"CSV UTF-8 (Comma delimited)\"."}},
        DecisionCase{"APastedColumnTakesTheTypedTimeStep",
                     [](Desktop& d) {
                       d.Press();
                       d.controller.Choose(RatingCommand::RouteFlood);
                       d.view.routing.timeStep = "1h";
                     },
                     [](Desktop& d) { d.controller.SetInflow("100\n150\n120\n100\n"); },
                     {"inflow 4 ordinates over 3 h", "settings 1h N  ()", "settings 1h N 2 (suggested: 2)",
                      "routed Routed 4 ordinates through 2 subreaches at a time step of 3600 s."}},
        DecisionCase{"ABadPasteNamesItsRow",
                     kRouted,
                     [](Desktop& d) { d.controller.SetInflow("flow\n100\nlots\n"); },
                     {"inflow ", "no routing: Cannot route: row 3: \"lots\" is not a flow in cfs."}},
        DecisionCase{
            "APressRoutesAgainAndAFailureNamesTheOrdinate",
            kRouted,
            [](Desktop& d) {
              d.Press({{InputField::MaxFlow, "1000"}});
            },
            {"lines 17", "commands on", "settings 15min N 5 (suggested: 5)",
             "no routing: Cannot route: ordinate 12, at 2.75 h, inflow 1200 cfs, routes above the "
             "highest pair of the storage-outflow table, 1050 cfs; raise the Maximum Flow of the rating.",
             "status Wrote"}},
        DecisionCase{"TheUsersSubreachesStay",
                     [](Desktop& d) {
                       kRouted(d);
                       d.view.routing.subreaches = "2";
                     },
                     [](Desktop& d) {
                       d.Press();
                       d.view.routing.subreaches = "4";
                       d.controller.Route();
                     },
                     {"lines 29", "commands on", "settings 15min N 2 (suggested: 4)",
                      "routed Routed 97 ordinates through 2 subreaches at a time step of 900 s.",
                      "status Wrote", "settings 15min N 4 (suggested: 4)", kRoutedFour}},
        DecisionCase{
            "AnEmptiedListClearsTheRouting",
            kRouted,
            [](Desktop& d) {
              d.Press({{InputField::Fall, "0"}});
            },
            {"lines 0", "commands off", "no routing: Create a rating file to route a flood through it.",
             "status cleared", "failure Division by zero in Channel Fall (ft)"}},
        DecisionCase{"ASettingThatIsNotOneNamesItsField",
                     [](Desktop& d) {
                       kRouted(d);
                       d.view.routing.initialOutflow = "lots";
                     },
                     [](Desktop& d) { d.controller.Route(); },
                     {"settings 15min N 4 (suggested: 4)",
                      "no routing: Cannot route: Initial outflow (cfs) \"lots\" is not a flow in cfs."}},
        DecisionCase{
            "ATimeStepAgainstTheInflowsTimesIsRefused",
            [](Desktop& d) {
              kRouted(d);
              d.view.routing.timeStep = "10min";
            },
            [](Desktop& d) { d.controller.Route(); },
            {"no routing: Cannot route: Time step 10min disagrees with the inflow's times, which are "
             "0.25 h apart."}},
        DecisionCase{"OpenHydrographReadsTheChosenFile",
                     [](Desktop& d) {
                       d.Press();
                       d.controller.Choose(RatingCommand::RouteFlood);
                       testing_support::WriteFile(d.In("inflow.csv"), testing_support::TriangularInflowCsv());
                       d.view.openName = d.In("inflow.csv");
                     },
                     [](Desktop& d) { d.controller.OpenHydrograph(); },
                     {"ask open Open Hydrograph, *.csv", "inflow 97 ordinates over 24 h",
                      "settings 15min N  ()", "settings 15min N 4 (suggested: 4)", kRoutedFour}},
        DecisionCase{"RoutingCommandsWaitForARouting",
                     [](Desktop& d) {
                       d.Press();
                       d.controller.Choose(RatingCommand::RouteFlood);
                     },
                     [](Desktop& d) {
                       for (const RoutingCommandFacts& command : kRoutingCommands) {
                         d.controller.Choose(command.command);
                       }
                     },
                     {}},
        DecisionCase{"SaveRoutedAsksWhereAndCopyTakesEveryRow",
                     kRouted,
                     [](Desktop& d) {
                       d.controller.Choose(RoutingCommand::SaveRoutedCsv);
                       d.controller.Choose(RoutingCommand::SaveHydrographSvg);
                       d.controller.Choose(RoutingCommand::CopyRouted);
                     },
                     {"ask Save Routed Hydrograph as CSV, CSV files (*.csv), *.csv",
                      "ask Save Hydrograph Plot as SVG, SVG pictures (*.svg), *.svg", "clipboard 98 lines"}}),
    [](const auto& info) { return std::string(info.param.name); });

// What a window saves and says of a routing: the triangular flood through
// the default rating, as recorded once the routing matched Ponce's example.
TEST(Controller, SavesAndSaysTheRoutingOfTheDefaultReach) {
  Desktop desktop;
  kRouted(desktop);
  desktop.view.saveName = desktop.In("routed.csv");
  desktop.controller.Choose(RoutingCommand::SaveRoutedCsv);
  const std::string csv = testing_support::ReadFile(desktop.In("routed.csv"));
  EXPECT_TRUE(
      csv.starts_with("Time (h),Inflow (cfs),Outflow (cfs)\r\n0,100,100\r\n0.25,200,100.24701257341601\r\n"))
      << csv.substr(0, 120);
  EXPECT_NE(csv.find("\r\n6.75,2350,2429.8464179719685\r\n"), std::string::npos) << "the outflow's peak";
  EXPECT_EQ(std::count(csv.begin(), csv.end(), '\n'), 98);
  EXPECT_EQ(
      desktop.view.summary,
      "Routed 97 ordinates through 4 subreaches at a time step of 900 s.\n"
      "Inflow peak 2500 cfs at 6 h; outflow peak 2429.85 cfs at 6.75 h.\n"
      "Attenuation 2.80614 %; lag 0.75 h.\n"
      "Volume in 1983.47 acre-ft, out 1983.47 acre-ft; storage 23.6111 acre-ft at the start and 23.6124 "
      "acre-ft at the end; mass balance 0 acre-ft.\n");
  EXPECT_EQ(fs::path(desktop.view.asked->suggested), desktop.In("reach-routed.csv"));
  ASSERT_TRUE(desktop.view.chart.has_value());
  EXPECT_EQ(desktop.view.chart->outflow.size(), 97U);
}

// The controller says when the routing's commands can be chosen: while a
// routing is shown, and at no other time.
TEST(Controller, OffersTheRoutingsCommandsWhileARoutingIsShown) {
  struct Step {
    const char* name;
    std::function<void(Desktop&)> act;
    bool offered;
  };
  Desktop desktop;
  for (const Step& step : {
           Step{"WindowOpenedWithoutAnInflow",
                [](Desktop& d) {
                  d.Press();
                  d.controller.Choose(RatingCommand::RouteFlood);
                },
                false},
           Step{"InflowPasted",
                [](Desktop& d) { d.controller.SetInflow(testing_support::TriangularInflowCsv()); }, true},
           Step{"SettingRefused",
                [](Desktop& d) {
                  d.view.routing.subreaches = "many";
                  d.controller.Route();
                },
                false},
           Step{"SettingMended",
                [](Desktop& d) {
                  d.view.routing.subreaches = "4";
                  d.controller.Route();
                },
                true},
           Step{"ListEmptied",
                [](Desktop& d) {
                  d.Press({{InputField::Fall, "0"}});
                },
                false},
       }) {
    step.act(desktop);
    EXPECT_EQ(desktop.view.routingCommands, step.offered) << step.name;
  }
}

// Where the user's decimal mark is a comma, every number the routing window
// shows takes it: the summary, the chart's words and the inflow's span.
TEST(Controller, ShowsTheRoutingInTheUsersDecimals) {
  Desktop desktop(",");
  desktop.Press({{InputField::Length, "5,5"},
                 {InputField::Roughness, "0,025"},
                 {InputField::Increment, "0,2"},
                 {InputField::Invert, "0,0"}});
  desktop.controller.Choose(RatingCommand::RouteFlood);
  desktop.controller.SetInflow(testing_support::TriangularInflowCsv());
  EXPECT_NE(
      desktop.view.summary.find("outflow peak 2429,85 cfs at 6,75 h.\nAttenuation 2,80614 %; lag 0,75 h."),
      std::string::npos)
      << testing::PrintToString(desktop.view.log);
  EXPECT_EQ(desktop.view.summary.find('.', desktop.view.summary.find("Inflow")),
            desktop.view.summary.find(".\n", desktop.view.summary.find("Inflow")))
      << "no point but those that end a sentence";
  ASSERT_TRUE(desktop.view.chart.has_value());
  EXPECT_EQ(desktop.view.chart->subtitle, "Subreaches 4, time step 0,25 h, 97 ordinates");
  EXPECT_EQ(desktop.view.chart->decimalSeparator, ",");
  desktop.view.routing.timeStep = "10min";
  desktop.controller.Route();
  EXPECT_EQ(desktop.view.summary,
            "Cannot route: Time step 10min disagrees with the inflow's times, which are 0,25 h apart.");
}

// A surveyed section: its window, its points and their picture.
const auto kSurveyedChosen = [](Desktop& d) { d.controller.ChooseShape(SectionShape::Surveyed); };
const auto kCompoundPasted = [](Desktop& d) {
  d.controller.ChooseShape(SectionShape::Surveyed);
  d.controller.SetSection(GroundLineText(testing_support::kCompoundGround));
};
const auto kPressCompound = [](Desktop& d) {
  FieldTexts texts = testing_support::CompoundTexts();
  TextOf(texts, InputField::Filename) = d.In("compound.RAT");
  d.controller.Press(texts);
};

INSTANTIATE_TEST_SUITE_P(
    Sections, Decisions,
    testing::Values(
        DecisionCase{
            "ChoosingSurveyedOpensTheSectionWindowAndAsksForPoints",
            kNothing,
            kSurveyedChosen,
            {"open section Surveyed Section",
             "no section: Paste the section's ground points (Ctrl+V), station and elevation, or open a "
             "section file."}},
        DecisionCase{
            "PastedPointsAreCountedAndDrawn",
            kSurveyedChosen,
            [](Desktop& d) { d.controller.SetSection(GroundLineText(testing_support::kCompoundGround)); },
            {"section 8 points, stations 0 to 260 ft"}},
        DecisionCase{"APressShowsTheWaterOfItsLastRow",
                     kCompoundPasted,
                     kPressCompound,
                     {"lines 22", "commands on", "section 8 points, stations 0 to 260 ft, water shown",
                      "status Wrote"}},
        DecisionCase{"PointsThatFailNameTheirRowAndAreNotRated",
                     kCompoundPasted,
                     [](Desktop& d) {
                       d.controller.SetSection("Station,Elevation\n0,5\n10,low\n20,5\n");
                       kPressCompound(d);
                     },
                     {"no section: Type mismatch", "status cleared", "failure Invalid argument"}},
        DecisionCase{"ASectionFileThatCannotBeOpenedSaysSo",
                     kSurveyedChosen,
                     [](Desktop& d) {
                       d.view.openName = d.In("none.csv");
                       d.controller.OpenSection();
                     },
                     {"ask open Open Section, *.csv", "no section: Cannot read section file"}},
        DecisionCase{"OtherShapesOpenNoWindow",
                     kNothing,
                     [](Desktop& d) { d.controller.ChooseShape(SectionShape::Circle); },
                     {}}),
    [](const testing::TestParamInfo<DecisionCase>& info) { return std::string(info.param.name); });

// The Units choice: every label names its units, and so do the Section
// window's words and a routing's; a table in the other system's is refused.
const auto kSiChosen = [](Desktop& d) { d.controller.ChooseUnits(UnitSystem::Si); };

INSTANTIATE_TEST_SUITE_P(
    Units, Decisions,
    testing::Values(
        DecisionCase{"ChoosingSiOpensNothing", kNothing, kSiChosen, {}},
        DecisionCase{"ChoosingSiRewordsTheSectionShown",
                     kCompoundPasted,
                     kSiChosen,
                     {"section 8 points, stations 0 to 260 m"}},
        DecisionCase{"AnInflowInCfsIsRefusedInSi",
                     [](Desktop& d) {
                       kSiChosen(d);
                       d.Press({{InputField::Units, "si"}});
                       d.controller.Choose(RatingCommand::RouteFlood);
                     },
                     [](Desktop& d) { d.controller.SetInflow(testing_support::TriangularInflowCsv()); },
                     {"inflow ",
                      "no routing: Cannot route: row 1: the header names cfs, a unit of US customary, "
                      "but the units chosen are SI; choose US customary, or give the table in SI "
                      "units."}},
        DecisionCase{
            "AnInflowInSiThroughAUsRatingWaitsForAPress",
            [](Desktop& d) {
              kRouted(d);
              kSiChosen(d);
            },
            [](Desktop& d) { d.controller.SetInflow("Flow (m3/s)\n2\n40\n2\n"); },
            {"inflow 3 ordinates over 0.5 h", "settings 15min N 4 ()",
             "no routing: Cannot route: the rating is in US customary units and the inflow was read in "
             "SI units; press Create Rating File to rate the reach in SI units."}}),
    [](const testing::TestParamInfo<DecisionCase>& info) { return std::string(info.param.name); });

TEST(Units, LabelEveryFieldAndSettingInTheirUnits) {
  Desktop desktop;
  for (const UnitFacts& units : kUnitSystems) {
    desktop.controller.ChooseUnits(units.system);
    for (const FieldFacts& facts : kFields) {
      EXPECT_EQ(desktop.view.labels.at(static_cast<std::size_t>(facts.field)),
                FieldLabel(facts.field, units.system));
    }
  }
  desktop.controller.ChooseUnits(UnitSystem::Si);
  EXPECT_EQ(desktop.view.labels.at(static_cast<std::size_t>(InputField::MaxFlow)), "Maximum Flow (m3/s)");
  EXPECT_EQ(desktop.view.labels.at(static_cast<std::size_t>(InputField::Length)), "Channel Length (km)");
  EXPECT_EQ(desktop.view.settingLabels.at(static_cast<std::size_t>(RoutingSetting::InitialOutflow)),
            "Initial outflow (m3/s)");
  // A window opened later is told its labels as it opens.
  desktop.view.labels = {};
  desktop.view.settingLabels = {};
  desktop.controller.ChooseShape(SectionShape::Surveyed);
  EXPECT_EQ(desktop.view.labels.at(static_cast<std::size_t>(InputField::LeftBank)), "Left Bank Station (m)");
  desktop.Press({{InputField::Units, "si"}});
  desktop.controller.Choose(RatingCommand::RouteFlood);
  EXPECT_EQ(desktop.view.settingLabels.at(static_cast<std::size_t>(RoutingSetting::InitialOutflow)),
            "Initial outflow (m3/s)");
}

// Each shape leaves enabled the fields it uses and only those.
TEST(Sections, EnableTheFieldsTheShapeUses) {
  Desktop desktop;
  for (const ShapeFacts& facts : kSectionShapes) {
    desktop.controller.ChooseShape(facts.shape);
    EXPECT_EQ(desktop.view.enabled, facts.uses) << facts.word;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Controller, Decisions,
    testing::Values(
        DecisionCase{"AGoodPressFillsTheListAndEnablesTheCommands",
                     kNothing,
                     [](Desktop& d) { d.Press(); },
                     {"lines 29", "commands on", "status Wrote"}},
        DecisionCase{"AFieldFailureKeepsTheListAndFocusesTheField",
                     kRated,
                     [](Desktop& d) {
                       d.Press({{InputField::Length, "5,5x"}});
                     },
                     {"status cleared", "failure Type mismatch in Channel Length (mi)"}},
        DecisionCase{"ALaterFailureEmptiesTheListFirst",
                     kRated,
                     [](Desktop& d) {
                       d.Press({{InputField::Title, "a\nb"}});
                     },
                     {"lines 0", "commands off", "status cleared", "failure Invalid text in Title Line"}},
        DecisionCase{"AReplacedZeroIsNotedInTheStatusLine",
                     kRated,
                     [](Desktop& d) {
                       d.Press({{InputField::BankSlope, "0"}});
                       EXPECT_TRUE(d.view.status.ends_with("\". A Bank Slope run/rise of 0 is taken as 2."))
                           << d.view.status;
                     },
                     {"lines 29", "commands on", "status Wrote"}},
        DecisionCase{"ShowCurvesOpensTheOneWindow",
                     kRated,
                     [](Desktop& d) { d.controller.Choose(RatingCommand::ShowCurves); },
                     {kDefaultCurves}},
        DecisionCase{
            "OpenCurvesFollowAGoodPress",
            kRatedWithCurves,
            [](Desktop& d) {
              d.Press({{InputField::Title, "Mill Creek"}});
            },
            {"lines 29", "commands on", "redraw curves Rating Curves \u2013 Mill Creek", "status Wrote"}},
        DecisionCase{"OpenCurvesStayThroughAFieldFailure",
                     kRatedWithCurves,
                     [](Desktop& d) {
                       d.Press({{InputField::BottomWidth, "x"}});
                     },
                     {"status cleared", "failure Type mismatch in Bottom Width (ft)"}},
        DecisionCase{"OpenCurvesCloseWithTheEmptiedList",
                     kRatedWithCurves,
                     [](Desktop& d) {
                       d.Press({{InputField::Fall, "0"}});
                     },
                     {"lines 0", "commands off", "close curves", "status cleared",
                      "failure Division by zero in Channel Fall (ft)"}},
        DecisionCase{"CurvesTheUserClosedStayClosed",
                     [](Desktop& d) {
                       kRatedWithCurves(d);
                       d.view.curvesOpen = false;
                     },
                     [](Desktop& d) { d.Press(); },
                     {"lines 29", "commands on", "status Wrote"}},
        DecisionCase{"CommandsDoNothingWithoutARating",
                     kNothing,
                     [](Desktop& d) {
                       for (const CommandFacts& command : kRatingCommands)
                         d.controller.Choose(command.command);
                     },
                     {}},
        DecisionCase{"CopyTakesTheSelectedLines",
                     [](Desktop& d) {
                       d.Press();
                       d.view.selected = {1, 2};
                     },
                     [](Desktop& d) { d.controller.Choose(RatingCommand::CopyTable); },
                     {"clipboard 3 lines"}},
        DecisionCase{"ASaveAsksForANameAndWrites",
                     [](Desktop& d) {
                       d.Press();
                       d.view.saveName = d.In("table.csv");
                     },
                     [](Desktop& d) { d.controller.Choose(RatingCommand::SaveTableCsv); },
                     {"ask Save Table as CSV, CSV files (*.csv), *.csv"}},
        DecisionCase{"BrowsePutsTheChosenNameInTheField",
                     [](Desktop& d) { d.view.saveName = "/runs/mill.RAT"; },
                     [](Desktop& d) { d.controller.BrowseRatingFile("MyRating.RAT"); },
                     {"ask Output Rating Filename, Rating files (*.RAT), *.RAT", "file name /runs/mill.RAT"}},
        DecisionCase{"ACancelledBrowseKeepsTheName",
                     kNothing,
                     [](Desktop& d) { d.controller.BrowseRatingFile("MyRating.RAT"); },
                     {"ask Output Rating Filename, Rating files (*.RAT), *.RAT"}},
        DecisionCase{"ACancelledSaveWritesNothing",
                     kRated,
                     [](Desktop& d) { d.controller.Choose(RatingCommand::SaveCurvesSvg); },
                     {"ask Save Rating Curves as SVG, SVG pictures (*.svg), *.svg"}},
        DecisionCase{
            "AFailedSaveSaysWhy",
            [](Desktop& d) {
              d.Press();
              d.view.saveName = d.In("missing/pairs.csv");
            },
            [](Desktop& d) { d.controller.Choose(RatingCommand::SavePairedData); },
            {"ask Save Paired Data, CSV files (*.csv), *.csv", "save failure Cannot write paired data"}},
        DecisionCase{"SavedPairedDataSayWhichRowsAreLeftOut",
                     [](Desktop& d) {
                       d.Press({{InputField::Increment, "0.002"}, {InputField::MaxFlow, "100"}});
                       d.view.saveName = d.In("fine.csv");
                     },
                     [](Desktop& d) { d.controller.Choose(RatingCommand::SavePairedData); },
                     {"ask Save Paired Data, CSV files (*.csv), *.csv",
                      "note 61 rows, 149 to 344, left out of the paired data"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Controller, TellsTheViewWhatToShowAndWhereToSave) {
  Desktop desktop;
  desktop.Press({{InputField::Length, "x"}});
  EXPECT_EQ(desktop.view.focused, InputField::Length);
  EXPECT_FALSE(fs::exists(desktop.In("reach.RAT")));

  desktop.Press();
  EXPECT_EQ(desktop.view.shownHeadings,
            std::vector<std::string>(rating::kListingHeadings.begin(), rating::kListingHeadings.end()));
  ASSERT_EQ(desktop.view.shownRows.size(), 27U);
  EXPECT_EQ(desktop.view.shownRows.front(), desktop.controller.Session().ListLines().at(2));
  desktop.view.saveName = desktop.In("saved.csv");
  desktop.controller.Choose(RatingCommand::SaveTableCsv);
  ASSERT_TRUE(desktop.view.asked.has_value());
  EXPECT_EQ(fs::path(desktop.view.asked->suggested), desktop.In("reach.csv")) << "beside the rating file";
  EXPECT_EQ(testing_support::ReadFile(desktop.In("saved.csv")),
            desktop.controller.Session().ExportFile(Export::TableCsv).bytes);
}

// A page's press and saves hand the files over and write nothing.
TEST(Controller, HandsThePagesFilesOver) {
  testing_support::RecordingHandingOverView view;
  RatingController controller(view, view, view, ".");
  controller.Press(testing_support::TextsWith({{InputField::Filename, "C:\\Runs\\north.RAT"}}));
  controller.Press(testing_support::TextsWith({{InputField::Fall, "x"}}));
  controller.Press(testing_support::TextsWith(
      {{InputField::Increment, "0.002"}, {InputField::MaxFlow, "100"}, {InputField::Filename, "fine.RAT"}}));
  controller.Choose(RatingCommand::SavePairedData);
  controller.Choose(RatingCommand::SaveCurvesSvg);
  view.selected = {0, 1};
  controller.Choose(RatingCommand::CopyTable);
  // Each hand-over is followed by a note saying where it went; the page has
  // no other sign of a download, nor of a copy.
  EXPECT_EQ(view.log, (std::vector<std::string>{
                          "lines 29", "commands on", "hand over north.RAT", "note Downloaded",
                          "failure Type mismatch in Channel Fall (ft)", "lines 350", "commands on",
                          "hand over fine.RAT", "note Downloaded", "hand over fine-paired.csv",
                          "note Downloaded", "hand over fine.svg", "note Downloaded", "clipboard 3 lines",
                          "note Copied 2 rows to the clipboard."}));
  ASSERT_EQ(view.handed.size(), 4U);
  EXPECT_EQ(view.handed.at(0).bytes, testing_support::ReadFile(RATING_GOLDEN_DIR "/default.RAT"));
  EXPECT_FALSE(fs::exists("fine.RAT")) << "a page's press writes nothing";
}

// The status line names the file whole, and the unfinished copies that
// stopped writes left beside it, which nothing else would mention.
TEST(Controller, TheStatusLineSaysWhereTheFileWentAndWhatStoppedWritesLeft) {
  Desktop desktop;
  desktop.Press();
  const std::string file = desktop.In("reach.RAT");
  EXPECT_EQ(desktop.controller.Session().WrittenStatus(), "Wrote \"" + file + "\".");
  for (const char* left : {".reach.RAT.a1b2c3.partial", ".reach.RAT.Zz9Yy8.partial"}) {
    testing_support::WriteFile(desktop.folder.Path() / left, "half a rating");
  }
  testing_support::WriteFile(desktop.folder.Path() / ".other.RAT.a1b2c3.partial", "another file's");
  desktop.Press();
  EXPECT_EQ(desktop.controller.Session().WrittenStatus(),
            "Wrote \"" + file +
                "\". 2 unfinished copies of it, left by writes that were stopped, are hidden beside it as "
                "\".reach.RAT.*.partial\"; they can be deleted.");
}

TEST(Controller, MenuAccessKeysAreDistinctAndInTheirCaptions) {
  std::string keys;
  for (const CommandFacts& command : kRatingCommands) {
    EXPECT_NE(layout::WithAccessKey(Pattern(command.caption), command.accessKey).find('&'), std::string::npos)
        << command.name;
    keys += command.accessKey;
  }
  std::sort(keys.begin(), keys.end());
  EXPECT_EQ(std::adjacent_find(keys.begin(), keys.end()), keys.end()) << keys;
}

}  // namespace
}  // namespace rating
