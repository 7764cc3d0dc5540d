#include "run/text_form.h"

namespace rating {

namespace {

std::string_view DefaultText(InputField field) {
  switch (field) {
    case InputField::BottomWidth: return "50";
    case InputField::BankSlope: return "2";
    case InputField::Fall: return "110";
    case InputField::Length: return "5.5";
    case InputField::Roughness: return "0.025";
    case InputField::MaxFlow: return "3000";
    case InputField::Invert: return "0.0";
    case InputField::Increment: return "0.2";
    case InputField::Title: return "South Street Channel";
    case InputField::Filename: return "MyRating.RAT";
  }
  return {};
}

}  // namespace

std::string DefaultFieldText(InputField field, std::string_view decimalSeparator) {
  std::string text(DefaultText(field));
  if (field != InputField::Title && field != InputField::Filename) {
    if (const auto point = text.find('.'); point != std::string::npos) {
      text.replace(point, 1, decimalSeparator);
    }
  }
  return text;
}

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
