#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <string_view>

#include "engine/input_field.h"
#include "messages/messages.h"

namespace rating {

// The channel sections a reach can have.
enum class SectionShape {
  Trapezoid,  // bottom width and equal bank slopes, prismatic
  Rectangle,  // bottom width and vertical walls
  Circle,     // a pipe flowing part full, below its crown
  Surveyed,   // a ground line of stations and elevations, with overbanks
};

inline constexpr std::size_t kSectionShapeCount = 4;

// A set of fields, one bit for each InputField.
using FieldSet = std::uint32_t;

constexpr FieldSet FieldsOf(std::initializer_list<InputField> fields) {
  FieldSet set = 0;
  for (const InputField field : fields) set |= FieldSet{1} << static_cast<unsigned>(field);
  return set;
}

// Everything the rating knows about one shape.
struct ShapeFacts {
  SectionShape shape;
  Message label;          // of the Section choice: "Rectangle"
  std::string_view word;  // the Section field's text, --shape and the batch column: "rectangle"
  FieldSet uses;          // the fields its rating reads; the others are left alone
};

namespace detail {
inline constexpr FieldSet kEveryShapeUses = FieldsOf(
    {InputField::Fall, InputField::Length, InputField::Roughness, InputField::MaxFlow, InputField::Increment,
     InputField::Title, InputField::Filename, InputField::Shape, InputField::Units});
}  // namespace detail

inline constexpr std::array<ShapeFacts, kSectionShapeCount> kSectionShapes = {{
    {SectionShape::Trapezoid, Message::ShapeTrapezoid, "trapezoid",
     detail::kEveryShapeUses |
         FieldsOf({InputField::BottomWidth, InputField::BankSlope, InputField::Invert})},
    {SectionShape::Rectangle, Message::ShapeRectangle, "rectangle",
     detail::kEveryShapeUses | FieldsOf({InputField::BottomWidth, InputField::Invert})},
    {SectionShape::Circle, Message::ShapeCircle, "circle",
     detail::kEveryShapeUses | FieldsOf({InputField::Diameter, InputField::Invert})},
    {SectionShape::Surveyed, Message::ShapeSurveyed, "section",
     detail::kEveryShapeUses | FieldsOf({InputField::LeftBank, InputField::RightBank,
                                         InputField::LeftRoughness, InputField::RightRoughness})},
}};

constexpr const ShapeFacts& Facts(SectionShape shape) {
  return kSectionShapes.at(static_cast<std::size_t>(shape));
}

// Whether the rating of `shape` reads `field`. A front end disables the
// fields it does not; the command line refuses them.
constexpr bool Uses(SectionShape shape, InputField field) {
  return (Facts(shape).uses & FieldsOf({field})) != 0;
}

// The shape the Section field's text names ("circle"; blanks around it and
// letter case do not matter). Throws RatingFailure (TypeMismatch) naming
// the field for any other text.
SectionShape ReadSectionShape(std::string_view text);

}  // namespace rating
