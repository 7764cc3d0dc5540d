#include "output/listing.h"

#include "engine/checked_arithmetic.h"
#include "engine/number_text.h"
#include "engine/rounding.h"

namespace rating {

namespace {

void AppendField(std::string& line, float value, std::string_view decimalSeparator) {
  std::string text = PlainNumberText(value, decimalSeparator);
  text.resize(kListingFieldWidth, ' ');
  line += text;
}

}  // namespace

ListingRow ListingRowOf(const RatingFileRow& fileRow, float area, int row) {
  float velocity = 0;  // ft/s
  if (area > 0) {
    const Site site{Quantity::Velocity, static_cast<std::int16_t>(row)};
    velocity = checked::Store(checked::Div(fileRow.flow, area, site), site);
  }
  ListingRow line;
  line.elevation = fileRow.elevation;
  line.area = RoundToThreeFigures(area);
  line.velocity = RoundToThreeFigures(velocity);
  line.flow = RoundToThreeFigures(fileRow.flow);
  line.storage = RoundToThreeFigures(fileRow.storage);
  line.cascades = RoundToThreeFigures(fileRow.cascades);
  return line;
}

std::string FormatListingRow(const ListingRow& row, std::string_view decimalSeparator) {
  std::string line;
  line.reserve(6 * kListingFieldWidth);
  for (const float value : {row.elevation, row.area, row.velocity, row.flow, row.storage, row.cascades}) {
    AppendField(line, value, decimalSeparator);
  }
  return line;
}

}  // namespace rating
