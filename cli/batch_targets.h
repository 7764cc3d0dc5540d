#pragma once

#include <optional>
#include <string>
#include <vector>

#include "cli/command_failure.h"
#include "cli/command_line.h"
#include "cli/reach_table.h"

namespace rating::cli {

// "-" names standard output, as it does for other command-line tools.
std::string OutputName(const std::string& name);

// Checks, before a single run writes anything, that no two of its outputs
// (the rating file, the extra files asked for, the routed hydrograph and
// its plot) are one file, standard output however it is named included,
// and that none is a file the run reads (the inflow, the storage-outflow
// pairs). Returns the usage message naming both options, such as
// '--output and --csv both name "/data/x.RAT"; give each output a file of its own.'
std::optional<std::string> FindSharedOutput(const FieldTexts& texts, const ExtraFiles& extras,
                                            const RouteOptions& route);

// Checks, before a batch writes anything, that no two of its outputs (the
// rating files, extra files and routed hydrographs of every well-formed
// row) are one file and that none is a file the batch reads (the batch
// table itself, or a row's inflow), each resolved to its real absolute path. Returns one failure
// (BatchConflict) per file written twice, naming the CSV lines involved: 'Batch refused "reaches.csv":
// "/data/MyRating.RAT" is the rating file of lines 2, 3 and 4.' An output that cannot be resolved is left to
// fail with its own reach.
std::vector<CommandFailure> FindSharedTargets(const std::string& batchFile,
                                              const std::vector<Reach>& reaches);

}  // namespace rating::cli
