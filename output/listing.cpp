#include "output/listing.h"

#include "engine/checked_arithmetic.h"
#include "engine/number_text.h"
#include "engine/rounding.h"

namespace rating {

namespace {

// A value left-justified in its column, cut to the column where longer. A
// value in exponent form is cut in its mantissa, so that "1.735274E+10"
// lists as "1.735E+10" and never loses its magnitude.
void AppendField(std::string& line, float value, std::string_view decimalSeparator) {
  std::string text = PlainNumberText(value, decimalSeparator);
  if (const std::size_t exponent = text.find('E');
      exponent != std::string::npos && text.size() > kListingFieldWidth) {
    text.erase(kListingFieldWidth - (text.size() - exponent), text.size() - kListingFieldWidth);
  }
  text.resize(kListingFieldWidth, ' ');
  line += text;
}

void AppendRow(std::string& text, const std::vector<std::string>& cells) {
  for (std::size_t i = 0; i < cells.size(); ++i) text.append(i > 0 ? "\t" : "").append(cells[i]);
  text += '\n';
}

}  // namespace

std::vector<std::string> ListingCells(std::string_view line) {
  std::vector<std::string> cells;
  for (std::size_t start = 0; start < line.size(); start += kListingFieldWidth) {
    std::string_view cell = line.substr(start, kListingFieldWidth);
    cell.remove_suffix(cell.size() - (cell.find_last_not_of(' ') + 1));
    cells.emplace_back(cell);
  }
  return cells;
}

std::vector<std::string> ListingColumnNames(UnitSystem units) {
  std::vector<std::string> names = ListingCells(ListingHeadings(units)[0]);
  const std::vector<std::string> unitNames = ListingCells(ListingHeadings(units)[1]);
  for (std::size_t i = 0; i < names.size() && i < unitNames.size(); ++i) {
    names[i].append(" ").append(unitNames[i]);
  }
  return names;
}

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

std::string TabSeparatedTable(const std::vector<ListingRow>& rows, std::string_view decimalSeparator,
                              UnitSystem units) {
  std::string text;
  AppendRow(text, ListingColumnNames(units));
  for (const ListingRow& row : rows) {
    std::vector<std::string> cells;
    for (const float value : {row.elevation, row.area, row.velocity, row.flow, row.storage, row.cascades}) {
      cells.push_back(PlainNumberText(value, decimalSeparator));
    }
    AppendRow(text, cells);
  }
  return text;
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
