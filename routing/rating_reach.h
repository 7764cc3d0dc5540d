#pragma once

#include <vector>

#include "engine/rating_file_row.h"
#include "engine/rating_table.h"
#include "routing/storage_routing.h"

// What a routing takes of the rating the list shows.
namespace rating::routing {

// The storage–outflow pairs of the rating, exactly those its paired data
// holds (StorageOutflowRowsKept): acre-ft and cfs as the rating file rounds them.
std::vector<StorageOutflowPair> PairsOfRating(const std::vector<RatingFileRow>& fileRows);

// The mean velocity (ft/s) of the rating at `flow` (cfs): each row's
// computed flow over its area, interpolated linearly between the rows by
// flow; the top row's beyond it, and 0 below the first wet row.
double VelocityAt(const RatingTable& table, double flow);

// The subreaches the usual rule suggests for a reach of `table`, whose
// length is `length` (ft, or m in SI), for a flood peaking at `peakInflow` (cfs or m3/s) routed
// at `timeStep` (s) (SuggestedSubreaches).
int SuggestedSubreachesFor(const RatingTable& table, double length, double peakInflow, double timeStep);

}  // namespace rating::routing
