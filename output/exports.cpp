#include "output/exports.h"

#include <system_error>

#include "engine/number_text.h"
#include "messages/messages.h"

namespace rating {

namespace {

constexpr const char* kLineEnd = "\r\n";  // RFC 4180

// Numbers never hold a comma, quote or line break with "." decimals, so no
// cell needs quoting.
std::string Cell(float value) { return PlainNumberText(value, "."); }

}  // namespace

std::string RatingTableCsv(const RatingTable& table, const std::vector<ListingRow>& listed,
                           UnitSystem units) {
  std::string csv(Pattern(Message::CaptionTableCsvHeader, units));
  csv += kLineEnd;
  for (std::size_t j = 0; j < listed.size(); ++j) {
    const ListingRow& row = listed[j];
    for (const float value :
         {table.depth.at(j), row.elevation, row.area, row.velocity, row.flow, row.storage}) {
      csv.append(Cell(value)).append(",");
    }
    csv.append(Cell(row.cascades)).append(kLineEnd);
  }
  return csv;
}

StorageOutflow StorageOutflowCsv(const std::vector<RatingFileRow>& rows, UnitSystem units) {
  StorageOutflow result;
  const std::vector<bool> kept = StorageOutflowRowsKept(rows);
  result.csv = Pattern(Message::CaptionPairedDataHeader, units);
  result.csv += kLineEnd;
  for (std::size_t j = 0; j < rows.size(); ++j) {
    if (!kept[j]) {
      result.leftOut.push_back(static_cast<int>(j));
      continue;
    }
    result.csv.append(Cell(rows[j].storage)).append(",").append(Cell(rows[j].flow)).append(kLineEnd);
  }
  return result;
}

std::optional<std::string> PairedDataNote(const std::vector<int>& leftOut, std::string_view name) {
  if (leftOut.empty()) return std::nullopt;
  const std::string first = std::to_string(leftOut.front());
  if (leftOut.size() == 1) {
    return Compose(Message::PairedDataLeftOutOne, Arg<"first">(first), Arg<"path">(name));
  }
  return Compose(Message::PairedDataLeftOutMany, Arg<"count">(std::to_string(leftOut.size())),
                 Arg<"first">(first), Arg<"last">(std::to_string(leftOut.back())), Arg<"path">(name));
}

void WriteWholeFile(const std::string& path, std::string_view bytes) {
  SafeFile file(path);
  file.Write(bytes);
  file.Commit();
}

SafeFile FinishWholeFile(const std::string& path, std::string_view bytes) {
  SafeFile file(path);
  file.Write(bytes);
  file.Finish();
  return file;
}

}  // namespace rating
