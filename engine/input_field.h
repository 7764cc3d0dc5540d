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

// Everything the program knows about one field. The widget and label names
// are the form's historic control names (txtSlope, Label4, ...): scripts and
// tests find the widgets by them, so they stay as they were.
struct FieldFacts {
  InputField field;
  std::string_view label;        // caption of the field's label
  std::string_view defaultText;  // numbers with "." as decimal separator
  std::string_view option;       // command-line option without "--", and batch column
  std::string_view optionHelp;   // what the option means, for --help
  std::string_view widgetName;   // object name of the text box
  std::string_view labelName;    // object name of the label
  int left;                      // twips, of the text box
  int top;                       // twips, of the text box
  int width;                     // twips, of the text box
  int labelWidth;                // twips
};

inline constexpr std::array<FieldFacts, kFieldCount> kFields = {{
    {InputField::BottomWidth, "Bottom Width (ft)", "50", "width", "Bottom width (ft).", "txtWidth", "Label2",
     240, 480, 1575, 1335},
    {InputField::BankSlope, "Bank Slope run/rise", "2", "bank", "Bank slope, run per rise; 0 is taken as 2.",
     "txtBank", "Label3", 240, 1080, 1575, 1575},
    {InputField::Fall, "Channel Fall (ft)", "110", "fall", "Channel fall over the reach (ft).", "txtSlope",
     "Label4", 240, 1680, 1575, 1695},
    {InputField::Length, "Channel Length (mi)", "5.5", "length", "Channel length (mi).", "txtLength",
     "Label6", 240, 2280, 1575, 1575},
    {InputField::Roughness, "Manning's Roughness", "0.025", "n", "Manning's roughness.", "txtN", "Label5",
     2640, 480, 1575, 1695},
    {InputField::MaxFlow, "Maximum Flow (cfs)", "3000", "max-flow",
     "Maximum flow (cfs); the table ends at the first row above it.", "txtMaxQ", "Label1", 2640, 1080, 1575,
     1575},
    {InputField::Invert, "Invert Elevation (ft)", "0.0", "invert", "Invert elevation (ft).", "txtElev",
     "Label9", 2640, 1680, 1575, 1455},
    {InputField::Increment, "Incremental Depth (ft)", "0.2", "increment",
     "Depth increment (ft); 0 is taken as 1.", "txtIncrement", "Label10", 2640, 2280, 1575, 1815},
    {InputField::Title, "Title Line", "South Street Channel", "title", "Title line of the rating file.",
     "txtTitle", "Label7", 240, 2880, 3975, 1455},
    {InputField::Filename, "Output Rating Filename", "MyRating.RAT", "output",
     "Rating file to write, relative to the current directory; \"-\" is standard output.", "txtFilename",
     "Label8", 240, 3480, 3975, 2295},
}};

// The facts of one field.
constexpr const FieldFacts& Facts(InputField field) { return kFields.at(static_cast<std::size_t>(field)); }

// Whether the field holds a number rather than a text.
constexpr bool IsNumeric(InputField field) {
  return field != InputField::Title && field != InputField::Filename;
}

// The text a field shows when the window opens ("50" for the bottom width),
// numbers with the user's decimal separator ("5,5" for the length where the
// separator is a comma).
std::string DefaultFieldText(InputField field, std::string_view decimalSeparator);

// `text` when it is one line. The title is line 1 of the rating file and the
// file name one name; a pasted or quoted line break would split the one or
// make a name nobody can type, so it fails (InvalidText) naming `field`.
std::string RequireOneLine(std::string text, InputField field);

}  // namespace rating
