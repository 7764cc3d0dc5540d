#include "output/exports.h"

#include <system_error>

#include "engine/number_text.h"

namespace rating {

namespace {

constexpr const char* kLineEnd = "\r\n";  // RFC 4180

// Numbers never hold a comma, quote or line break with "." decimals, so no
// cell needs quoting.
std::string Cell(float value) { return PlainNumberText(value, "."); }

}  // namespace

std::string RatingTableCsv(const RatingTable& table, const std::vector<ListingRow>& listed) {
  std::string csv =
      "Depth (ft),Elevation (ft),Area (sq ft),Velocity (ft/s),Flow (cfs),Storage (acre-ft),Cascades";
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
  result.csv = "Storage (acre-ft),Outflow (cfs)";
  result.csv += kLineEnd;
  std::size_t kept = 0;
  for (std::size_t j = 0; j < rows.size(); ++j) {
    const RatingFileRow& row = rows[j];
    if (j > 0) {
      const RatingFileRow& last = rows[kept];
      const std::string lastRow = std::string("row ").append(std::to_string(kept)).append("'s");
      std::string reason;
      if (!(row.storage > last.storage)) {
        reason = "its storage " + Cell(row.storage) + " acre-ft does not exceed " + lastRow;
      } else if (!(row.flow > last.flow)) {
        reason = "its outflow " + Cell(row.flow) + " cfs does not exceed " + lastRow;
      }
      if (!reason.empty()) {
        result.leftOut.push_back({static_cast<int>(j), reason});
        continue;
      }
    }
    result.csv.append(Cell(row.storage)).append(",").append(Cell(row.flow)).append(kLineEnd);
    kept = j;
  }
  return result;
}

void WriteWholeFile(const std::string& path, std::string_view bytes, FailureKind kind,
                    std::vector<SafeFile>* pending) {
  try {
    SafeFile file(path);
    file.Write(bytes);
    if (pending != nullptr) {
      file.Finish();
      pending->push_back(std::move(file));
    } else {
      file.Commit();
    }
  } catch (const std::system_error& error) {
    throw FileFailure(kind, path, error.code());
  }
}

}  // namespace rating
