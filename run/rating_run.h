#pragma once

#include <optional>
#include <span>
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

// Everything one press computes: what the rating file holds and the list shows.
struct RatingResult {
  ChannelParameters channel;            // as converted from the fields
  RatingTable table;                    // as computed, unrounded
  std::vector<RatingFileRow> fileRows;  // the rating file's table lines, rows 0 to lastRow
  std::vector<ListingRow> listingRows;  // the listing's rows, rows 0 to lastRow
  std::vector<std::string> listing;     // the list's lines: the two headings, then one per row
  std::string fileText;                 // the whole rating file
  std::optional<std::string> note;      // the zeros the rating replaced, if any
};

// What the pure step makes of the field texts: a result, or the failure of
// the first step that failed.
struct RatingOutcome {
  std::optional<RatingResult> result;
  std::optional<RatingFailure> failure;  // tagged with the step it ended
  std::string fileName;                  // the rating file's name as typed, once it is known to be one line
};

// What the rating says of the zeros it replaced: a bank slope of 0 taken as
// 2, an increment of 0 taken as 1 ft; nothing where there were none.
std::optional<std::string> SubstitutionNote(const ChannelParameters& channel);

// The pure step of a press: converts the fields with the user's decimal
// separator, computes the table, and lays out the rating file and the list.
// A surveyed section is rated on `ground`. Reads nothing but its arguments
// and writes nothing.
RatingOutcome RateFields(const FieldTexts& texts, std::string_view decimalSeparator,
                         std::span<const GroundPoint> ground = {});

// The write step: puts the rating file of `outcome` in place through a
// SafeFile. Throws the failure a press meets first: the outcome's own when
// it failed before the file is created; then a file that cannot be
// created; then the outcome's own; then a write that fails. A failure never
// changes the file.
void WriteRatingFile(const RatingOutcome& outcome);

// The same step up to a finished file, for CommitTogether to put in place
// with the other files of a run; fails as WriteRatingFile does.
SafeFile FinishRatingFile(const RatingOutcome& outcome);

// Both steps, for a caller that renders the result: returns it, or throws
// the failure of WriteRatingFile.
RatingResult CreateRatingFile(const FieldTexts& texts, std::string_view decimalSeparator,
                              std::span<const GroundPoint> ground = {});

}  // namespace rating
