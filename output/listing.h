#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "output/rating_file.h"

namespace rating {

// Each listing column is this many characters wide; headings start every
// kListingFieldWidth characters.
inline constexpr std::size_t kListingFieldWidth = 9;

// The two heading lines above the rows, units in the second.
inline constexpr std::array<std::string_view, 2> kListingHeadings = {
    "Elev     Area     Velocity Flow     Storage  Cascades",
    "(ft)     (ft^2)   (ft/s)   (cfs)    (acft)   (N)",
};
inline constexpr std::array<std::string_view, 2> kSiListingHeadings = {
    "Elev     Area     Velocity Flow     Storage  Cascades",
    "(m)      (m^2)    (m/s)    (m3/s)   (1000m3) (N)",
};

// The heading lines of a listing in `units`.
constexpr const std::array<std::string_view, 2>& ListingHeadings(UnitSystem units) {
  return units == UnitSystem::Si ? kSiListingHeadings : kListingHeadings;
}

// The values of one listing line.
struct ListingRow {
  float elevation = 0;  // ft
  float area = 0;       // ft^2
  float velocity = 0;   // ft/s
  float flow = 0;       // cfs
  float storage = 0;    // acre-ft
  float cascades = 0;   // routing steps
};

// The listing's values of row `row`, from the line the rating file carries
// and the row's flow area. The listing rounds the file's flow, storage and
// cascades once more, so that a file's 9.95 lists as 10; the velocity is the
// file's flow over the unrounded area (0 for an area that is not positive),
// rounded; the area is rounded. Throws RatingFailure when the velocity or a
// rounding fails.
ListingRow ListingRowOf(const RatingFileRow& fileRow, float area, int row);

// The 54-character listing line: elevation, area, velocity, flow, storage
// and cascades, each left-justified in 9 characters. A longer value is cut
// to 9, in its mantissa where it has an exponent ("1.735E+10").
std::string FormatListingRow(const ListingRow& row, std::string_view decimalSeparator);

// The cells of a listing line or heading, each without its padding:
// "0.2", "10.1", ... of "0.2      10.1     ...".
std::vector<std::string> ListingCells(std::string_view line);

// The columns' names, each heading with its unit: "Elev (ft)", "Area (ft^2)", ...
std::vector<std::string> ListingColumnNames(UnitSystem units);

// Listing rows as tab-separated text for a spreadsheet: the two heading
// lines as one header row ("Elev (ft)", "Area (ft^2)", ...), then one row
// per listing row with its six values written out in full, never cut to
// their column as the listing cuts them; every row ends in "\n".
std::string TabSeparatedTable(const std::vector<ListingRow>& rows, std::string_view decimalSeparator,
                              UnitSystem units);

}  // namespace rating
