#include "engine/rating_file_row.h"

#include "engine/failure.h"
#include "engine/rounding.h"

namespace rating {

RatingFileRow RatingFileRowOf(const RatingTable& table, int row) {
  CheckRowIndex(table, row);
  const auto j = static_cast<std::size_t>(row);
  RatingFileRow line;
  line.elevation = table.elevation[j];
  line.flow = RoundToThreeFigures(table.flow[j]);
  line.storage = RoundToThreeFigures(table.storage[j]);
  line.cascades = RoundToThreeFigures(table.cascades[j]);
  return line;
}

std::vector<bool> StorageOutflowRowsKept(const std::vector<RatingFileRow>& rows) {
  std::vector<bool> kept(rows.size(), false);
  if (!rows.empty()) kept.front() = true;
  // Downwards from the top: each kept row bounds the rows below it, and row
  // 0, the dry channel, bounds them all.
  std::size_t above = 0;  // the last row kept, 0 while none is
  for (std::size_t j = rows.size() - 1; j > 0 && j < rows.size(); --j) {
    const bool belowAbove =
        above == 0 || (rows[j].storage < rows[above].storage && rows[j].flow < rows[above].flow);
    const bool aboveDry = rows[j].storage > rows.front().storage && rows[j].flow > rows.front().flow;
    if (belowAbove && aboveDry) {
      kept[j] = true;
      above = j;
    }
  }
  return kept;
}

}  // namespace rating
