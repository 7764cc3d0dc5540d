#include "cli/reach_table.h"

#include <algorithm>
#include <cctype>
#include <csv.h>  // libcsv: RFC 4180 parsing with quoted fields
#include <optional>
#include <sstream>

#include "cli/command_failure.h"
#include "cli/word_list.h"
#include "engine/failure.h"
#include "output/table_file.h"

namespace rating::cli {

namespace {

constexpr Arg<"kind"> kKind = Pattern(Message::KindBatchFile);

// What is wrong with the table as a whole.
[[noreturn]] void Fail(const std::string& path, Message problem) {
  throw CommandFailure(
      Compose(Message::BatchProblem, kKind, Arg<"path">(path), Arg<"problem">(Pattern(problem))));
}

// What is wrong on one line of the table.
[[noreturn]] void FailAt(const std::string& path, int line, const std::string& problem) {
  throw CommandFailure(Compose(Message::BatchProblemAtLine, kKind, Arg<"path">(path),
                               Arg<"line">(std::to_string(line)), Arg<"problem">(problem)));
}

// libcsv's complaints, in the user's terms.
Message ParseProblem(int error, bool atEnd) {
  switch (error) {
    case CSV_EPARSE: return atEnd ? Message::BatchQuoteNeverClosed : Message::BatchStrayQuote;
    case CSV_ETOOBIG: return Message::BatchCellTooLarge;
    case CSV_ENOMEM: return Message::BatchOutOfMemory;
    default: return Message::BatchUnreadable;
  }
}

std::string Lowercase(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return text;
}

// "1 cell", "3 cells": `one` for a count of 1, `many` for any other.
std::string Count(std::size_t count, Message one, MessageWithin<"count"> many) {
  return count == 1 ? std::string(Pattern(one)) : Compose(many, Arg<"count">(std::to_string(count)));
}

// "width, bank, ..., output, plot, csv and paired-data"
std::string ColumnNames() {
  std::vector<std::string> names;
  names.reserve(kFields.size() + kExports.size());
  for (const FieldFacts& facts : kFields) names.emplace_back(facts.option);
  for (const ExportFacts& extra : kExports) names.emplace_back(extra.option);
  for (const RouteOptionFacts& facts : kRouteOptions) {
    if (facts.batchColumn) names.emplace_back(facts.name);
  }
  return WordList(names);
}

// The character between cells: a semicolon where the header row has one and
// no comma, as a spreadsheet saves CSV where the decimal mark is a comma;
// otherwise a comma.
unsigned char Delimiter(std::string_view table) {
  const std::string_view header = table.substr(0, table.find('\n'));
  const bool semicolons =
      header.find(';') != std::string_view::npos && header.find(',') == std::string_view::npos;
  return semicolons ? ';' : ',';
}

// Where each column of the table goes: a field, an extra file or a routing
// option.
struct Column {
  std::optional<InputField> field;
  std::optional<Export> extra;
  std::string& (*route)(RouteOptions&) = nullptr;
};

class TableReader {
 public:
  TableReader(std::string path, FieldTexts defaults)
      : path_(std::move(path)), defaults_(std::move(defaults)) {}

  std::vector<Reach> Read() {
    const TableFile text = ReadTableFile(path_, Message::KindBatchFile);
    if (!text.problem.empty()) throw CommandFailure(text.problem);
    std::istringstream in(text.utf8);

    csv_parser parser{};
    if (csv_init(&parser, CSV_STRICT | CSV_STRICT_FINI) != 0) Fail(path_, Message::BatchOutOfMemory);
    csv_set_delim(&parser, Delimiter(text.utf8));
    std::string line;
    for (int number = 1; std::getline(in, line); ++number) {
      if (!rowStarted_ && line.find_first_not_of(" \t\r") != std::string::npos) {
        rowStarted_ = true;
        rowLine_ = number;
      }
      line += '\n';
      if (csv_parse(&parser, line.data(), line.size(), OnCell, OnRowEnd, this) != line.size()) {
        const Message problem = ParseProblem(csv_error(&parser), false);
        csv_free(&parser);
        FailAt(path_, number, std::string(Pattern(problem)));
      }
      if (failure_) break;
    }
    if (!failure_ && csv_fini(&parser, OnCell, OnRowEnd, this) != 0) {
      const Message problem = ParseProblem(csv_error(&parser), true);
      csv_free(&parser);
      FailAt(path_, rowLine_, std::string(Pattern(problem)));
    }
    csv_free(&parser);
    if (failure_) FailAt(path_, rowLine_, *failure_);
    if (columns_.empty()) Fail(path_, Message::BatchNoHeader);
    return std::move(reaches_);
  }

 private:
  static void OnCell(void* cell, std::size_t size, void* self) {
    static_cast<TableReader*>(self)->cells_.emplace_back(static_cast<const char*>(cell), size);
  }

  static void OnRowEnd(int /*terminator*/, void* self) {
    auto* reader = static_cast<TableReader*>(self);
    if (reader->columns_.empty()) {
      reader->ReadHeader();
    } else {
      reader->ReadReach();
    }
    reader->cells_.clear();
    reader->rowStarted_ = false;
  }

  void ReadHeader() {
    for (const std::string& cell : cells_) {
      const std::string name = Lowercase(cell);
      Column column;
      for (const FieldFacts& facts : kFields) {
        if (name == facts.option) column.field = facts.field;
      }
      for (const ExportFacts& extra : kExports) {
        if (name == extra.option) column.extra = extra.what;
      }
      for (const RouteOptionFacts& facts : kRouteOptions) {
        if (facts.batchColumn && name == facts.name) column.route = facts.value;
      }
      if (!column.field && !column.extra && column.route == nullptr) {
        failure_ = Compose(Message::BatchUnknownColumn, Arg<"column">(cell), Arg<"columns">(ColumnNames()));
        return;
      }
      if (std::find(names_.begin(), names_.end(), name) != names_.end()) {
        failure_ = Compose(Message::BatchColumnTwice, Arg<"column">(cell));
        return;
      }
      names_.push_back(name);
      columns_.push_back(column);
    }
  }

  void ReadReach() {
    Reach reach;
    reach.line = rowLine_;
    reach.texts = defaults_;
    if (cells_.size() != columns_.size()) {
      reach.error =
          Compose(Message::BatchRowCells, Arg<"kind">(Pattern(Message::KindMalformedRow)),
                  Arg<"cells">(Count(cells_.size(), Message::WordsOneCell, Message::WordsCells)),
                  Arg<"columns">(Count(columns_.size(), Message::WordsOneColumn, Message::WordsColumns)));
    } else {
      for (std::size_t i = 0; i < cells_.size(); ++i) {
        if (columns_[i].extra) {
          reach.extras.at(static_cast<std::size_t>(*columns_[i].extra)) = cells_[i];
        } else if (columns_[i].route != nullptr) {
          columns_[i].route(reach.route) = cells_[i];
        } else {
          reach.texts.at(static_cast<std::size_t>(*columns_[i].field)) = cells_[i];
        }
      }
    }
    reaches_.push_back(std::move(reach));
  }

  std::string path_;
  FieldTexts defaults_;
  std::vector<Column> columns_;
  std::vector<std::string> names_;
  std::vector<std::string> cells_;
  std::vector<Reach> reaches_;
  std::optional<std::string> failure_;
  bool rowStarted_ = false;
  int rowLine_ = 0;
};

}  // namespace

std::vector<Reach> ReadReaches(const std::string& path, const FieldTexts& defaults) {
  return TableReader(path, defaults).Read();
}

}  // namespace rating::cli
