#pragma once

// Field texts for the tests: the window's defaults, with edits.
#include <vector>

#include "engine/input_field.h"

namespace rating::testing_support {

// One field typed differently from its default text.
struct FieldEdit {
  InputField field;
  const char* text;
};

// The default texts with "." as separator, and `edits` applied in order.
inline FieldTexts TextsWith(const std::vector<FieldEdit>& edits = {}) {
  FieldTexts texts = DefaultFieldTexts(".");
  for (const FieldEdit& edit : edits) TextOf(texts, edit.field) = edit.text;
  return texts;
}

}  // namespace rating::testing_support
