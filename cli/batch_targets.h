#pragma once

#include <string>
#include <vector>

#include "cli/reach_table.h"
#include "engine/failure.h"

namespace rating::cli {

// "-" names standard output, as it does for other command-line tools.
std::string OutputName(const std::string& name);

// Checks, before a batch writes anything, that no two of its outputs (the
// rating files and plots of every well-formed row) are one file and that
// none is the batch table itself, each output resolved to its real absolute
// path. Returns one RatingFailure (BatchConflict) per file written twice,
// naming the CSV lines involved:
// 'Batch refused "reaches.csv": "/data/MyRating.RAT" is the rating file of lines 2, 3 and 4.'
// An output that cannot be resolved is left to fail with its own reach.
std::vector<RatingFailure> FindSharedTargets(const std::string& batchFile, const std::vector<Reach>& reaches);

}  // namespace rating::cli
