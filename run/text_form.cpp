#include "run/text_form.h"

namespace rating {

TextForm::TextForm() {
  for (std::size_t i = 0; i < texts_.size(); ++i) {
    texts_.at(i) = DefaultFieldText(static_cast<InputField>(i), ".");
  }
}

std::string& TextForm::Text(InputField field) { return texts_.at(static_cast<std::size_t>(field)); }

std::string TextForm::FieldText(InputField field) { return Text(field); }

std::string TextForm::DecimalSeparator() { return separator_; }

void TextForm::ClearList() { list_.clear(); }

void TextForm::AddListLine(const std::string& line) { list_.push_back(line); }

}  // namespace rating
