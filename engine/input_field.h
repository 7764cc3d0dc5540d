#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

#include "messages/messages.h"

namespace rating {

// The fields of a reach: the ten of the main window, in tab order, then
// those of the other channel sections. A failure names the field it arose
// in, so that a front end can put the cursor there.
enum class InputField {
  BottomWidth,     // ft
  BankSlope,       // run per rise
  Fall,            // channel fall over the reach, ft
  Length,          // reach length, mi
  Roughness,       // Manning's n
  MaxFlow,         // cfs
  Invert,          // invert elevation, ft
  Increment,       // depth step, ft
  Title,           // title line of the rating file
  Filename,        // name of the rating file
  Shape,           // the section: trapezoid, rectangle, circle or section (surveyed)
  Diameter,        // of a circle, ft
  LeftBank,        // station of a surveyed section's left bank, ft; blank: its first point
  RightBank,       // station of its right bank, ft; blank: its last point
  LeftRoughness,   // Manning's n of the left overbank; blank: the channel's
  RightRoughness,  // Manning's n of the right overbank; blank: the channel's
  Units,           // the system of units every other field is in: us or si
};

inline constexpr std::size_t kFieldCount = 17;

// What a field holds: a number the rating is computed from, a text that
// the rating file carries, or one word of a fixed few.
enum class FieldKind { Number, Text, Choice };

// Everything the rating knows about one field. Where a window draws it is
// the front ends' business (layout/form_layout.h).
struct FieldFacts {
  InputField field;
  FieldKind kind;
  Message label;                 // caption of the field's label, and its name in messages
  std::string_view defaultText;  // numbers with "." as decimal separator
  std::string_view option;       // command-line option without "--", and batch column
  Message optionHelp;            // what the option means, for --help
};

inline constexpr std::array<FieldFacts, kFieldCount> kFields = {{
    {InputField::BottomWidth, FieldKind::Number, Message::LabelBottomWidth, "50", "width",
     Message::OptionHelpBottomWidth},
    {InputField::BankSlope, FieldKind::Number, Message::LabelBankSlope, "2", "bank",
     Message::OptionHelpBankSlope},
    {InputField::Fall, FieldKind::Number, Message::LabelFall, "110", "fall", Message::OptionHelpFall},
    {InputField::Length, FieldKind::Number, Message::LabelLength, "5.5", "length", Message::OptionHelpLength},
    {InputField::Roughness, FieldKind::Number, Message::LabelRoughness, "0.025", "n",
     Message::OptionHelpRoughness},
    {InputField::MaxFlow, FieldKind::Number, Message::LabelMaxFlow, "3000", "max-flow",
     Message::OptionHelpMaxFlow},
    {InputField::Invert, FieldKind::Number, Message::LabelInvert, "0.0", "invert", Message::OptionHelpInvert},
    {InputField::Increment, FieldKind::Number, Message::LabelIncrement, "0.2", "increment",
     Message::OptionHelpIncrement},
    {InputField::Title, FieldKind::Text, Message::LabelTitle, "South Street Channel", "title",
     Message::OptionHelpTitle},
    {InputField::Filename, FieldKind::Text, Message::LabelFilename, "MyRating.RAT", "output",
     Message::OptionHelpFilename},
    {InputField::Shape, FieldKind::Choice, Message::LabelShape, "trapezoid", "shape",
     Message::OptionHelpShape},
    {InputField::Diameter, FieldKind::Number, Message::LabelDiameter, "", "diameter",
     Message::OptionHelpDiameter},
    {InputField::LeftBank, FieldKind::Number, Message::LabelLeftBank, "", "left-bank",
     Message::OptionHelpLeftBank},
    {InputField::RightBank, FieldKind::Number, Message::LabelRightBank, "", "right-bank",
     Message::OptionHelpRightBank},
    {InputField::LeftRoughness, FieldKind::Number, Message::LabelLeftRoughness, "", "n-left",
     Message::OptionHelpLeftRoughness},
    {InputField::RightRoughness, FieldKind::Number, Message::LabelRightRoughness, "", "n-right",
     Message::OptionHelpRightRoughness},
    {InputField::Units, FieldKind::Choice, Message::LabelUnits, "us", "units", Message::OptionHelpUnits},
}};

// The caption of a field's label, its name in messages, naming the units
// of `units`: "Bottom Width (m)" in SI.
std::string_view FieldLabel(InputField field, UnitSystem units = UnitSystem::UsCustomary);

// The facts of one field.
constexpr const FieldFacts& Facts(InputField field) { return kFields.at(static_cast<std::size_t>(field)); }

// Whether the field holds a number rather than a text.
constexpr bool IsNumeric(InputField field) { return Facts(field).kind == FieldKind::Number; }

// The field texts as typed, in UTF-8, indexed by InputField. Every layer
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

// Every field's default text.
FieldTexts DefaultFieldTexts(std::string_view decimalSeparator);

// `text` when it is one line. The title is line 1 of the rating file and the
// file name one name; a pasted or quoted line break would split the one or
// make a name nobody can type, so it fails (InvalidText) naming `field`.
std::string RequireOneLine(std::string text, InputField field);
// The rating file's name as typed, refused where it is empty or not one line.
std::string RequireFileName(std::string text);

}  // namespace rating
