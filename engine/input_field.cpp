#include "engine/input_field.h"

#include "engine/decimal_text.h"
#include "engine/failure.h"
#include "engine/table_order.h"

namespace rating {

std::string_view FieldLabel(InputField field, UnitSystem units) { return Pattern(Facts(field).label, units); }

// The table is indexed by field.
static_assert(InKeyOrder(kFields, &FieldFacts::field),
              "kFields must list the fields in the order of InputField");

std::string DefaultFieldText(InputField field, std::string_view decimalSeparator) {
  std::string text(Facts(field).defaultText);
  return IsNumeric(field) ? WithDecimalMark(std::move(text), decimalSeparator) : text;
}

FieldTexts DefaultFieldTexts(std::string_view decimalSeparator) {
  FieldTexts texts;
  for (const FieldFacts& facts : kFields) {
    TextOf(texts, facts.field) = DefaultFieldText(facts.field, decimalSeparator);
  }
  return texts;
}

std::string RequireOneLine(std::string text, InputField field) {
  if (text.find_first_of("\r\n") != std::string::npos) {
    throw FieldFailure(FailureKind::InvalidText, Message::FieldLineBreak, field);
  }
  return text;
}

std::string RequireFileName(std::string text) {
  if (text.empty()) {
    throw FieldFailure(FailureKind::FileCreate, Message::FieldNoFileName, InputField::Filename);
  }
  return RequireOneLine(std::move(text), InputField::Filename);
}

}  // namespace rating
