#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

namespace rating {

// The ten text fields of the main window, in tab order. A failure names the
// field it arose in, so that a front end can put the cursor there.
enum class InputField {
  BottomWidth,  // ft
  BankSlope,    // run per rise
  Fall,         // channel fall over the reach, ft
  Length,       // reach length, mi
  Roughness,    // Manning's n
  MaxFlow,      // cfs
  Invert,       // invert elevation, ft
  Increment,    // depth step, ft
  Title,        // title line of the rating file
  Filename,     // name of the rating file
};

inline constexpr std::size_t kFieldCount = 10;

// What a field holds: a number the rating is computed from, or a text that
// the rating file carries.
enum class FieldKind { Number, Text };

// Everything the rating knows about one field. Where a window draws it is
// the front ends' business (layout/form_layout.h).
struct FieldFacts {
  InputField field;
  FieldKind kind;
  std::string_view label;        // caption of the field's label, and its name in messages
  std::string_view defaultText;  // numbers with "." as decimal separator
  std::string_view option;       // command-line option without "--", and batch column
  std::string_view optionHelp;   // what the option means, for --help
};

inline constexpr std::array<FieldFacts, kFieldCount> kFields = {{
    {InputField::BottomWidth, FieldKind::Number, "Bottom Width (ft)", "50", "width", "Bottom width (ft)."},
    {InputField::BankSlope, FieldKind::Number, "Bank Slope run/rise", "2", "bank",
     "Bank slope, run per rise; 0 is taken as 2."},
    {InputField::Fall, FieldKind::Number, "Channel Fall (ft)", "110", "fall",
     "Channel fall over the reach (ft)."},
    {InputField::Length, FieldKind::Number, "Channel Length (mi)", "5.5", "length", "Channel length (mi)."},
    {InputField::Roughness, FieldKind::Number, "Manning's Roughness", "0.025", "n", "Manning's roughness."},
    {InputField::MaxFlow, FieldKind::Number, "Maximum Flow (cfs)", "3000", "max-flow",
     "Maximum flow (cfs); the table ends at the first row above it."},
    {InputField::Invert, FieldKind::Number, "Invert Elevation (ft)", "0.0", "invert",
     "Invert elevation (ft)."},
    {InputField::Increment, FieldKind::Number, "Incremental Depth (ft)", "0.2", "increment",
     "Depth increment (ft); 0 is taken as 1."},
    {InputField::Title, FieldKind::Text, "Title Line", "South Street Channel", "title",
     "Title line of the rating file."},
    {InputField::Filename, FieldKind::Text, "Output Rating Filename", "MyRating.RAT", "output",
     "Rating file to write, relative to the current directory; \"-\" is standard output."},
}};

// The facts of one field.
constexpr const FieldFacts& Facts(InputField field) { return kFields.at(static_cast<std::size_t>(field)); }

// Whether the field holds a number rather than a text.
constexpr bool IsNumeric(InputField field) { return Facts(field).kind == FieldKind::Number; }

// The ten field texts as typed, in UTF-8, indexed by InputField. Every layer
// passes them whole: the window reads them at the press, the command line
// from its options or a batch row.
using FieldTexts = std::array<std::string, kFieldCount>;

inline const std::string& TextOf(const FieldTexts& texts, InputField field) {
  return texts.at(static_cast<std::size_t>(field));
}
inline std::string& TextOf(FieldTexts& texts, InputField field) {
  return texts.at(static_cast<std::size_t>(field));
}

// The text a field shows when the window opens ("50" for the bottom width),
// numbers with the user's decimal separator ("5,5" for the length where the
// separator is a comma).
std::string DefaultFieldText(InputField field, std::string_view decimalSeparator);

// All ten default texts.
FieldTexts DefaultFieldTexts(std::string_view decimalSeparator);

// `text` when it is one line. The title is line 1 of the rating file and the
// file name one name; a pasted or quoted line break would split the one or
// make a name nobody can type, so it fails (InvalidText) naming `field`.
std::string RequireOneLine(std::string text, InputField field);

}  // namespace rating
