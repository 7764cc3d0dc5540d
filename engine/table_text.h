#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "messages/messages.h"

// Tables as a spreadsheet saves or copies them, for every table the program
// reads: the batch of reaches, the inflow hydrograph and the storage–outflow
// pairs. One splitter, RFC 4180 as libcsv reads it, and one guess of what
// separates the cells.
namespace rating {

// One row of a table: its cells unquoted, the blanks around an unquoted
// cell dropped.
struct TableRow {
  int line = 0;  // of the text, from 1: where the row begins
  std::vector<std::string> cells;
};

// Why a table's text could not be split further, and where.
struct TableProblem {
  int line = 0;     // where the row that fails begins, or the stray quote stands
  Message problem;  // "a quoted cell that starts on this line is never closed"
};

// A table's text split into rows of cells.
struct TableCells {
  char delimiter = ',';                 // what split the cells
  std::vector<TableRow> rows;           // in order, blank lines left out
  std::optional<TableProblem> problem;  // where splitting stopped; `rows` are those before it
};

// The character between the cells of a table whose first line is `line`,
// quoted cells passed over: a tab where it has one, as a spreadsheet copies
// cells; else a semicolon where it has one and no comma, as a spreadsheet
// saves CSV where the decimal mark is a comma; else a comma.
char TableDelimiter(std::string_view line);

// Splits `text` (UTF-8, as DecodeTableText gives it) at the delimiter its
// first line that is not blank takes (TableDelimiter). A cell in double
// quotes may hold the delimiter, line breaks and doubled quotes. A quote
// inside an unquoted cell, text after a closing quote, or a quote never
// closed stops the splitting there, as `problem`.
TableCells SplitTable(std::string_view text);

// The decimal mark of a table's numbers: the user's comma where its cells
// are split by tabs or semicolons, as a spreadsheet writes them in a comma
// locale; a point otherwise. `userMark` is "," or "." (DecimalMarkFor).
char TableDecimalMark(char delimiter, std::string_view userMark);

// "1 cell", "3 cells".
std::string CellCount(std::size_t count);

}  // namespace rating
