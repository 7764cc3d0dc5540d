#pragma once

#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

#include "engine/input_field.h"
#include "messages/messages.h"

namespace rating {

// Every way the rating of one reach can fail. The first failure ends it.
enum class FailureKind {
  TypeMismatch,     // a numeric field is empty or not a number
  Overflow,         // a number or a result beyond the single-precision range
  DivisionByZero,   // x / 0 with x not 0
  InvalidArgument,  // 0 / 0, or a negative channel size
  IndexOutOfRange,  // the table's 1000 rows are used up
  InvalidText,      // a text the rating file cannot carry, such as a title with a line break
  FileCreate,       // the rating file cannot be created or truncated
  FileWrite,        // the rating file cannot be written, flushed or put in place
};

// "Type mismatch", "Division by zero", "Cannot create rating file", ...
std::string_view FailureKindText(FailureKind kind);

// The steps of one press of "Create Rating File", in the order a failure is
// met. The step a press fails at decides what it leaves behind.
enum class RunStage {
  Fields,     // converting the numeric fields: the list and the file as they were
  FileName,   // a file name of more than one line: the list emptied, the file untouched
  OpenFile,   // creating the file: the list emptied, the file untouched
  Title,      // a title of more than one line: the list emptied, the file untouched
  Table,      // computing or rounding the rows: the list emptied, the file untouched
  WriteFile,  // writing the file or putting it in place: the list emptied, the file untouched
};

// A failed rating: its kind, where it arose, the step of the press it ended,
// and a message for the user such as
// 'Type mismatch: Channel Length (mi) "5,5x" is not a number.'
// The one failure of the program: thrown where it arises, deep in the
// checked arithmetic, and returned as a value where a front end takes it.
class RatingFailure : public std::runtime_error {
 public:
  RatingFailure(FailureKind kind, const std::string& message, std::optional<InputField> field = std::nullopt,
                std::optional<int> row = std::nullopt);

  // This failure as met at `stage` of a press.
  [[nodiscard]] RatingFailure At(RunStage stage) const;
  [[nodiscard]] RunStage Stage() const { return stage_; }
  // Whether the press empties the results list: every step after the fields.
  [[nodiscard]] bool EmptiesList() const { return stage_ != RunStage::Fields; }

  [[nodiscard]] FailureKind Kind() const { return kind_; }
  // The field the failure arose in, or is blamed on, if any.
  [[nodiscard]] std::optional<InputField> Field() const { return field_; }
  // The table row the failure arose in, if it arose in one.
  [[nodiscard]] std::optional<int> Row() const { return row_; }

 private:
  FailureKind kind_;
  std::optional<InputField> field_;
  std::optional<int> row_;
  RunStage stage_ = RunStage::Fields;
};

// A failure in a field: `message` with {kind}, {field} (the label) and
// {text} filled in.
using FieldMessage = MessageWithin<"kind", "field", "text">;
// The field is named as it reads in `units`.
RatingFailure FieldFailure(FailureKind kind, FieldMessage message, InputField field,
                           std::string_view text = {}, UnitSystem units = UnitSystem::UsCustomary);

}  // namespace rating
