#include "plot/svg_writer.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <ostream>
#include <string>
#include <tuple>

#include "run/flood_routing.h"
#include "run/rating_session.h"
#include "tests/support/field_texts.h"
#include "tests/support/flood_examples.h"
#include "tests/support/scratch_files.h"
#include "tests/support/section_examples.h"
#include "tests/support/svg_texts.h"

namespace rating::plot {
namespace {

// One scene and the document it must give, byte for byte, in golden/. After
// a deliberate change, run with RATING_UPDATE_GOLDEN=1 to write the files
// anew and review their diff.
struct SvgCase {
  const char* name;
  friend void PrintTo(const SvgCase& c, std::ostream* os) { *os << c.name; }
  Scene (*scene)();
  std::vector<std::string> texts;  // what a parser reads, in order
};

Scene EmptyPage() { return {100, 50, "", "", {}}; }

// Every kind of item, and texts that XML must escape or cannot hold.
Scene EveryItem() {
  Scene scene{300.5, 200, "Smith & Jones <Creek> \"upper\"", "tab\there, bell\a gone", {}};
  Rect filled;
  filled.width = 300.5;
  filled.height = 200;
  filled.stroked = false;
  filled.filled = true;
  filled.fill = kWhite;
  scene.items.emplace_back(filled);
  Rect frame;
  frame.topLeft = {10, 20};
  frame.width = 100.125;
  frame.height = 50.004;
  frame.stroke = {0x12, 0xab, 0xef};
  frame.strokeWidth = 0.5;
  scene.items.emplace_back(frame);
  scene.items.emplace_back(Line{{0, 0}, {-0.004, 1e-9}, {0xdd, 0xdd, 0xdd}, 1});
  scene.items.emplace_back(Polyline{{{1, 2}, {3.25, 4.5}, {5, 6}}, {0x1f, 0x5f, 0xa8}, 2});
  scene.items.emplace_back(Dot{{7, 8}, 2.5, {0x1f, 0x5f, 0xa8}});
  scene.items.emplace_back(Text{{50, 60}, "a < b & c > \"d\"", {12, false}, Anchor::Start, false, kBlack});
  scene.items.emplace_back(
      Text{{50, 80}, "Mill Creek – reach 3 …", {18, true}, Anchor::Middle, false, kBlack});
  scene.items.emplace_back(Text{{20, 100}, "Elevation (ft)", {12, false}, Anchor::End, true, {0xff, 0, 0}});
  return scene;
}

Scene DefaultRatingCurves() {
  const RatingOutcome outcome = RateFields(testing_support::TextsWith(), ".");
  return RatingCurvesScene(CurvesOf(*outcome.result, "South Street Channel", "."), SvgTextMeasure());
}

// Ponce's published example 2, routed through one subreach.
Scene PonceHydrograph() {
  const routing::Hydrograph inflow = routing::ReadHydrograph(testing_support::PonceInflowCsv(), ".");
  const RoutedReach reach{routing::ReadStorageOutflow(testing_support::PoncePairsCsv(), "."), nullptr, 0,
                          "Ponce example 2"};
  const FloodRouting flood = RouteFlood(inflow, reach, 3600, {1, 100.0}, ".");
  return HydrographScene(ChartOf(flood, "."), SvgTextMeasure());
}

// The compound section rated: its ground line, its banks and the water of
// the table's last row.
Scene CompoundSection() {
  RatingSession session(".");
  session.SetGround(testing_support::kCompoundGround);
  FieldTexts texts = testing_support::CompoundTexts();
  EXPECT_EQ(session.PressHandingOver(texts), std::nullopt);
  return CrossSectionScene(session.SectionChart(), SvgTextMeasure());
}

class SvgDocuments : public testing::TestWithParam<SvgCase> {};

TEST_P(SvgDocuments, MatchTheirGoldenFilesAndParse) {
  const std::string document = SvgDocument(GetParam().scene());
  const std::filesystem::path golden =
      std::filesystem::path(RATING_PLOT_GOLDEN_DIR) / (std::string(GetParam().name) + ".svg");
  if (std::getenv("RATING_UPDATE_GOLDEN") != nullptr) {
    std::ofstream(golden, std::ios::binary) << document;
    GTEST_SKIP() << "wrote " << golden;
  }
  EXPECT_EQ(document, testing_support::ReadFile(golden));
  const testing_support::SvgContents contents = testing_support::ReadSvg(document);
  EXPECT_EQ(contents.error, "");
  EXPECT_EQ(contents.root, "svg");
  if (!GetParam().texts.empty()) {
    EXPECT_EQ(contents.texts, GetParam().texts);
  }
}

INSTANTIATE_TEST_SUITE_P(Svg, SvgDocuments,
                         testing::Values(SvgCase{"empty-page", EmptyPage, {"", ""}},
                                         SvgCase{"every-item",
                                                 EveryItem,
                                                 {"Smith & Jones <Creek> \"upper\"", "tab\there, bell  gone",
                                                  "a < b & c > \"d\"", "Mill Creek – reach 3 …",
                                                  "Elevation (ft)"}},
                                         SvgCase{"default-rating-curves", DefaultRatingCurves, {}},
                                         SvgCase{"ponce-hydrograph", PonceHydrograph, {}},
                                         SvgCase{"compound-section", CompoundSection, {}}),
                         [](const auto& info) {
                           std::string name = info.param.name;
                           std::erase(name, '-');
                           return name;
                         });

// A text as markup: what XML 1.0 cannot hold becomes a blank (control
// characters) or U+FFFD (non-characters and bytes that are not UTF-8), and
// the document still parses.
struct EscapeCase {
  const char* name;
  std::string text;
  std::string escaped;
};

void PrintTo(const EscapeCase& row, std::ostream* out) { *out << row.name; }

class MarkupEscapes : public testing::TestWithParam<EscapeCase> {};

TEST_P(MarkupEscapes, KeepTheDocumentWellFormed) {
  EXPECT_EQ(MarkupEscaped(GetParam().text), GetParam().escaped);
  const Scene scene{100, 50, GetParam().text, "", {}};
  EXPECT_EQ(testing_support::ReadSvg(SvgDocument(scene)).error, "");
}

INSTANTIATE_TEST_SUITE_P(
    Texts, MarkupEscapes,
    testing::Values(EscapeCase{"MarkupCharacters", "a<b>&\"c\"", "a&lt;b&gt;&amp;&quot;c&quot;"},
                    EscapeCase{"ControlCharacters", "a\tb\nc\x01", "a&#9;b c "},
                    EscapeCase{"LettersPass",
                               "Stra\xC3\x9F"
                               "e \xE2\x80\x93 \xF0\x9F\x8C\x8A",
                               "Stra\xC3\x9F"
                               "e \xE2\x80\x93 \xF0\x9F\x8C\x8A"},
                    EscapeCase{"NonCharacterFFFE", "a\xEF\xBF\xBE", "a\xEF\xBF\xBD"},
                    EscapeCase{"NonCharacterFFFF", "\xEF\xBF\xBFz", "\xEF\xBF\xBDz"},
                    EscapeCase{"Windows1252Byte",
                               "Stra\xDF"
                               "e",
                               "Stra\xEF\xBF\xBD"
                               "e"},
                    EscapeCase{"LoneSurrogate", "x\xED\xA0\x80.RAT",
                               "x\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD.RAT"},
                    EscapeCase{"Overlong", "\xC0\xAF", "\xEF\xBF\xBD\xEF\xBF\xBD"},
                    EscapeCase{"CutShort", "ab\xE2\x80", "ab\xEF\xBF\xBD\xEF\xBF\xBD"}),
    [](const testing::TestParamInfo<EscapeCase>& info) { return std::string(info.param.name); });

// Where every painter puts a text and the scene: one rule for all of them.
TEST(ScenePlacement, ShiftsTextsByTheirAnchorAndFitsTheSceneCentred) {
  const SvgTextMeasure measure;
  Text text{{10, 20}, "Flow (cfs)", Font{12, false}, Anchor::Start, false, kBlack};
  const double advance = measure.Advance(text.text, text.font);
  EXPECT_EQ(AnchorShift(text, measure), 0);
  text.anchor = Anchor::Middle;
  EXPECT_EQ(AnchorShift(text, measure), advance / 2);
  text.anchor = Anchor::End;
  EXPECT_EQ(AnchorShift(text, measure), advance);

  Scene scene;
  scene.width = 200;
  scene.height = 100;
  for (const auto& [width, height, scale, left, top] :
       {std::tuple{400.0, 400.0, 2.0, 0.0, 100.0}, std::tuple{100.0, 100.0, 0.5, 0.0, 25.0},
        std::tuple{600.0, 100.0, 1.0, 200.0, 0.0}}) {
    const SceneFit fit = FitScene(scene, width, height);
    EXPECT_EQ(fit.scale, scale) << width << " x " << height;
    EXPECT_EQ(fit.left, left) << width << " x " << height;
    EXPECT_EQ(fit.top, top) << width << " x " << height;
  }
}

}  // namespace
}  // namespace rating::plot
