#include "engine/input_field.h"

namespace rating {

namespace {

// The table is indexed by field.
constexpr bool InFieldOrder() {
  for (std::size_t i = 0; i < kFields.size(); ++i) {
    if (static_cast<std::size_t>(kFields.at(i).field) != i) return false;
  }
  return true;
}
static_assert(InFieldOrder(), "kFields must list the fields in the order of InputField");

}  // namespace

std::string DefaultFieldText(InputField field, std::string_view decimalSeparator) {
  std::string text(Facts(field).defaultText);
  if (IsNumeric(field)) {
    if (const auto point = text.find('.'); point != std::string::npos) {
      text.replace(point, 1, decimalSeparator);
    }
  }
  return text;
}

}  // namespace rating
