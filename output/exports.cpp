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

std::string RatingTableCsv(const RatingTable& table, const std::vector<ListingRow>& listed) {
  std::string csv(Pattern(Message::CaptionTableCsvHeader));
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

StorageOutflow StorageOutflowCsv(const std::vector<RatingFileRow>& rows) {
  StorageOutflow result;
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
  result.csv = Pattern(Message::CaptionPairedDataHeader);
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
