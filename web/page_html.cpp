// Writes the page's HTML from its template when the page is built: the
// title, the labelled fields with their defaults, the button, the commands
// and the results table's column names, in the words of the message and
// field tables. The page then reads whole before its script has loaded, and
// without a script at all.
//
// Usage: page_html TEMPLATE OUTPUT
#include <algorithm>
#include <array>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "engine/input_field.h"
#include "engine/section_shape.h"
#include "engine/unit_system.h"
#include "layout/form_layout.h"
#include "messages/messages.h"
#include "output/listing.h"
#include "plot/svg_writer.h"
#include "run/rating_controller.h"

namespace {

namespace layout = rating::layout;

// Text as HTML shows it, in an element or an attribute.
using rating::plot::MarkupEscaped;

// A caption with its access key underlined, as the desktop windows show it.
std::string WithKeyShown(std::string_view caption, char key) {
  const std::size_t at = layout::AccessKeyAt(caption, key);
  if (at >= caption.size()) return MarkupEscaped(caption);
  return MarkupEscaped(caption.substr(0, at)) + "<span class=\"key\">" +
         MarkupEscaped(caption.substr(at, 1)) + "</span>" + MarkupEscaped(caption.substr(at + 1));
}

std::string AccessKey(char key) {
  return {static_cast<char>(key >= 'A' && key <= 'Z' ? key - 'A' + 'a' : key)};
}

// A text field after its label, with the default of a page whose browser
// writes "." (the script sets the browser's own).
std::string TextField(rating::InputField field, std::string_view name, std::string_view labelName, char key,
                      bool disabled) {
  const std::string id(name);
  return "<label id=\"" + std::string(labelName) + "\" for=\"" + id + "\">" +
         WithKeyShown(rating::FieldLabel(field), key) + "</label><input type=\"text\" id=\"" + id +
         "\" name=\"" + id + "\" value=\"" + MarkupEscaped(rating::DefaultFieldText(field, ".")) + "\"" +
         (key != 0 ? " accesskey=\"" + AccessKey(key) + "\"" : std::string()) +
         (rating::IsNumeric(field) ? " inputmode=\"decimal\"" : "") +
         " autocomplete=\"off\" spellcheck=\"false\"" + (disabled ? " disabled" : "") + ">";
}

// A choice at `place` after its label, its options by their words, the
// first chosen.
template <typename Facts, std::size_t N>
std::string ChoiceField(const layout::FieldPlace& place, const std::array<Facts, N>& choices) {
  std::string html = "      <div class=\"field\"><label id=\"" + std::string(place.labelName) + "\" for=\"" +
                     std::string(place.widgetName) + "\">" +
                     WithKeyShown(rating::FieldLabel(place.field), place.accessKey) +
                     "</label><select id=\"" + std::string(place.widgetName) + "\" name=\"" +
                     std::string(place.widgetName) + "\" accesskey=\"" + AccessKey(place.accessKey) + "\">";
  for (const Facts& facts : choices) {
    html += "<option value=\"" + std::string(facts.word) + "\">" +
            MarkupEscaped(rating::Pattern(facts.label)) + "</option>";
  }
  return html + "</select></div>\n";
}

// The Section choice, first, and the diameter beside it, which the
// trapezoid chosen at the start does not use; then the Units choice.
std::string ShapeFields() {
  const layout::FieldPlace& diameter = layout::kDiameterPlace;
  return ChoiceField(layout::kShapePlace, rating::kSectionShapes) + "      <div class=\"field\">" +
         TextField(diameter.field, diameter.widgetName, diameter.labelName, diameter.accessKey, true) +
         "</div>\n" + ChoiceField(layout::kUnitsPlace, rating::kUnitSystems);
}

// The form's ten fields in tab order, each after its label; a field wider
// than a column of the desktop form spans both.
std::string Fields() {
  int narrowest = layout::kFieldPlaces.front().width;
  for (const layout::FieldPlace& place : layout::kFieldPlaces) narrowest = std::min(narrowest, place.width);
  std::string html = ShapeFields();
  for (const layout::FieldPlace& place : layout::kFieldPlaces) {
    html += std::string("      <div class=\"field") + (2 * place.width > 3 * narrowest ? " wide" : "") +
            "\">" + TextField(place.field, place.widgetName, place.labelName, place.accessKey, false) +
            "</div>\n";
  }
  return html;
}

// The section of a surveyed section: its points pasted or opened, its
// banks and overbanks' n, the points read and their picture. Its fields
// take no access keys: the form's letters are the page's.
std::string Section() {
  using rating::Message;
  const auto show = [](Message message) { return MarkupEscaped(rating::Pattern(message)); };
  std::string html =
      "  <section id=\"section\" class=\"routing\" aria-labelledby=\"sectionHeading\" hidden>\n";
  html += "    <h2 id=\"sectionHeading\" tabindex=\"-1\"></h2>\n";
  html += "    <label for=\"sectionText\">" + show(Message::CaptionSectionPaste) + "</label>\n";
  html += "    <textarea id=\"sectionText\" rows=\"6\" spellcheck=\"false\"></textarea>\n";
  html += "    <label class=\"file\">" + MarkupEscaped(rating::WithoutEllipsis(Message::CaptionOpenSection)) +
          " <input type=\"file\" id=\"" + std::string(layout::kOpenSectionName) +
          "\" accept=\".csv,.txt,text/csv,text/plain\"></label>\n";
  html += "    <p id=\"" + std::string(layout::kSectionReadName) + "\" role=\"status\"></p>\n";
  html += "    <div class=\"settings\">\n";
  for (const layout::SectionFieldPlace& place : layout::kSectionFieldPlaces) {
    html += "      <div class=\"field\">" +
            TextField(place.field, place.name, std::string(place.name) + "Label", 0, false) + "</div>\n";
  }
  return html + "    </div>\n    <div id=\"" + std::string(layout::kSectionPictureName) +
         "\"></div>\n  </section>\n";
}

// The commands on the rating as buttons, but the curves, which open in a
// section of their own; each names its command for the controller.
std::string Commands() {
  std::string html;
  for (const rating::CommandFacts& command : rating::kRatingCommands) {
    if (command.command == rating::RatingCommand::ShowCurves) continue;
    html += "        <button type=\"button\" id=\"" + std::string(command.name) + "\" data-command=\"" +
            std::to_string(static_cast<int>(command.command)) + "\" disabled>" +
            MarkupEscaped(rating::WithoutEllipsis(command.caption)) + "</button>\n";
  }
  return html;
}

// The section that routes a flood: the inflow pasted or opened, the
// settings, the chart, the summary and the routing's commands.
std::string Routing() {
  using rating::Message;
  const auto show = [](Message message) { return MarkupEscaped(rating::Pattern(message)); };
  std::string html =
      "  <section id=\"routing\" class=\"routing\" aria-labelledby=\"routingHeading\" hidden>\n";
  html += "    <h2 id=\"routingHeading\" tabindex=\"-1\"></h2>\n";
  html += "    <label for=\"inflowText\">" + show(Message::CaptionInflowPaste) + "</label>\n";
  html += "    <textarea id=\"inflowText\" rows=\"6\" spellcheck=\"false\"></textarea>\n";
  html += "    <label class=\"file\">" +
          MarkupEscaped(rating::WithoutEllipsis(Message::CaptionOpenHydrograph)) +
          " <input type=\"file\" id=\"openHydrograph\" accept=\".csv,.txt,text/csv,text/plain\"></label>\n";
  html += "    <p id=\"inflowRead\" role=\"status\"></p>\n    <div class=\"settings\">\n";
  for (const layout::RoutingFieldPlace& place : layout::kRoutingFieldPlaces) {
    const std::string name(place.name);
    html += "      <div class=\"field\"><label for=\"" + name + "\">" +
            show(rating::Facts(place.setting).caption) + "</label><input type=\"text\" id=\"" + name +
            "\" autocomplete=\"off\" spellcheck=\"false\">";
    if (place.suggestionBeside) html += "<span id=\"" + std::string(layout::kSuggestionName) + "\"></span>";
    html += "</div>\n";
  }
  html +=
      "      <button type=\"button\" id=\"route\">" + show(Message::CaptionRoute) + "</button>\n    </div>\n";
  html += "    <div id=\"hydrographPicture\"></div>\n";
  html += "    <p id=\"routingSummary\" role=\"status\"></p>\n    <div class=\"commands\">\n";
  for (const rating::RoutingCommandFacts& command : rating::kRoutingCommands) {
    html += "      <button type=\"button\" id=\"" + std::string(command.name) + "\" data-routing-command=\"" +
            std::to_string(static_cast<int>(command.command)) + "\" disabled>" +
            MarkupEscaped(rating::WithoutEllipsis(command.caption)) + "</button>\n";
  }
  return html + "    </div>\n  </section>\n";
}

// Each column's name over its unit, as the desktop lists head them; a
// screen reader reads the two as one, "Elev (ft)".
std::string ColumnNames() {
  const std::vector<std::string> names = rating::ListingCells(rating::kListingHeadings[0]);
  const std::vector<std::string> units = rating::ListingCells(rating::kListingHeadings[1]);
  std::string html;
  for (std::size_t i = 0; i < names.size(); ++i) {
    html += "<th role=\"columnheader\" scope=\"col\"><span>" + MarkupEscaped(names[i]) + "</span> <span>" +
            MarkupEscaped(i < units.size() ? units[i] : std::string()) + "</span></th>";
  }
  return html;
}

void Replace(std::string& text, std::string_view placeholder, const std::string& value) {
  for (std::size_t at = text.find(placeholder); at != std::string::npos;
       at = text.find(placeholder, at + value.size())) {
    text.replace(at, placeholder.size(), value);
  }
}

}  // namespace

int main(int argc, char* argv[]) {
  const std::vector<std::string> arguments(argv, argv + argc);  // NOLINT: argv is argc long
  if (arguments.size() != 3) {
    (void)std::fputs("Usage: page_html TEMPLATE OUTPUT\n", stderr);
    return 2;
  }
  std::ifstream in(arguments[1], std::ios::binary);
  std::string page{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  if (!in && !in.eof()) return 1;
  using rating::Message;
  const auto show = [](Message message) { return MarkupEscaped(rating::Pattern(message)); };
  const rating::CommandFacts& curves = rating::FactsOf(rating::RatingCommand::ShowCurves);
  Replace(page, "@TITLE@", show(Message::CaptionWindow));
  Replace(page, "@NO_SCRIPT@", show(Message::PageNeedsScript));
  Replace(page, "@START_FAILURE@", show(Message::PageStartFailure));
  Replace(page, "@LOADING@", show(Message::PageLoading));
  Replace(page, "@CORE_MISSING@", show(Message::PageCoreMissing));
  Replace(page, "@FIELDS@", Fields());
  Replace(page, "@BUTTON@", WithKeyShown(rating::Pattern(Message::CaptionButton), layout::kButtonAccessKey));
  Replace(page, "@BUTTON_KEY@", AccessKey(layout::kButtonAccessKey));
  Replace(page, "@LIST@", show(Message::CaptionListName));
  Replace(page, "@COLUMNS@", ColumnNames());
  Replace(page, "@COMMANDS@", Commands());
  Replace(page, "@SECTION@", Section());
  Replace(page, "@ROUTING@", Routing());
  Replace(page, "@SHOW_CURVES@", MarkupEscaped(rating::WithoutEllipsis(curves.caption)));
  Replace(page, "@SHOW_CURVES_COMMAND@", std::to_string(static_cast<int>(curves.command)));
  std::ofstream out(arguments[2], std::ios::binary);
  out << page;
  out.close();
  return out ? 0 : 1;
}
