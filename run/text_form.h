#pragma once

#include <array>
#include <string>
#include <vector>

#include "run/rating_run.h"

namespace rating {

// A rating form without a window: the ten field texts held as strings and the
// results list kept as lines. Tools that drive the rating run use it.
class TextForm : public RatingForm {
 public:
  // The fields start with the window's default texts, "." as separator.
  TextForm();

  // The text of a field, to read or to change.
  std::string& Text(InputField field);

  std::string FieldText(InputField field) override;
  std::string DecimalSeparator() override;
  void ClearList() override;
  void AddListLine(const std::string& line) override;

  [[nodiscard]] const std::vector<std::string>& ListLines() const { return list_; }
  void SetDecimalSeparator(std::string separator) { separator_ = std::move(separator); }

 private:
  std::array<std::string, kFieldCount> texts_;  // indexed by InputField
  std::vector<std::string> list_;
  std::string separator_ = ".";
};

}  // namespace rating
