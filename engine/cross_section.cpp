#include "engine/cross_section.h"

#include <algorithm>
#include <cmath>
#include <fmt/format.h>
#include <numbers>
#include <optional>

#include "engine/decimal_text.h"
#include "engine/failure.h"
#include "engine/table_text.h"
#include "messages/messages.h"

namespace rating {

namespace {

std::string_view Trimmed(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t' || text.back() == '\r')) {
    text.remove_suffix(1);
  }
  return text;
}

// A decimal number with `mark` as its decimal point and an optional sign,
// and nothing else.
std::optional<double> Number(std::string_view text, char mark) {
  const bool negative = text.starts_with('-');
  if (negative || text.starts_with('+')) text.remove_prefix(1);
  std::string plain(text);
  for (char& c : plain) {
    if (c == mark) {
      c = '.';
    } else if (c == '.') {
      return std::nullopt;
    }
  }
  const std::optional<double> value = DecimalToDouble(plain);
  if (!value || !std::isfinite(*value)) return std::nullopt;
  return negative ? -*value : *value;
}

std::string Points(std::size_t count) {
  return count == 1 ? std::string(Pattern(Message::WordsOnePoint))
                    : Compose(Message::WordsPoints, Arg<"count">(std::to_string(count)));
}

[[noreturn]] void FailCount(std::size_t count) {
  constexpr FailureKind kKind = FailureKind::InvalidArgument;
  const std::string points =
      count > kMostGroundPoints ? fmt::format("more than {} points", kMostGroundPoints) : Points(count);
  throw RatingFailure(
      kKind, Compose(Message::SectionPointCount, Arg<"kind">(FailureKindText(kKind)), Arg<"count">(points)));
}

[[noreturn]] void FailBackwards(int row, double station, double previous) {
  constexpr FailureKind kKind = FailureKind::InvalidArgument;
  throw RatingFailure(kKind,
                      Compose(Message::SectionStationBackwards, Arg<"kind">(FailureKindText(kKind)),
                              Arg<"row">(std::to_string(row)), Arg<"station">(StationText(station, ".")),
                              Arg<"previous">(StationText(previous, "."))),
                      std::nullopt, row);
}

}  // namespace

std::vector<GroundPoint> ReadGroundLine(std::string_view text, std::string_view userSeparator) {
  const TableCells table = SplitTable(text);
  constexpr FailureKind kKind = FailureKind::TypeMismatch;
  const Arg<"kind"> kind(FailureKindText(kKind));
  if (table.problem) {
    throw RatingFailure(
        kKind,
        Compose(Message::SectionRowCells, kind, Arg<"row">(std::to_string(table.problem->line)),
                Arg<"cells">(Pattern(table.problem->problem))),
        std::nullopt, table.problem->line);
  }
  const char mark = TableDecimalMark(table.delimiter, userSeparator);
  std::vector<GroundPoint> points;
  for (std::size_t k = 0; k < table.rows.size(); ++k) {
    const TableRow& row = table.rows[k];
    const std::string line = std::to_string(row.line);
    if (row.cells.size() != 2) {
      throw RatingFailure(kKind,
                          Compose(Message::SectionRowCells, kind, Arg<"row">(line),
                                  Arg<"cells">(CellCount(row.cells.size()))),
                          std::nullopt, row.line);
    }
    const std::string_view stationText = Trimmed(row.cells[0]);
    const std::string_view elevationText = Trimmed(row.cells[1]);
    const std::optional<double> station = Number(stationText, mark);
    const std::optional<double> elevation = Number(elevationText, mark);
    // The first row is a header where its cells are not both numbers.
    if (k == 0 && (!station || !elevation)) continue;
    if (!station || !elevation) {
      const bool stationBad = !station;
      throw RatingFailure(kKind,
                          Compose(Message::SectionRowNotANumber, kind, Arg<"row">(line),
                                  Arg<"column">(Pattern(stationBad ? Message::WordsStationColumn
                                                                   : Message::WordsElevationColumn)),
                                  Arg<"text">(stationBad ? stationText : elevationText)),
                          std::nullopt, row.line);
    }
    if (!points.empty() && *station < points.back().station) {
      FailBackwards(row.line, *station, points.back().station);
    }
    if (points.size() == kMostGroundPoints) FailCount(kMostGroundPoints + 1);
    points.push_back({*station, *elevation});
  }
  if (points.size() < kFewestGroundPoints) FailCount(points.size());
  return points;
}

std::string StationText(double value, std::string_view decimalMark) {
  return WithDecimalMark(fmt::format("{}", value == 0 ? 0.0 : value), decimalMark);
}

std::string GroundLineText(std::span<const GroundPoint> points, UnitSystem units) {
  std::string text(Pattern(Message::SectionFileHeader, units));
  text += "\r\n";
  for (const GroundPoint& point : points) {
    text.append(StationText(point.station, "."))
        .append(",")
        .append(StationText(point.elevation, "."))
        .append("\r\n");
  }
  return text;
}

void CheckGroundLine(std::span<const GroundPoint> points) {
  if (points.size() < kFewestGroundPoints || points.size() > kMostGroundPoints) FailCount(points.size());
  for (std::size_t k = 1; k < points.size(); ++k) {
    if (points[k].station < points[k - 1].station) {
      FailBackwards(static_cast<int>(k + 1), points[k].station, points[k - 1].station);
    }
  }
}

SurveyedSection::SurveyedSection(std::span<const GroundPoint> points, double leftBank, double rightBank) {
  lowest_ = std::min_element(points.begin(), points.end(), [](const GroundPoint& a, const GroundPoint& b) {
              return a.elevation < b.elevation;
            })->elevation;
  const std::array<double, 2> banks = {leftBank, rightBank};
  std::size_t element = 0;
  const auto add = [this](GroundPoint a, GroundPoint b) {
    low_.push_back(std::min(a.elevation, b.elevation));
    high_.push_back(std::max(a.elevation, b.elevation));
    run_.push_back(b.station - a.station);
    length_.push_back(std::hypot(b.station - a.station, b.elevation - a.elevation));
  };
  for (std::size_t k = 1; k < points.size(); ++k) {
    GroundPoint a = points[k - 1];
    const GroundPoint b = points[k];
    // A bank inside the segment cuts it there, on the straight line between
    // its points; a bank at a point ends the element there.
    while (element < banks.size() && banks.at(element) <= a.station) {
      ends_.at(++element) = low_.size();
    }
    while (element < banks.size() && banks.at(element) < b.station) {
      const double bank = banks.at(element);
      const GroundPoint cut{
          bank, a.elevation + (b.elevation - a.elevation) * (bank - a.station) / (b.station - a.station)};
      add(a, cut);
      a = cut;
      ends_.at(++element) = low_.size();
    }
    add(a, b);
  }
  while (element < banks.size()) ends_.at(++element) = low_.size();
  ends_.back() = low_.size();
}

WettedElements SurveyedSection::At(double waterSurface) const {
  WettedElements wetted;
  for (std::size_t e = 0; e < kElementCount; ++e) {
    double area = 0;       // ft^2
    double perimeter = 0;  // ft
    for (std::size_t s = ends_.at(e); s < ends_.at(e + 1); ++s) {
      const double low = low_[s];
      if (low >= waterSurface) continue;
      const double high = high_[s];
      const double below = waterSurface - low;  // ft of the segment's rise under water
      if (high <= waterSurface) {
        // Wholly under water: a trapezoid between the ground and the surface.
        area += run_[s] * (below - 0.5 * (high - low));
        perimeter += length_[s];
      } else {
        // Cut where it meets the water: a triangle.
        const double wet = below / (high - low);
        area += 0.5 * wet * run_[s] * below;
        perimeter += wet * length_[s];
      }
    }
    wetted.area.at(e) = area;
    wetted.perimeter.at(e) = perimeter;
  }
  return wetted;
}

PipeWetted PipeAt(double diameter, double depth) {
  // A depth a rounding above the diameter is the full pipe.
  const double theta =
      2 * std::acos(std::max(-1.0, 1 - 2 * depth / diameter));  // rad, the wetted arc's angle
  return {diameter * diameter * (theta - std::sin(theta)) / 8, diameter * theta / 2};
}

PipeGreatest PipeGreatestFlow() {
  const auto conveyance = [](double ratio) {
    const PipeWetted wetted = PipeAt(1, ratio);
    return wetted.area * std::pow(wetted.area / wetted.perimeter, 2.0 / 3.0);
  };
  // The conveyance rises to one peak between half full and full: a golden
  // section search closes on it.
  const double golden = std::numbers::phi - 1;
  double low = 0.5;
  double high = 1.0;
  while (high - low > 1e-12) {
    const double left = high - golden * (high - low);
    const double right = low + golden * (high - low);
    if (conveyance(left) < conveyance(right)) {
      low = left;
    } else {
      high = right;
    }
  }
  const double ratio = (low + high) / 2;
  return {ratio, conveyance(ratio)};
}

}  // namespace rating
