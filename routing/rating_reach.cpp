#include "routing/rating_reach.h"

namespace rating::routing {

std::vector<StorageOutflowPair> PairsOfRating(const std::vector<RatingFileRow>& fileRows) {
  const std::vector<bool> kept = StorageOutflowRowsKept(fileRows);
  std::vector<StorageOutflowPair> pairs;
  for (std::size_t row = 0; row < fileRows.size(); ++row) {
    if (kept[row]) pairs.push_back({fileRows[row].storage, fileRows[row].flow});
  }
  return pairs;
}

double VelocityAt(const RatingTable& table, double flow) {
  const auto velocity = [&table](int row) {
    const auto at = static_cast<std::size_t>(row);
    return table.area.at(at) > 0 ? static_cast<double>(table.flow.at(at)) / table.area.at(at) : 0.0;
  };
  for (int row = 1; row <= table.lastRow; ++row) {
    const auto at = static_cast<std::size_t>(row);
    if (flow > table.flow.at(at)) continue;
    const double below = table.flow.at(at - 1);
    if (table.flow.at(at) == below) return velocity(row);
    const double share = (flow - below) / (table.flow.at(at) - below);
    return velocity(row - 1) + share * (velocity(row) - velocity(row - 1));
  }
  return velocity(table.lastRow);
}

int SuggestedSubreachesFor(const RatingTable& table, double length, double peakInflow, double timeStep) {
  return SuggestedSubreaches(length, VelocityAt(table, peakInflow), timeStep);
}

}  // namespace rating::routing
