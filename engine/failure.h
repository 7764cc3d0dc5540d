#pragma once

#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <system_error>

#include "engine/input_field.h"

namespace rating {

// Every way a rating run can fail. The first failure ends the run.
enum class FailureKind {
  TypeMismatch,     // a numeric field is empty or not a number
  Overflow,         // a number or a result beyond the single-precision range
  DivisionByZero,   // x / 0 with x not 0
  InvalidArgument,  // 0 / 0, square root or fractional power of a negative number
  IndexOutOfRange,  // the table's 1000 rows are used up
  InvalidText,      // a text the rating file cannot carry, such as a title with a line break
  FileCreate,       // the rating file cannot be created or truncated
  FileWrite,        // the rating file cannot be written, flushed or put in place
  BatchFile,        // a batch table of reaches cannot be read
  PlotFile,         // a rating-curve plot cannot be written
  BatchConflict,    // two outputs of a batch are one file, or one is the batch table itself
  MalformedRow,     // a row of a batch table without a cell for every column
  ExportFile,       // a CSV export of the rating cannot be written
};

// "Type mismatch", "Division by zero", "Cannot create rating file", ...
std::string_view FailureKindText(FailureKind kind);

// A failed run: its kind, where it arose, and a message for the user such as
// 'Type mismatch: Channel Length (mi) "5,5x" is not a number.'
class RatingFailure : public std::runtime_error {
 public:
  // `detail` says where the failure arose, without the kind.
  RatingFailure(FailureKind kind, const std::string& detail, std::optional<InputField> field = std::nullopt);

  [[nodiscard]] FailureKind Kind() const { return kind_; }
  // The field the failure arose in, if it arose in one.
  [[nodiscard]] std::optional<InputField> Field() const { return field_; }

 private:
  FailureKind kind_;
  std::optional<InputField> field_;
};

// A failure in a field, naming it first:
// 'Type mismatch: Channel Length (mi) "5,5x" is not a number.' from the
// detail '"5,5x" is not a number.'
RatingFailure FieldFailure(FailureKind kind, InputField field, std::string_view detail);

// A failure in row `row` (1 or more) of the rating table:
// 'Division by zero: row 1, travel time K: ...' from the detail
// 'travel time K: ...'.
RatingFailure RowFailure(FailureKind kind, int row, std::string_view detail);

// A file that cannot be read or written, named as the user gave it, with the
// folder a relative name resolved to and the system's reason:
// 'Cannot create rating file "x.RAT" in "/home/ann": Permission denied.'
// Control characters of the name show as \xNN.
RatingFailure FileFailure(FailureKind kind, const std::string& name, std::error_code reason,
                          std::optional<InputField> field = std::nullopt);

}  // namespace rating
