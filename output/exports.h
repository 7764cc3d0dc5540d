#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/rating_table.h"
#include "output/listing.h"
#include "output/rating_file.h"
#include "output/safe_file.h"

namespace rating {

// The rating as a spreadsheet reads it: RFC 4180 CSV with "." decimals in any
// locale, CR LF line ends, the header
// "Depth (ft),Elevation (ft),Area (sq ft),Velocity (ft/s),Flow (cfs),Storage (acre-ft),Cascades"
// (its units those of `units`) and one line per table row from row 0: the
// computed depth and the values the list shows. `listed` holds the
// listing's rows 0 to table.lastRow.
std::string RatingTableCsv(const RatingTable& table, const std::vector<ListingRow>& listed, UnitSystem units);

// The storage–outflow relation of a Modified Puls storage routing, from the
// rating file's rounded storage and flow.
struct StorageOutflow {
  std::string csv;           // "Storage (acre-ft),Outflow (cfs)" or SI's, the kept rows, "." decimals
  std::vector<int> leftOut;  // rows of the table left out, in row order
};

// The rows StorageOutflowRowsKept keeps.
StorageOutflow StorageOutflowCsv(const std::vector<RatingFileRow>& rows, UnitSystem units);

// The note on the rows `leftOut` of the paired data saved as `name`, or
// nothing where every row is kept.
std::optional<std::string> PairedDataNote(const std::vector<int>& leftOut, std::string_view name);

// Writes `bytes` as the whole of the file `path`, the way rating files are
// written: put in place complete at once; never left partial. Throws
// std::system_error with the system's reason.
void WriteWholeFile(const std::string& path, std::string_view bytes);

// The same file finished, for CommitTogether to put in place with the other
// files of a run: finished now, so that a batch holds no descriptor per file.
SafeFile FinishWholeFile(const std::string& path, std::string_view bytes);

}  // namespace rating
