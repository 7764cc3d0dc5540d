#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/channel_parameters.h"
#include "engine/failure.h"
#include "engine/input_field.h"
#include "engine/rating_table.h"
#include "output/listing.h"
#include "output/rating_file.h"
#include "output/safe_file.h"

namespace rating {

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

// A failed press: what went wrong, where, and at which step.
class RunFailure : public RatingFailure {
 public:
  RunFailure(const RatingFailure& failure, RunStage stage) : RatingFailure(failure), stage_(stage) {}

  [[nodiscard]] RunStage Stage() const { return stage_; }
  // Whether the press empties the results list: every step after the fields.
  [[nodiscard]] bool EmptiesList() const { return stage_ != RunStage::Fields; }

 private:
  RunStage stage_;
};

// Everything one press computes: what the rating file holds and the list shows.
struct RatingResult {
  ChannelParameters channel;            // as converted from the fields
  RatingTable table;                    // as computed, unrounded
  std::vector<RatingFileRow> fileRows;  // the rating file's table lines, rows 0 to lastRow
  std::vector<ListingRow> listingRows;  // the listing's rows, rows 0 to lastRow
  std::vector<std::string> listing;     // the list's lines: the two headings, then one per row
  std::string fileText;                 // the whole rating file
};

// What the pure step makes of the field texts: a result, or the failure of
// the first step that failed.
struct RatingOutcome {
  std::optional<RatingResult> result;
  std::optional<RunFailure> failure;
  std::string fileName;  // the rating file's name as typed, once it is known to be one line
};

// The pure step of a press: converts the fields with the user's decimal
// separator, computes the table, and lays out the rating file and the list.
// Reads nothing but its arguments and writes nothing.
RatingOutcome RateFields(const FieldTexts& texts, std::string_view decimalSeparator);

// The write step: puts the rating file of `outcome` in place through a
// SafeFile, or, when `pending` is given, finishes it and adds it there for
// CommitTogether. Throws the failure a press meets first, a RunFailure: the
// outcome's own when it failed before the file is created; then a file that
// cannot be created; then the outcome's own; then a write that fails. A
// failure never changes the file.
void WriteRatingFile(const RatingOutcome& outcome, std::vector<SafeFile>* pending = nullptr);

// Both steps, for a caller that renders the result: returns it, or throws
// the RunFailure of WriteRatingFile.
RatingResult CreateRatingFile(const FieldTexts& texts, std::string_view decimalSeparator,
                              std::vector<SafeFile>* pending = nullptr);

}  // namespace rating
