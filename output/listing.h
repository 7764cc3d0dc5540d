#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

#include "engine/rating_table.h"

namespace rating {

// Each listing column is this many characters wide; headings start every
// kListingFieldWidth characters.
inline constexpr std::size_t kListingFieldWidth = 9;

// The two heading lines above the rows, units in the second.
inline constexpr std::array<std::string_view, 2> kListingHeadings = {
    "Elev     Area     Velocity Flow     Storage  Cascades",
    "(ft)     (ft^2)   (ft/s)   (cfs)    (acft)   (N)",
};

// The 54-character listing line of row `row`: elevation, area, velocity,
// flow, storage and cascades, each left-justified in 9 characters (cut to 9
// when longer). Call it after the rating file has written the same row: the
// velocity is the rounded flow over the unrounded area (0 for an area that is
// not positive), and Area is rounded in place, flow, storage and cascades
// rounded again.
std::string FormatListingRow(RatingTable& table, int row, std::string_view decimalSeparator);

}  // namespace rating
