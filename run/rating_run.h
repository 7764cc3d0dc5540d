#pragma once

#include <string>
#include <vector>

#include "engine/input_field.h"
#include "engine/rating_table.h"
#include "output/listing.h"
#include "output/rating_file.h"
#include "output/safe_file.h"

namespace rating {

// What a rating run needs from the window that starts it. The run reads each
// field when its step needs it, never in advance.
class RatingForm {
 public:
  RatingForm() = default;
  RatingForm(const RatingForm&) = delete;
  RatingForm& operator=(const RatingForm&) = delete;
  RatingForm(RatingForm&&) = delete;
  RatingForm& operator=(RatingForm&&) = delete;
  virtual ~RatingForm() = default;

  // The text of a field as typed, in UTF-8.
  virtual std::string FieldText(InputField field) = 0;
  // The user's decimal separator, "." or "," for most locales.
  virtual std::string DecimalSeparator() = 0;
  // Empties the results list.
  virtual void ClearList() = 0;
  // Appends one line to the results list.
  virtual void AddListLine(const std::string& line) = 0;
};

// The "Create Rating File" command: converts the fields, computes the rating
// table, writes the rating file and fills the results list, in that order.
// Throws RatingFailure at the first failure. What a failed run leaves:
//  - a bad field, zero length or zero n: the list and the file untouched;
//  - a file that cannot be created, or a title or file name of more than one
//    line: the list empty, the file untouched;
//  - a computation or a write that fails: the list empty, the previous file
//    intact.
// The file is put in place before the run returns, or, when `pending` is
// given, finished and added to it for CommitTogether. Returns what was
// written and listed, for tools that draw or export it.
struct RatingResult {
  ChannelParameters channel;            // as converted from the fields
  RatingTable table;                    // as computed, unrounded
  std::vector<RatingFileRow> fileRows;  // the rating file's table lines, rows 0 to lastRow
  std::vector<ListingRow> listingRows;  // the listing's rows, rows 0 to lastRow
};
RatingResult CreateRatingFile(RatingForm& form, std::vector<SafeFile>* pending = nullptr);

}  // namespace rating
