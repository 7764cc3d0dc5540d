// A press of "Create Rating File" with the routing window open: the rating
// made again, 1,000 ordinates routed through up to 20 subreaches of it, and
// the chart laid out anew and written as the page draws it.
#include <benchmark/benchmark.h>

#include <span>
#include <string>
#include <vector>

#include "bench/long_flood.h"
#include "engine/input_field.h"
#include "plot/hydrograph_chart.h"
#include "plot/svg_writer.h"
#include "run/rating_controller.h"
#include "run/rating_view.h"

namespace {

// A view that draws the chart as the page does, into an SVG document, and
// keeps nothing else.
class ChartDrawingView final : public rating::HandingOverView,
                               public rating::RoutingView,
                               public rating::SectionView {
 public:
  explicit ChartDrawingView(std::string subreaches) : texts_{"", std::move(subreaches), ""} {}
  void ShowTable(std::span<const std::string> /*headings*/, std::span<const std::string> /*rows*/) override {}
  [[nodiscard]] std::vector<int> SelectedRows() const override { return {}; }
  void EnableRatingCommands(bool /*enabled*/) override {}
  [[nodiscard]] bool CurvesOpen() const override { return false; }
  void OpenCurves(const rating::plot::RatingCurves& /*curves*/, const std::string& /*title*/) override {}
  void RedrawCurves(const rating::plot::RatingCurves& /*curves*/, const std::string& /*title*/) override {}
  void CloseCurves() override {}
  void EnableField(rating::InputField /*field*/, bool /*enabled*/) override {}
  void ShowFieldLabel(rating::InputField /*field*/, const std::string& /*label*/) override {}
  void ShowFailure(const std::string& /*message*/, std::optional<rating::InputField> /*field*/) override {}
  void ShowNote(const std::string& /*note*/) override {}
  void PutOnClipboard(const std::string& /*text*/) override {}
  void HandOver(const rating::Download& /*file*/) override {}
  [[nodiscard]] bool RoutingOpen() const override { return true; }
  void OpenRouting(const std::string& /*title*/) override {}
  [[nodiscard]] rating::RoutingTexts RoutingFields() const override { return texts_; }
  void ShowRoutingFields(const rating::RoutingTexts& texts, const std::string& /*suggestion*/) override {
    texts_ = texts;
  }
  void ShowInflow(const std::string& /*description*/) override {}
  void ShowRouted(const rating::plot::HydrographChart& chart, const std::string& /*summary*/) override {
    drawn_ = rating::plot::SvgDocument(rating::plot::HydrographScene(chart, measure_));
  }
  void ShowRoutingProblem(const std::string& message) override { drawn_ = message; }
  void EnableRoutingCommands(bool /*enabled*/) override {}
  void ShowSettingLabel(rating::RoutingSetting /*setting*/, const std::string& /*label*/) override {}
  [[nodiscard]] bool SectionOpen() const override { return false; }
  void OpenSection(const std::string& /*title*/) override {}
  void ShowSection(const rating::plot::CrossSectionChart& /*chart*/,
                   const std::string& /*summary*/) override {}
  void ShowSectionProblem(const std::string& /*message*/) override {}
  [[nodiscard]] const std::string& Drawn() const { return drawn_; }

 private:
  rating::RoutingTexts texts_;
  rating::plot::SvgTextMeasure measure_;
  std::string drawn_;
};

void BM_PressWithRoutingOpen(benchmark::State& state) {
  ChartDrawingView view(std::to_string(state.range(0)));
  rating::RatingController controller(view, view, view, ".");
  const rating::FieldTexts texts = rating::DefaultFieldTexts(".");
  controller.Press(texts);
  controller.SetInflow(rating_bench::LongFloodCsv());
  if (!controller.Routed()) state.SkipWithError(view.Drawn().c_str());
  for (auto _ : state) {
    controller.Press(texts);
    benchmark::DoNotOptimize(view.Drawn());
  }
}
BENCHMARK(BM_PressWithRoutingOpen)->Arg(1)->Arg(20)->Unit(benchmark::kMillisecond);

}  // namespace
