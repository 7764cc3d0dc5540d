// What the page's script may ask of the core: the field table, the captions
// and one session. Everything the page shows comes from here, in UTF-8 turned
// into JavaScript strings; files come as bytes, exactly as the desktop
// programs write them.
#include <cstddef>
#include <emscripten/bind.h>
#include <emscripten/val.h>
#include <string>
#include <vector>

#include "engine/input_field.h"
#include "layout/form_layout.h"
#include "messages/messages.h"
#include "run/rating_session.h"

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

// The page's words beside the fields': the title, the button, the list, and
// the commands on the rating.
val Captions() {
  val captions = val::object();
  captions.set("window", Text(rating::Pattern(rating::Message::CaptionWindow)));
  captions.set("markedButton", Text(layout::WithAccessKey(rating::Pattern(rating::Message::CaptionButton),
                                                          layout::kButtonAccessKey)));
  captions.set("buttonKey", Text(std::string(1, layout::kButtonAccessKey)));
  captions.set("list", Text(rating::Pattern(rating::Message::CaptionListName)));
  captions.set("copyTable", Text(rating::Pattern(rating::Message::CaptionCopyTable)));
  captions.set("showCurves", Text(rating::WithoutEllipsis(rating::Message::CaptionShowCurves)));
  val saves = val::array();
  for (const rating::ExportFacts& facts : rating::kExports) {
    val save = val::object();
    save.set("what", static_cast<int>(facts.what));
    save.set("name", Text(facts.name));
    save.set("command", Text(rating::SaveDialogTitle(facts.what)));
    saves.call<void>("push", save);
  }
  captions.set("saves", saves);
  return captions;
}

// One page's session: the press, the list, the copy, the files and the curves.
class PageSession {
 public:
  explicit PageSession(const std::string& separator) : session_(separator) {}

  // The failure of a press of the ten texts (in tab order), or null.
  val Press(const val& texts) {
    rating::FieldTexts fieldTexts;
    for (std::size_t i = 0; i < fieldTexts.size(); ++i) {
      fieldTexts.at(i) = texts[static_cast<int>(i)].as<std::string>();
    }
    const std::optional<rating::PressFailure> failure = session_.Rate(fieldTexts);
    if (!failure) return val::null();
    val result = val::object();
    result.set("message", Text(failure->message));
    result.set("field",
               failure->field
                   ? Text(layout::kFieldPlaces.at(static_cast<std::size_t>(*failure->field)).widgetName)
                   : val::null());
    result.set("emptiesList", failure->emptiesList);
    return result;
  }

  [[nodiscard]] bool Empty() const { return session_.Empty(); }

  [[nodiscard]] val ListLines() const {
    val lines = val::array();
    for (const std::string& line : session_.ListLines()) lines.call<void>("push", Text(line));
    return lines;
  }

  // The table of the selected list lines (indices), or of every row.
  [[nodiscard]] std::string CopyText(const val& selectedLines) const {
    return session_.CopyText(emscripten::vecFromJSArray<int>(selectedLines));
  }

  [[nodiscard]] val RatingFile() const { return DownloadValue(session_.RatingFileDownload()); }
  [[nodiscard]] val ExportFile(int what) const {
    return DownloadValue(session_.ExportDownload(rating::kExports.at(static_cast<std::size_t>(what)).what));
  }
  [[nodiscard]] std::string CurvesSvg() const { return session_.CurvesSvg(); }
  [[nodiscard]] std::string CurvesTitle() const { return session_.CurvesTitle(); }

 private:
  rating::RatingSession session_;
};

}  // namespace

EMSCRIPTEN_BINDINGS(trapezoid_rating) {
  emscripten::function("fields", &Fields);
  emscripten::function("captions", &Captions);
  emscripten::class_<PageSession>("Session")
      .constructor<std::string>()
      .function("press", &PageSession::Press)
      .function("empty", &PageSession::Empty)
      .function("listLines", &PageSession::ListLines)
      .function("copyText", &PageSession::CopyText)
      .function("ratingFile", &PageSession::RatingFile)
      .function("exportFile", &PageSession::ExportFile)
      .function("curvesSvg", &PageSession::CurvesSvg)
      .function("curvesTitle", &PageSession::CurvesTitle);
}
