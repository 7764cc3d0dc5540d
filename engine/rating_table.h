#pragma once

#include <array>
#include <cstdint>

#include "engine/channel_parameters.h"

namespace rating {

// Rows 0 to 1000 exist; a table that needs row 1001 fails.
inline constexpr std::int16_t kLastTableIndex = 1000;

// The normal-depth rating of one reach at equal depth steps. Row 0 is the dry
// channel; rows 1 to lastRow are computed, and lastRow is the first row whose
// flow exceeds the maximum flow. Values are kept as computed; the rating
// file and the listing round copies of them.
struct RatingTable {
  using Column = std::array<float, kLastTableIndex + 1>;
  Column depth{};            // D, ft
  Column elevation{};        // water surface, ft
  Column flow{};             // discharge, cfs
  Column storage{};          // volume stored in the reach, acre-ft
  Column area{};             // flow area, ft^2
  Column meanWidth{};        // A / D, ft
  Column cascades{};         // number of routing steps N
  std::int16_t lastRow = 0;  // index of the last computed row
};

// Throws RatingFailure (IndexOutOfRange) unless 0 <= row <= table.lastRow.
void CheckRowIndex(const RatingTable& table, int row);

// A table holding only row 0: the invert elevation and zeros.
RatingTable CreateRatingTable(const ChannelParameters& channel);

// Computes rows 1, 2, ... of `table` until the flow first exceeds
// channel.maxFlow, and sets lastRow. Every quantity is stored in single
// precision and every right-hand side evaluated in double precision, left to
// right. Throws RatingFailure on a floating-point fault, or with
// IndexOutOfRange when row 1000 does not exceed the maximum flow.
void ComputeRatingTable(const ChannelParameters& channel, RatingTable& table);

}  // namespace rating
