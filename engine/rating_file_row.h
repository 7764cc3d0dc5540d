#pragma once

#include <vector>

#include "engine/rating_table.h"

namespace rating {

// One table line of the rating file.
struct RatingFileRow {
  float elevation = 0;  // ft, as computed
  float flow = 0;       // cfs, three figures
  float storage = 0;    // acre-ft, three figures
  float cascades = 0;   // routing steps, three figures
};

// Row `row` of the table as the rating file carries it: flow, storage and
// cascades rounded to three significant figures, in that order. Throws
// RatingFailure (IndexOutOfRange) for a row outside the table.
RatingFileRow RatingFileRowOf(const RatingTable& table, int row);

// Which rows of the rating file make storage–outflow pairs for a Modified
// Puls routing, one flag a row. Routing models need storage and outflow both
// strictly increasing, and the pairs must reach the top of the table, where
// the flood peak is routed. Row 0 and the table's last row are always kept;
// going down from the top, a row is kept when its storage and its flow are
// both below those of the last row kept above it. Three-figure rounding can
// make successive rows equal (1000 and 1000): of such rows the highest, with
// the greatest flow, is kept.
std::vector<bool> StorageOutflowRowsKept(const std::vector<RatingFileRow>& rows);

}  // namespace rating
