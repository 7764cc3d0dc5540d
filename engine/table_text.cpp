#include "engine/table_text.h"

#include <csv.h>  // libcsv: RFC 4180 parsing with quoted fields

namespace rating {

namespace {

// libcsv's complaints, in the user's terms.
Message ProblemOf(int error, bool atEnd) {
  switch (error) {
    case CSV_EPARSE: return atEnd ? Message::TableQuoteNeverClosed : Message::TableStrayQuote;
    case CSV_ETOOBIG: return Message::TableCellTooLarge;
    case CSV_ENOMEM: return Message::TableOutOfMemory;
    default: return Message::TableUnreadable;
  }
}

class Splitter {
 public:
  explicit Splitter(char delimiter) { table_.delimiter = delimiter; }

  TableCells Split(std::string_view text) {
    csv_parser parser{};
    if (csv_init(&parser, CSV_STRICT | CSV_STRICT_FINI) != 0) {
      table_.problem = TableProblem{1, Message::TableOutOfMemory};
      return std::move(table_);
    }
    csv_set_delim(&parser, static_cast<unsigned char>(table_.delimiter));
    int number = 1;
    for (std::size_t start = 0; start < text.size(); ++number) {
      const std::size_t end = std::min(text.find('\n', start), text.size());
      std::string line(text.substr(start, end - start));
      start = end + 1;
      if (!rowStarted_ && line.find_first_not_of(" \t\r") != std::string::npos) {
        rowStarted_ = true;
        rowLine_ = number;
      }
      line += '\n';
      if (csv_parse(&parser, line.data(), line.size(), OnCell, OnRowEnd, this) != line.size()) {
        table_.problem = TableProblem{number, ProblemOf(csv_error(&parser), false)};
        csv_free(&parser);
        return std::move(table_);
      }
    }
    if (csv_fini(&parser, OnCell, OnRowEnd, this) != 0) {
      table_.problem = TableProblem{rowLine_, ProblemOf(csv_error(&parser), true)};
    }
    csv_free(&parser);
    return std::move(table_);
  }

 private:
  static void OnCell(void* cell, std::size_t size, void* self) {
    static_cast<Splitter*>(self)->cells_.emplace_back(static_cast<const char*>(cell), size);
  }

  static void OnRowEnd(int /*terminator*/, void* self) {
    auto* splitter = static_cast<Splitter*>(self);
    splitter->table_.rows.push_back({splitter->rowLine_, std::move(splitter->cells_)});
    splitter->cells_.clear();
    splitter->rowStarted_ = false;
  }

  TableCells table_;
  std::vector<std::string> cells_;  // of the row being read
  bool rowStarted_ = false;
  int rowLine_ = 0;  // where the row being read began
};

}  // namespace

char TableDelimiter(std::string_view line) {
  bool quoted = false;
  bool semicolon = false;
  bool comma = false;
  for (const char c : line) {
    if (c == '"') quoted = !quoted;
    if (quoted) continue;
    if (c == '\t') return '\t';
    semicolon = semicolon || c == ';';
    comma = comma || c == ',';
  }
  return semicolon && !comma ? ';' : ',';
}

TableCells SplitTable(std::string_view text) {
  std::string_view first;
  for (std::size_t start = 0; start < text.size() && first.empty();) {
    const std::size_t end = std::min(text.find('\n', start), text.size());
    const std::string_view line = text.substr(start, end - start);
    if (line.find_first_not_of(" \t\r") != std::string_view::npos) first = line;
    start = end + 1;
  }
  return Splitter(TableDelimiter(first)).Split(text);
}

char TableDecimalMark(char delimiter, std::string_view userMark) {
  return delimiter != ',' && userMark == "," ? ',' : '.';
}

std::string CellCount(std::size_t count) {
  return count == 1 ? std::string(Pattern(Message::WordsOneCell))
                    : Compose(Message::WordsCells, Arg<"count">(std::to_string(count)));
}

}  // namespace rating
