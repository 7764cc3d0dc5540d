#include "engine/section_shape.h"

#include "engine/failure.h"
#include "engine/table_order.h"

namespace rating {

static_assert(InKeyOrder(kSectionShapes, &ShapeFacts::shape),
              "kSectionShapes must list the shapes in the order of SectionShape");

SectionShape ReadSectionShape(std::string_view text) {
  const auto first = text.find_first_not_of(" \t");
  const std::string_view trimmed = first == std::string_view::npos
                                       ? std::string_view()
                                       : text.substr(first, text.find_last_not_of(" \t") - first + 1);
  const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
  for (const ShapeFacts& facts : kSectionShapes) {
    if (facts.word.size() == trimmed.size() && std::equal(trimmed.begin(), trimmed.end(), facts.word.begin(),
                                                          [&](char a, char b) { return lower(a) == b; })) {
      return facts.shape;
    }
  }
  throw FieldFailure(FailureKind::TypeMismatch, Message::FieldNotAShape, InputField::Shape, text);
}

}  // namespace rating
