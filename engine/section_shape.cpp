#include "engine/section_shape.h"

#include "engine/failure.h"
#include "engine/table_order.h"
#include "engine/trimmed_text.h"

namespace rating {

static_assert(InKeyOrder(kSectionShapes, &ShapeFacts::shape),
              "kSectionShapes must list the shapes in the order of SectionShape");

SectionShape ReadSectionShape(std::string_view text) {
  for (const ShapeFacts& facts : kSectionShapes) {
    if (NamesWord(text, facts.word)) return facts.shape;
  }
  throw FieldFailure(FailureKind::TypeMismatch, Message::FieldNotAShape, InputField::Shape, text);
}

}  // namespace rating
