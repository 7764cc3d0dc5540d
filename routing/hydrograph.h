#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "routing/storage_routing.h"

// Inflow hydrographs as spreadsheets save and copy them, and the time step
// as a user writes it.
namespace rating::routing {

// A hydrograph read from a table: its flows, and where its rows gave them,
// the time step they are spaced by and the dates and times as written.
struct Hydrograph {
  std::vector<double> flow;         // cfs, one per ordinate
  std::optional<double> timeStep;   // s, where the table gives times
  std::vector<std::string> stamps;  // the times as written, where they are dates and times
};

// Reads a hydrograph: a header row, then rows of one column (the flow) or
// two (the time, then the flow). A time is decimal hours ("1.5"), hours and
// minutes ("30:15"), or a date and time ("2026-05-01 06:00", seconds and a
// "T" allowed); the times must be evenly spaced and increasing.
//
// Cells are separated by commas and numbers use "." decimals; a table
// separated by semicolons, as a spreadsheet in a comma locale saves it,
// uses `userSeparator` for its decimals, and one pasted from a spreadsheet
// is separated by tabs and uses it too. `text` is UTF-8 (DecodeTableText).
// Flows are in the units of `units`; a header that names the other
// system's (a "Flow (cfs)" where SI is chosen) is refused.
// Throws RatingFailure naming the row and what is wrong with it.
Hydrograph ReadHydrograph(std::string_view text, std::string_view userSeparator,
                          UnitSystem units = UnitSystem::UsCustomary);

// Reads a storage–outflow table as this program's paired data, or another
// model's, holds it: a header row, then rows of the storage (acre-ft) and
// the outflow (cfs), or in SI 1000 m3 and m3/s, separated, with decimals
// and with its header's units checked as a hydrograph's. Storage
// must increase from row to row and outflow must not decrease. Throws
// RatingFailure naming the row that breaks this, and what is wrong with it.
std::vector<StorageOutflowPair> ReadStorageOutflow(std::string_view text, std::string_view userSeparator,
                                                   UnitSystem units = UnitSystem::UsCustomary);

// A flow as written: a plain decimal number, with "." as its decimal mark,
// or "," where the user's separator is a comma. Nothing for any other text.
std::optional<double> ParseFlow(std::string_view text, std::string_view userSeparator);

// A number of subreaches as written: a whole number from 1 to
// kMostSubreaches. Nothing for any other text.
std::optional<int> ParseSubreaches(std::string_view text);

// A duration as written: "90s", "15min", "1h", "0.25 h". Nothing for a text
// that is not one.
std::optional<double> ParseDuration(std::string_view text);  // s

}  // namespace rating::routing
