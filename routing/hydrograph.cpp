#include "routing/hydrograph.h"

#include <array>
#include <charconv>
#include <chrono>
#include <cmath>
#include <fast_float/fast_float.h>
#include <fmt/format.h>
#include <utility>

#include "engine/decimal_text.h"
#include "engine/failure.h"
#include "engine/table_text.h"
#include "engine/unit_system.h"
#include "messages/messages.h"
#include "routing/storage_routing.h"

namespace rating::routing {

namespace {

// Two times this close (h) are one time: decimal hours such as 0.1 do not
// add up exactly.
constexpr double kSameTime = 1e-6;

[[noreturn]] void RefuseRow(std::size_t row, const std::string& problem) {
  const std::string number = std::to_string(row);
  throw RatingFailure(
      FailureKind::TypeMismatch,
      Compose(Message::RoutingProblem, Arg<"kind">(Pattern(Message::KindRouting)),
              Arg<"problem">(Compose(Message::HydrographRow, Arg<"row">(number), Arg<"problem">(problem)))));
}

std::string_view Trimmed(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '"')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '"' || text.back() == '\r')) {
    text.remove_suffix(1);
  }
  return text;
}

// A plain decimal number with `mark` as its decimal mark, and nothing else.
std::optional<double> Number(std::string_view text, char mark) {
  std::string plain(text.starts_with('+') ? text.substr(1) : text);
  if (plain.empty()) return std::nullopt;
  for (char& c : plain) {
    if (c == mark) {
      c = '.';
    } else if (c == '.' && mark != '.') {
      return std::nullopt;
    }
  }
  double value = 0;
  const auto [end, error] = fast_float::from_chars(plain.data(), plain.data() + plain.size(), value);
  if (error != std::errc() || end != plain.data() + plain.size() || !std::isfinite(value)) {
    return std::nullopt;
  }
  return value;
}

// A whole number of exactly `digits` digits at the start of `text`, taken off it.
std::optional<int> Digits(std::string_view& text, std::size_t digits) {
  if (text.size() < digits) return std::nullopt;
  int value = 0;
  for (std::size_t k = 0; k < digits; ++k) {
    if (text[k] < '0' || text[k] > '9') return std::nullopt;
    value = value * 10 + (text[k] - '0');
  }
  text.remove_prefix(digits);
  return value;
}

bool Take(std::string_view& text, char c) {
  if (text.empty() || text.front() != c) return false;
  text.remove_prefix(1);
  return true;
}

// "06:00" or "06:00:30" at the end of a date and time, in hours.
std::optional<double> ClockTime(std::string_view text) {
  const auto hours = Digits(text, 2);
  if (!hours || !Take(text, ':')) return std::nullopt;
  const auto minutes = Digits(text, 2);
  std::optional<int> seconds = 0;
  if (Take(text, ':')) seconds = Digits(text, 2);
  if (!minutes || !seconds || !text.empty() || *hours > 23 || *minutes > 59 || *seconds > 59) {
    return std::nullopt;
  }
  return *hours + *minutes / 60.0 + *seconds / 3600.0;
}

// A time in hours, and whether it is a date and time.
std::optional<double> TimeOf(std::string_view text, char mark, bool& stamp) {
  stamp = false;
  if (text.size() >= 16 && text[4] == '-' && text[7] == '-' && (text[10] == ' ' || text[10] == 'T')) {
    std::string_view date = text.substr(0, 10);
    const auto year = Digits(date, 4);
    const bool dash = Take(date, '-');
    const auto month = Digits(date, 2);
    const bool dash2 = Take(date, '-');
    const auto day = Digits(date, 2);
    const std::optional<double> clock = ClockTime(text.substr(11));
    if (!year || !dash || !month || !dash2 || !day || !clock) return std::nullopt;
    const std::chrono::year_month_day ymd{std::chrono::year{*year},
                                          std::chrono::month{static_cast<unsigned>(*month)},
                                          std::chrono::day{static_cast<unsigned>(*day)}};
    if (!ymd.ok()) return std::nullopt;
    stamp = true;
    return static_cast<double>(std::chrono::sys_days(ymd).time_since_epoch().count()) * 24.0 + *clock;
  }
  if (const std::size_t colon = text.find(':'); colon != std::string_view::npos) {
    std::string_view minutesText = text.substr(colon + 1);
    const auto hours = Number(text.substr(0, colon), '.');
    const auto minutes = Digits(minutesText, 2);
    if (!hours || !minutes || !minutesText.empty() || *hours < 0 || *hours != std::floor(*hours) ||
        *minutes > 59) {
      return std::nullopt;
    }
    return *hours + *minutes / 60.0;
  }
  return Number(text, mark);
}

// The units a table's header may name, each of one system, as spreadsheets
// and other models write them.
struct NamedUnit {
  std::string_view name;  // lower case
  UnitSystem system;
};
constexpr std::array<NamedUnit, 13> kNamedUnits = {{
    {"cfs", UnitSystem::UsCustomary},
    {"ft3/s", UnitSystem::UsCustomary},
    {"ft^3/s", UnitSystem::UsCustomary},
    {"ft\u00b3/s", UnitSystem::UsCustomary},
    {"acre-ft", UnitSystem::UsCustomary},
    {"ac-ft", UnitSystem::UsCustomary},
    {"acft", UnitSystem::UsCustomary},
    {"m3/s", UnitSystem::Si},
    {"m^3/s", UnitSystem::Si},
    {"m\u00b3/s", UnitSystem::Si},
    {"cms", UnitSystem::Si},
    {"m3", UnitSystem::Si},
    {"1000m3", UnitSystem::Si},
}};

// Refuses a header row that names a unit of the other system than `units`:
// its numbers would be read as the wrong quantities. A header naming no
// units, or only `units`' own, is read in `units`.
void RefuseOtherUnits(const TableRow& header, UnitSystem units) {
  for (const std::string& cell : header.cells) {
    std::string lower;
    for (const char c : cell) lower += c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
    std::size_t at = 0;
    while (at < lower.size()) {
      const std::size_t end = lower.find_first_of(" ,;()[]\t\"", at);
      const std::string_view word = std::string_view(lower).substr(at, end - at);
      at = end == std::string::npos ? lower.size() : end + 1;
      for (const NamedUnit& unit : kNamedUnits) {
        if (word != unit.name || unit.system == units) continue;
        RefuseRow(static_cast<std::size_t>(header.line),
                  Compose(Message::TableOtherUnits, Arg<"unit">(word),
                          Arg<"named">(Pattern(Facts(unit.system).label)),
                          Arg<"chosen">(Pattern(Facts(units).label))));
      }
    }
  }
}

// A time in hours, or a storage or a flow, as the user reads numbers.
std::string Hours(double hours, std::string_view userSeparator) {
  return ReadableNumber(hours, userSeparator == "," ? "," : ".");
}

}  // namespace

namespace {

// The rows of a table, or the row where it cannot be split.
TableCells RowsOf(std::string_view text) {
  TableCells table = SplitTable(text);
  if (table.problem) {
    RefuseRow(static_cast<std::size_t>(table.problem->line), std::string(Pattern(table.problem->problem)));
  }
  return table;
}

}  // namespace

Hydrograph ReadHydrograph(std::string_view text, std::string_view userSeparator, UnitSystem units) {
  const TableCells table = RowsOf(text);
  if (table.rows.empty()) {
    throw RatingFailure(FailureKind::TypeMismatch,
                        Compose(Message::RoutingProblem, Arg<"kind">(Pattern(Message::KindRouting)),
                                Arg<"problem">(Pattern(Message::RoutingTooFewOrdinates))));
  }
  const char mark = TableDecimalMark(table.delimiter, userSeparator);
  // A header row is one whose last cell is not a number; a pasted column
  // may have none.
  const std::vector<std::string>& top = table.rows.front().cells;
  const std::size_t columns = top.size();
  const std::size_t first = Number(Trimmed(top.back()), mark) ? 0 : 1;
  if (first == 1) RefuseOtherUnits(table.rows.front(), units);

  Hydrograph hydrograph;
  std::vector<double> times;  // h
  for (std::size_t k = first; k < table.rows.size(); ++k) {
    const auto row = static_cast<std::size_t>(table.rows[k].line);
    std::vector<std::string_view> cells;
    for (const std::string& cell : table.rows[k].cells) cells.push_back(Trimmed(cell));
    if (cells.size() != columns || columns > 2) {
      RefuseRow(row, Compose(Message::HydrographCells, Arg<"cells">(CellCount(cells.size()))));
    }
    const std::optional<double> flow = Number(cells.back(), mark);
    if (!flow) RefuseRow(row, ComposeIn(units, Message::HydrographNotAFlow, Arg<"text">(cells.back())));
    if (*flow < 0) RefuseRow(row, ComposeIn(units, Message::HydrographNegative, Arg<"text">(cells.back())));
    if (columns == 2) {
      bool stamp = false;
      const std::optional<double> time = TimeOf(cells.front(), mark, stamp);
      if (!time) RefuseRow(row, Compose(Message::HydrographNotATime, Arg<"text">(cells.front())));
      if (!times.empty() && !(*time > times.back() + kSameTime)) {
        RefuseRow(row, Compose(Message::HydrographNotLater, Arg<"text">(cells.front())));
      }
      if (times.size() >= 2) {
        const double step = times[1] - times[0];
        if (std::abs(*time - times.back() - step) > kSameTime) {
          RefuseRow(row, Compose(Message::HydrographUneven, Arg<"text">(cells.front()),
                                 Arg<"gap">(Hours(*time - times.back(), userSeparator)),
                                 Arg<"step">(Hours(step, userSeparator))));
        }
      }
      times.push_back(*time);
      if (stamp) hydrograph.stamps.emplace_back(cells.front());
    }
    if (hydrograph.flow.size() == kMostOrdinates) {
      throw RatingFailure(
          FailureKind::InvalidArgument,
          Compose(Message::RoutingProblem, Arg<"kind">(Pattern(Message::KindRouting)),
                  Arg<"problem">(Compose(Message::RoutingTooManyOrdinates,
                                         Arg<"count">(fmt::format("more than {}", kMostOrdinates))))));
    }
    hydrograph.flow.push_back(*flow);
  }
  if (times.size() >= 2) {
    hydrograph.timeStep =
        (times.back() - times.front()) / static_cast<double>(times.size() - 1) * kSecondsPerHour;
  }
  if (hydrograph.stamps.size() != hydrograph.flow.size()) hydrograph.stamps.clear();
  return hydrograph;
}

std::vector<StorageOutflowPair> ReadStorageOutflow(std::string_view text, std::string_view userSeparator,
                                                   UnitSystem units) {
  const TableCells table = RowsOf(text);
  const char mark = TableDecimalMark(table.delimiter, userSeparator);
  if (!table.rows.empty()) RefuseOtherUnits(table.rows.front(), units);
  std::vector<StorageOutflowPair> pairs;
  // The first row is the header.
  for (std::size_t k = 1; k < table.rows.size(); ++k) {
    const auto row = static_cast<std::size_t>(table.rows[k].line);
    std::vector<std::string_view> cells;
    for (const std::string& cell : table.rows[k].cells) cells.push_back(Trimmed(cell));
    if (cells.size() != 2) {
      RefuseRow(row, ComposeIn(units, Message::PairsCells, Arg<"cells">(CellCount(cells.size()))));
    }
    const std::optional<double> storage = Number(cells[0], mark);
    const std::optional<double> outflow = Number(cells[1], mark);
    for (const auto& [value, cell] : {std::pair{storage, cells[0]}, std::pair{outflow, cells[1]}}) {
      if (!value || *value < 0) RefuseRow(row, Compose(Message::PairsNotANumber, Arg<"text">(cell)));
    }
    if (!pairs.empty() && !(*storage > pairs.back().storage)) {
      RefuseRow(row, ComposeIn(units, Message::PairsStorageNotIncreasing, Arg<"storage">(cells[0]),
                               Arg<"previous">(Hours(pairs.back().storage, userSeparator))));
    }
    if (!pairs.empty() && *outflow < pairs.back().outflow) {
      RefuseRow(row, ComposeIn(units, Message::PairsOutflowDecreasing, Arg<"outflow">(cells[1]),
                               Arg<"previous">(Hours(pairs.back().outflow, userSeparator))));
    }
    pairs.push_back({*storage, *outflow});
  }
  return pairs;
}

std::optional<double> ParseFlow(std::string_view text, std::string_view userSeparator) {
  return Number(Trimmed(text), userSeparator == "," ? ',' : '.');
}

std::optional<int> ParseSubreaches(std::string_view text) {
  int count = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), count);
  if (error != std::errc() || end != text.data() + text.size() || count < 1 || count > kMostSubreaches) {
    return std::nullopt;
  }
  return count;
}

std::optional<double> ParseDuration(std::string_view text) {
  text = Trimmed(text);
  struct Unit {
    std::string_view name;
    double seconds;
  };
  for (const Unit unit : {Unit{"min", 60}, Unit{"s", 1}, Unit{"h", kSecondsPerHour}}) {
    if (!text.ends_with(unit.name)) continue;
    const std::optional<double> count = Number(Trimmed(text.substr(0, text.size() - unit.name.size())), '.');
    if (!count || !(*count > 0)) return std::nullopt;
    return *count * unit.seconds;
  }
  return std::nullopt;
}

}  // namespace rating::routing
