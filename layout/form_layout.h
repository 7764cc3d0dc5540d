#pragma once

#include <algorithm>
#include <array>
#include <string>
#include <string_view>

#include "engine/input_field.h"
#include "engine/routing_setting.h"
#include "engine/table_order.h"

// Where the window's controls stand, for every front end that draws the
// window. Positions are in twips (1/1440 inch, 15 to a pixel at 96 dots per
// inch) within the client area, as the form was first drawn.
namespace rating::layout {

struct Rect {
  int left;    // twips
  int top;     // twips
  int width;   // twips
  int height;  // twips
};

inline constexpr int kClientWidth = 11295;  // twips
inline constexpr int kClientHeight = 5145;  // twips: the form, and the Section row under its button
inline constexpr Rect kButton = {1440, 3960, 1815, 375};
inline constexpr Rect kList = {4440, 240, 6735, 3960};
// Under the form, a line that says where the last press wrote the file; the
// desktop windows grow by its height.
inline constexpr Rect kStatusLine = {240, kClientHeight, kClientWidth - 480, 300};
inline constexpr int kClientHeightWithStatus = kClientHeight + kStatusLine.height + 120;  // twips
inline constexpr std::string_view kStatusLineName = "statusLine";
inline constexpr double kListFontPoints = 9.75;    // Courier, regular
inline constexpr double kDialogFontPoints = 8.25;  // the captions were fitted to it

// The form's historic control names: scripts, tests and screen-reader
// settings find the controls by them, so they stay as they were.
inline constexpr std::string_view kWindowName = "Form1";
inline constexpr std::string_view kButtonName = "Command1";
inline constexpr std::string_view kListName = "List1";

inline constexpr int kFieldHeight = 285;  // twips
inline constexpr int kLabelHeight = 255;  // twips
inline constexpr int kLabelAbove = 240;   // twips from a label's top to its field's

// One field and its label, which stands directly above it.
struct FieldPlace {
  InputField field;
  std::string_view widgetName;  // object name of the text box
  std::string_view labelName;   // object name of the label
  int left;                     // twips, of the text box and its label
  int top;                      // twips, of the text box
  int width;                    // twips, of the text box
  int labelWidth;               // twips
  char accessKey;               // Alt with this letter of the label goes to the field
};

// The form's text fields, the first of InputField, in tab order, which is
// theirs. The sections' own fields are not on it; a press takes their
// defaults, a trapezoid's.
inline constexpr std::size_t kFormFieldCount = 10;
inline constexpr std::array<FieldPlace, kFormFieldCount> kFieldPlaces = {{
    {InputField::BottomWidth, "txtWidth", "Label2", 240, 480, 1575, 1335, 'B'},
    {InputField::BankSlope, "txtBank", "Label3", 240, 1080, 1575, 1575, 'S'},
    {InputField::Fall, "txtSlope", "Label4", 240, 1680, 1575, 1695, 'F'},
    {InputField::Length, "txtLength", "Label6", 240, 2280, 1575, 1575, 'L'},
    {InputField::Roughness, "txtN", "Label5", 2640, 480, 1575, 1695, 'M'},
    {InputField::MaxFlow, "txtMaxQ", "Label1", 2640, 1080, 1575, 1575, 'X'},
    {InputField::Invert, "txtElev", "Label9", 2640, 1680, 1575, 1455, 'I'},
    {InputField::Increment, "txtIncrement", "Label10", 2640, 2280, 1575, 1815, 'D'},
    {InputField::Title, "txtTitle", "Label7", 240, 2880, 3975, 1455, 'T'},
    {InputField::Filename, "txtFilename", "Label8", 240, 3480, 3975, 2295, 'O'},
}};

static_assert(InKeyOrder(kFieldPlaces, &FieldPlace::field),
              "kFieldPlaces must list the fields in the order of InputField");

// Under the button, the Section choice, first in tab order, and a circle's
// diameter beside it; the fields a shape does not use are disabled there.
inline constexpr FieldPlace kShapePlace = {
    InputField::Shape, "cboShape", "lblShape", 240, 4740, 1575, 1335, 'e'};
inline constexpr FieldPlace kDiameterPlace = {
    InputField::Diameter, "txtDiameter", "lblDiameter", 2640, 4740, 1575, 1455, 'a'};
// Under the list, in the same row, the Units choice: every label names its
// units.
inline constexpr FieldPlace kUnitsPlace = {
    InputField::Units, "cboUnits", "lblUnits", 4440, 4740, 1575, 1335, 'U'};

// The Section window's fields, in tab order after its "Open Section…", each
// under its label with Alt and the label's letter.
struct SectionFieldPlace {
  InputField field;
  std::string_view name;  // object name of the field: "leftBank"
  char accessKey;         // Alt with this letter of the label goes to the field
};
inline constexpr std::array<SectionFieldPlace, 4> kSectionFieldPlaces = {{
    {InputField::LeftBank, "leftBank", 'L'},
    {InputField::RightBank, "rightBank", 'R'},
    {InputField::LeftRoughness, "leftRoughness", 'f'},
    {InputField::RightRoughness, "rightRoughness", 'g'},
}};
inline constexpr std::string_view kOpenSectionName = "openSection";
inline constexpr char kOpenSectionAccessKey = 'O';
inline constexpr std::string_view kSectionReadName = "sectionRead";  // the points read, or why none
inline constexpr std::string_view kSectionPictureName = "sectionPicture";

// Every field's object name, in tab order: the Section choice, the
// diameter and the Units choice, the form's fields, then the Section
// window's.
struct FieldName {
  InputField field;
  std::string_view name;
};
constexpr std::array<FieldName, kFieldCount> FieldNamesInTabOrder() {
  std::array<FieldName, kFieldCount> names{};
  std::size_t k = 0;
  names.at(k++) = {kShapePlace.field, kShapePlace.widgetName};
  names.at(k++) = {kDiameterPlace.field, kDiameterPlace.widgetName};
  names.at(k++) = {kUnitsPlace.field, kUnitsPlace.widgetName};
  for (const FieldPlace& place : kFieldPlaces) names.at(k++) = {place.field, place.widgetName};
  for (const SectionFieldPlace& place : kSectionFieldPlaces) names.at(k++) = {place.field, place.name};
  return names;
}
inline constexpr std::array<FieldName, kFieldCount> kFieldNames = FieldNamesInTabOrder();

// The object name of a field, wherever it stands.
constexpr std::string_view FieldNameOf(InputField field) {
  for (const FieldName& name : kFieldNames) {
    if (name.field == field) return name.name;
  }
  return {};
}

// Alt with this letter presses "Create Rating File"; no label uses it.
inline constexpr char kButtonAccessKey = 'C';

// "Browse…", beside "Create Rating File" and under the file name's right
// end, asks the system where to write the rating file.
inline constexpr Rect kBrowseButton = {3360, 3960, 855, 375};
inline constexpr std::string_view kBrowseButtonName = "browseFilename";
inline constexpr char kBrowseAccessKey = 'w';

// The routing window's settings, in tab order, each under its label
// (Facts(setting).caption), with Alt and the label's letter.
struct RoutingFieldPlace {
  RoutingSetting setting;
  std::string_view name;  // object name of the field: "timeStep"
  char accessKey;         // Alt with this letter of the label goes to the field
  bool suggestionBeside;  // the suggested value stands beside the field
};
inline constexpr std::array<RoutingFieldPlace, kRoutingSettingCount> kRoutingFieldPlaces = {{
    {RoutingSetting::TimeStep, "timeStep", 'T', false},
    {RoutingSetting::Subreaches, "subreaches", 'S', true},
    {RoutingSetting::InitialOutflow, "initialOutflow", 'I', false},
}};

static_assert(InKeyOrder(kRoutingFieldPlaces, &RoutingFieldPlace::setting),
              "kRoutingFieldPlaces must list the settings in the order of RoutingSetting");

inline constexpr std::string_view kSuggestionName = "suggestedSubreaches";
// The routing window's buttons beside its fields: "Open Hydrograph…" before
// the inflow read, "Route" after the settings.
inline constexpr std::string_view kOpenHydrographName = "openHydrograph";
inline constexpr char kOpenHydrographAccessKey = 'O';
inline constexpr std::string_view kRouteName = "route";
inline constexpr char kRouteAccessKey = 'R';

// Where a caption shows its access key underlined: the key's first
// occurrence, in its own case where the caption has it ("Channel Length" and
// "L": the "L", not the "l" before it), else in either case.
inline std::size_t AccessKeyAt(std::string_view caption, char key) {
  const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
  std::size_t at = caption.find(key);
  if (at == std::string_view::npos) {
    for (at = 0; at < caption.size() && lower(caption[at]) != lower(key); ++at) {
    }
  }
  return at;
}

// `caption` with its access key marked as both toolkits mark it: "&" before
// the key's first occurrence, in its own case where the caption has it
// ("Channel &Length", not "Channe&l Length"), and any "&" of the caption
// doubled so that it shows as itself.
inline std::string WithAccessKey(std::string_view caption, char key) {
  const std::size_t at = AccessKeyAt(caption, key);
  std::string marked;
  for (std::size_t i = 0; i < caption.size(); ++i) {
    if (i == at) marked += '&';
    if (caption[i] == '&') marked += '&';
    marked += caption[i];
  }
  return marked;
}

inline constexpr int kLabelGap = 60;     // twips kept clear between a label and the list
inline constexpr int kRightMargin = 60;  // twips kept clear right of the list

// The list's place when the widest label ends at `labelsRight` (twips). A
// caption wider in the desktop's font than the form allowed pushes the list
// right, keeping its width, so that its 54-character rows stay whole; only
// where the window has no room left does the list narrow.
constexpr Rect ListClearOf(int labelsRight) {
  Rect list = kList;
  const int left = std::max(list.left, labelsRight + kLabelGap);
  const int right = std::min(left + list.width, kClientWidth - kRightMargin);
  list.left = left;
  list.width = right - left;
  return list;
}

constexpr Rect FieldRect(const FieldPlace& place) {
  return {place.left, place.top, place.width, kFieldHeight};
}
constexpr Rect LabelRect(const FieldPlace& place) {
  return {place.left, place.top - kLabelAbove, place.labelWidth, kLabelHeight};
}

}  // namespace rating::layout
