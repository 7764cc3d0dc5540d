#pragma once

#include <string>
#include <vector>

#include "cli/command_line.h"

namespace rating::cli {

// One reach of a batch table: its field texts, where it stands in the file,
// and what is wrong with the row when it cannot be rated.
struct Reach {
  int line = 0;             // line of the CSV file the row starts on
  FieldTexts texts;         // the row's cells, or the defaults for absent columns
  FieldSet given = 0;       // the fields given on the command line or in the row's cells that are not blank
  std::string sectionFile;  // the ground points of a surveyed section, CSV; empty for none
  ExtraFiles extras;        // the extra files of the row
  RouteOptions route;       // the flood the row routes, if any
  std::string error;        // a malformed row, or empty
};

// Reads a CSV table of reaches. The header row names the columns: the
// option names (width, bank, fall, length, n, max-flow, invert, increment,
// title, output, and those of the other sections), optionally section, plot,
// csv, paired-data and section-csv, and the routing options a batch may give
// (kRouteOptions), in any order and any letter case. Columns it leaves out
// take `defaults`: the texts, the fields given and the section file of the
// command line. Cells are separated by commas, or
// by semicolons where the header row has those and no comma, as a German
// spreadsheet saves them. Quoted cells may hold commas, quotes
// ("") and line breaks. Throws CommandFailure when the file cannot
// be read, its header is wrong or its quoting is broken.
std::vector<Reach> ReadReaches(const std::string& path, const Request& defaults);

}  // namespace rating::cli
