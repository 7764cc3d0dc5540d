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

std::string FormatListingRow(RatingTable& table, int row, std::string_view decimalSeparator) {
  CheckRowIndex(table, row);
  const auto j = static_cast<std::size_t>(row);
  float velocity = 0;  // ft/s
  if (table.area[j] > 0) {
    const Site site{Quantity::Velocity, static_cast<std::int16_t>(row)};
    velocity = checked::Store(checked::Div(table.flow[j], table.area[j], site), site);
  }

  std::string line;
  line.reserve(6 * kListingFieldWidth);
  AppendField(line, table.elevation[j], decimalSeparator);
  AppendField(line, MyUSGSformat(table.area[j]), decimalSeparator);
  AppendField(line, MyUSGSformat(velocity), decimalSeparator);
  AppendField(line, MyUSGSformat(table.flow[j]), decimalSeparator);
  AppendField(line, MyUSGSformat(table.storage[j]), decimalSeparator);
  AppendField(line, MyUSGSformat(table.cascades[j]), decimalSeparator);
  return line;
}

}  // namespace rating
