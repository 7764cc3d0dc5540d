// What the page's script may ask of the core: the fields' defaults, and a
// controller that tells the script's view what to draw.
// Everything the page shows comes from here, in UTF-8 turned into JavaScript
// strings; files come as bytes, exactly as the desktop programs write them.
#include <cstddef>
#include <cstdint>
#include <emscripten/bind.h>
#include <emscripten/val.h>
#include <initializer_list>
#include <span>
#include <string>
#include <vector>

#include "engine/input_field.h"
#include "engine/number_text.h"
#include "engine/section_shape.h"
#include "layout/form_layout.h"
#include "messages/messages.h"
#include "output/listing.h"
#include "plot/cross_section_chart.h"
#include "plot/hydrograph_chart.h"
#include "plot/svg_writer.h"
#include "run/rating_controller.h"
#include "run/rating_session.h"
#include "run/rating_view.h"

namespace {

using emscripten::val;
namespace layout = rating::layout;

val Text(std::string_view text) { return val(std::string(text)); }

val Bytes(const std::string& bytes) {
  // A copy, each signed char read back as its byte: the view into the
  // module's memory lasts only until the memory grows.
  return val::global("Uint8Array").new_(emscripten::typed_memory_view(bytes.size(), bytes.data()));
}

val DownloadValue(const rating::Download& download) {
  val file = val::object();
  file.set("name", Text(download.name));
  file.set("bytes", Bytes(download.bytes));
  file.set("note", download.note ? Text(*download.note) : val::null());
  return file;
}

// Every field in tab order (layout::kFieldNames): the field's name, and its
// default text with the decimal mark the browser's `separator` gives. The
// HTML holds the rest of the form.
val Fields(const std::string& browserSeparator) {
  const std::string separator = rating::DecimalMarkFor(browserSeparator);
  val fields = val::array();
  for (const layout::FieldName& name : layout::kFieldNames) {
    val field = val::object();
    field.set("name", Text(name.name));
    field.set("defaultText", Text(rating::DefaultFieldText(name.field, separator)));
    fields.call<void>("push", field);
  }
  return fields;
}

// The page's view, written in its script: each call of the controller
// reaches the object the script gave RatingView.implement, in the values a
// script reads. The curves come as the SVG document the page shows.
// Lines of the listing as the script takes them: each line's cells, cut to
// their column, split by tabs, and the lines by line ends, in one text,
// since each value handed over singly costs a call.
std::string CellsText(std::span<const std::string> lines) {
  std::string text;
  for (const std::string& line : lines) {
    if (!text.empty()) text += '\n';
    const std::vector<std::string> cells = rating::ListingCells(line);
    for (std::size_t c = 0; c < cells.size(); ++c) text.append(c > 0 ? "\t" : "").append(cells[c]);
  }
  return text;
}

class PageView : public emscripten::wrapper<rating::HandingOverView>,
                 public rating::RoutingView,
                 public rating::SectionView {
 public:
  EMSCRIPTEN_WRAPPER(PageView);

  // The column names over their units, and the rows under them.
  void ShowTable(std::span<const std::string> headings, std::span<const std::string> rows) override {
    call<void>("showTable", CellsText(headings), CellsText(rows));
  }
  [[nodiscard]] std::vector<int> SelectedRows() const override {
    return emscripten::vecFromJSArray<int>(call<val>("selectedRows"));
  }
  void EnableRatingCommands(bool enabled) override { call<void>("enableRatingCommands", enabled); }
  [[nodiscard]] bool CurvesOpen() const override { return call<bool>("curvesOpen"); }
  void OpenCurves(const rating::plot::RatingCurves& curves, const std::string& title) override {
    call<void>("openCurves", rating::CurvesSvg(curves), rating::StackedCurvesSvg(curves), title);
  }
  void RedrawCurves(const rating::plot::RatingCurves& curves, const std::string& title) override {
    call<void>("redrawCurves", rating::CurvesSvg(curves), rating::StackedCurvesSvg(curves), title);
  }
  void CloseCurves() override { call<void>("closeCurves"); }
  void ShowFailure(const std::string& message, std::optional<rating::InputField> field) override {
    call<void>("showFailure", message, field ? Text(layout::FieldNameOf(*field)) : val::null());
  }
  void ShowNote(const std::string& note) override { call<void>("showNote", note); }
  void PutOnClipboard(const std::string& text) override { call<void>("putOnClipboard", text); }
  void HandOver(const rating::Download& file) override { call<void>("handOver", DownloadValue(file)); }

  [[nodiscard]] bool RoutingOpen() const override { return call<bool>("routingOpen"); }
  void OpenRouting(const std::string& title) override { call<void>("openRouting", title); }
  // The settings as typed, in the order they stand: time step, subreaches
  // and initial outflow.
  [[nodiscard]] rating::RoutingTexts RoutingFields() const override {
    const std::vector<std::string> texts =
        emscripten::vecFromJSArray<std::string>(call<val>("routingFields"));
    return {texts.at(0), texts.at(1), texts.at(2)};
  }
  void ShowRoutingFields(const rating::RoutingTexts& texts, const std::string& suggestion) override {
    call<void>("showRoutingFields", texts.timeStep, texts.subreaches, texts.initialOutflow, suggestion);
  }
  void ShowInflow(const std::string& description) override { call<void>("showInflow", description); }
  // The chart comes as the SVG document a save writes.
  void ShowRouted(const rating::plot::HydrographChart& chart, const std::string& summary) override {
    call<void>(
        "showRouted",
        rating::plot::SvgDocument(rating::plot::HydrographScene(chart, rating::plot::SvgTextMeasure())),
        summary);
  }
  void ShowRoutingProblem(const std::string& message) override { call<void>("showRoutingProblem", message); }
  void EnableRoutingCommands(bool enabled) override { call<void>("enableRoutingCommands", enabled); }

  void EnableField(rating::InputField field, bool enabled) override {
    call<void>("enableField", Text(layout::FieldNameOf(field)), enabled);
  }
  // The label with the place of its access key, which the page underlines;
  // the Section part's fields take none.
  void ShowFieldLabel(rating::InputField field, const std::string& label) override {
    char key = 0;
    for (const layout::FieldPlace& place : layout::kFieldPlaces) {
      if (place.field == field) key = place.accessKey;
    }
    for (const layout::FieldPlace* place :
         {&layout::kShapePlace, &layout::kDiameterPlace, &layout::kUnitsPlace}) {
      if (place->field == field) key = place->accessKey;
    }
    const std::size_t at = key != 0 ? layout::AccessKeyAt(label, key) : label.size();
    call<void>("showFieldLabel", Text(layout::FieldNameOf(field)), label, static_cast<int>(at));
  }
  void ShowSettingLabel(rating::RoutingSetting setting, const std::string& label) override {
    for (const layout::RoutingFieldPlace& place : layout::kRoutingFieldPlaces) {
      if (place.setting == setting) call<void>("showSettingLabel", Text(place.name), label);
    }
  }
  [[nodiscard]] bool SectionOpen() const override { return call<bool>("sectionOpen"); }
  void OpenSection(const std::string& title) override { call<void>("openSection", title); }
  // The picture comes as the SVG document the page shows.
  void ShowSection(const rating::plot::CrossSectionChart& chart, const std::string& summary) override {
    call<void>(
        "showSection",
        rating::plot::SvgDocument(rating::plot::CrossSectionScene(chart, rating::plot::SvgTextMeasure())),
        summary);
  }
  void ShowSectionProblem(const std::string& message) override { call<void>("showSectionProblem", message); }
};

// The page's controller: the press of the form's texts (in tab order) and the
// commands, told to the view it was made with.
class PageController {
 public:
  PageController(PageView& view, const std::string& separator) : controller_(view, view, view, separator) {}

  // The texts of every field, in the order of layout::kFieldNames.
  void Press(const val& texts) {
    rating::FieldTexts fieldTexts;
    for (std::size_t i = 0; i < layout::kFieldNames.size(); ++i) {
      rating::TextOf(fieldTexts, layout::kFieldNames.at(i).field) =
          texts[static_cast<int>(i)].as<std::string>();
    }
    controller_.Press(fieldTexts);
  }
  void Choose(int command) {
    controller_.Choose(rating::kRatingCommands.at(static_cast<std::size_t>(command)).command);
  }
  void SetInflow(const std::string& text) { controller_.SetInflow(text); }
  // The bytes of a chosen file, a Uint8Array; returns the text read.
  std::string OpenInflowFile(const val& bytes, const std::string& name) {
    const std::vector<std::uint8_t> read = emscripten::convertJSArrayToNumberVector<std::uint8_t>(bytes);
    return controller_.SetInflowFile(std::string(read.begin(), read.end()), name);
  }
  void Route() { controller_.Route(); }
  // The Section choice, as its index in kSectionShapes.
  void ChooseShape(int shape) {
    controller_.ChooseShape(rating::kSectionShapes.at(static_cast<std::size_t>(shape)).shape);
  }
  // The Units choice, as its index in kUnitSystems.
  void ChooseUnits(int units) {
    controller_.ChooseUnits(rating::kUnitSystems.at(static_cast<std::size_t>(units)).system);
  }
  void SetSection(const std::string& text) { controller_.SetSection(text); }
  // The bytes of a chosen section file, a Uint8Array; returns the text read.
  std::string OpenSectionFile(const val& bytes, const std::string& name) {
    const std::vector<std::uint8_t> read = emscripten::convertJSArrayToNumberVector<std::uint8_t>(bytes);
    return controller_.SetSectionFile(std::string(read.begin(), read.end()), name);
  }
  void ChooseRouting(int command) {
    controller_.Choose(rating::kRoutingCommands.at(static_cast<std::size_t>(command)).command);
  }

 private:
  rating::RatingController controller_;
};

}  // namespace

EMSCRIPTEN_BINDINGS(trapezoid_rating) {
  emscripten::function("fields", &Fields);
  emscripten::class_<rating::HandingOverView>("RatingView").allow_subclass<PageView>("PageView");
  emscripten::class_<PageController>("Controller")
      .constructor<PageView&, const std::string&>()
      .function("press", &PageController::Press)
      .function("choose", &PageController::Choose)
      .function("setInflow", &PageController::SetInflow)
      .function("openInflowFile", &PageController::OpenInflowFile)
      .function("route", &PageController::Route)
      .function("chooseShape", &PageController::ChooseShape)
      .function("chooseUnits", &PageController::ChooseUnits)
      .function("setSection", &PageController::SetSection)
      .function("openSectionFile", &PageController::OpenSectionFile)
      .function("chooseRouting", &PageController::ChooseRouting);
}
