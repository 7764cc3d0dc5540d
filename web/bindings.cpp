// What the page's script may ask of the core: the field table, the captions,
// the commands, and a controller that tells the script's view what to draw.
// Everything the page shows comes from here, in UTF-8 turned into JavaScript
// strings; files come as bytes, exactly as the desktop programs write them.
#include <cstddef>
#include <emscripten/bind.h>
#include <emscripten/val.h>
#include <string>
#include <vector>

#include "engine/input_field.h"
#include "layout/form_layout.h"
#include "messages/messages.h"
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

// The ten fields in tab order: the names of the field and its label, the
// caption with its access key marked, the width in the desktop form (twips),
// and the default text with `separator`.
val Fields(const std::string& separator) {
  val fields = val::array();
  for (const layout::FieldPlace& place : layout::kFieldPlaces) {
    val field = val::object();
    field.set("name", Text(place.widgetName));
    field.set("labelName", Text(place.labelName));
    field.set("markedLabel", Text(layout::WithAccessKey(rating::FieldLabel(place.field), place.accessKey)));
    field.set("accessKey", Text(std::string(1, place.accessKey)));
    field.set("defaultText", Text(rating::DefaultFieldText(place.field, separator)));
    field.set("width", place.width);
    fields.call<void>("push", field);
  }
  return fields;
}

// The page's words beside the fields': the title, the button and the list.
val Captions() {
  val captions = val::object();
  captions.set("window", Text(rating::Pattern(rating::Message::CaptionWindow)));
  captions.set("markedButton", Text(layout::WithAccessKey(rating::Pattern(rating::Message::CaptionButton),
                                                          layout::kButtonAccessKey)));
  captions.set("buttonKey", Text(std::string(1, layout::kButtonAccessKey)));
  captions.set("list", Text(rating::Pattern(rating::Message::CaptionListName)));
  return captions;
}

// The commands on the rating, in the menus' order: each one's number for
// Controller.choose, its object name and its caption, which names a
// download or a section and so has no "…".
val Commands() {
  val commands = val::array();
  for (const rating::CommandFacts& facts : rating::kRatingCommands) {
    val command = val::object();
    command.set("command", static_cast<int>(facts.command));
    command.set("name", Text(facts.name));
    command.set("caption", Text(rating::WithoutEllipsis(facts.caption)));
    commands.call<void>("push", command);
  }
  return commands;
}

// The page's view, written in its script: each call of the controller
// reaches the object the script gave RatingView.implement, in the values a
// script reads. The curves come as the SVG document the page shows.
class PageView : public emscripten::wrapper<rating::HandingOverView> {
 public:
  EMSCRIPTEN_WRAPPER(PageView);

  void ShowLines(const std::vector<std::string>& lines) override {
    val shown = val::array();
    for (const std::string& line : lines) shown.call<void>("push", Text(line));
    call<void>("showLines", shown);
  }
  [[nodiscard]] std::vector<int> SelectedLines() const override {
    return emscripten::vecFromJSArray<int>(call<val>("selectedLines"));
  }
  void EnableRatingCommands(bool enabled) override { call<void>("enableRatingCommands", enabled); }
  [[nodiscard]] bool CurvesOpen() const override { return call<bool>("curvesOpen"); }
  void OpenCurves(const rating::RatingCurves& curves, const std::string& title) override {
    call<void>("openCurves", rating::CurvesSvg(curves), title);
  }
  void RedrawCurves(const rating::RatingCurves& curves, const std::string& title) override {
    call<void>("redrawCurves", rating::CurvesSvg(curves), title);
  }
  void CloseCurves() override { call<void>("closeCurves"); }
  void ShowFailure(const std::string& message, std::optional<rating::InputField> field) override {
    call<void>(
        "showFailure", message,
        field ? Text(layout::kFieldPlaces.at(static_cast<std::size_t>(*field)).widgetName) : val::null());
  }
  void ShowNote(const std::string& note) override { call<void>("showNote", note); }
  void PutOnClipboard(const std::string& text) override { call<void>("putOnClipboard", text); }
  void HandOver(const rating::Download& file) override { call<void>("handOver", DownloadValue(file)); }
};

// The page's controller: the press of the ten texts (in tab order) and the
// commands, told to the view it was made with.
class PageController {
 public:
  PageController(rating::HandingOverView& view, const std::string& separator)
      : controller_(view, separator) {}

  void Press(const val& texts) {
    rating::FieldTexts fieldTexts;
    for (std::size_t i = 0; i < fieldTexts.size(); ++i) {
      fieldTexts.at(i) = texts[static_cast<int>(i)].as<std::string>();
    }
    controller_.Press(fieldTexts);
  }
  void Choose(int command) {
    controller_.Choose(rating::kRatingCommands.at(static_cast<std::size_t>(command)).command);
  }

 private:
  rating::RatingController controller_;
};

}  // namespace

EMSCRIPTEN_BINDINGS(trapezoid_rating) {
  emscripten::function("fields", &Fields);
  emscripten::function("captions", &Captions);
  emscripten::function("commands", &Commands);
  emscripten::class_<rating::HandingOverView>("RatingView").allow_subclass<PageView>("PageView");
  emscripten::class_<PageController>("Controller")
      .constructor<rating::HandingOverView&, const std::string&>()
      .function("press", &PageController::Press)
      .function("choose", &PageController::Choose);
}
