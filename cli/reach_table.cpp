#include "cli/reach_table.h"

#include <algorithm>
#include <cctype>
#include <optional>

#include "cli/command_failure.h"
#include "cli/word_list.h"
#include "engine/failure.h"
#include "engine/table_text.h"
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

std::string Lowercase(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return text;
}

// "1 column", "3 columns".
std::string ColumnCount(std::size_t count) {
  return count == 1 ? std::string(Pattern(Message::WordsOneColumn))
                    : Compose(Message::WordsColumns, Arg<"count">(std::to_string(count)));
}

// "width, bank, ..., output, plot, csv and paired-data"
std::string ColumnNames() {
  std::vector<std::string> names;
  names.reserve(kFields.size() + kExports.size());
  for (const FieldFacts& facts : kFields) names.emplace_back(facts.option);
  names.emplace_back(kSectionOption);
  for (const ExportFacts& extra : kExports) names.emplace_back(extra.option);
  for (const RouteOptionFacts& facts : kRouteOptions) {
    if (facts.batchColumn) names.emplace_back(facts.name);
  }
  return WordList(names);
}

// Where each column of the table goes: a field, an extra file or a routing
// option.
struct Column {
  std::optional<InputField> field;
  std::optional<Export> extra;
  std::string& (*route)(RouteOptions&) = nullptr;
  bool section = false;  // the section's ground points
};

class TableReader {
 public:
  TableReader(std::string path, const Request& defaults) : path_(std::move(path)), defaults_(defaults) {}

  std::vector<Reach> Read() {
    const TableFile text = ReadTableFile(path_, Message::KindBatchFile);
    if (!text.problem.empty()) throw CommandFailure(text.problem);
    const TableCells table = SplitTable(text.utf8);
    for (const TableRow& row : table.rows) {
      cells_ = row.cells;
      if (columns_.empty()) {
        ReadHeader();
        if (failure_) FailAt(path_, row.line, *failure_);
      } else {
        ReadReach(row.line);
      }
    }
    if (table.problem) FailAt(path_, table.problem->line, std::string(Pattern(table.problem->problem)));
    if (columns_.empty()) Fail(path_, Message::BatchNoHeader);
    return std::move(reaches_);
  }

 private:
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
      column.section = name == kSectionOption;
      if (!column.field && !column.extra && column.route == nullptr && !column.section) {
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

  void ReadReach(int line) {
    Reach reach;
    reach.line = line;
    reach.texts = defaults_.texts;
    reach.given = defaults_.given;
    reach.sectionFile = defaults_.sectionFile;
    if (cells_.size() != columns_.size()) {
      reach.error =
          Compose(Message::BatchRowCells, Arg<"kind">(Pattern(Message::KindMalformedRow)),
                  Arg<"cells">(CellCount(cells_.size())), Arg<"columns">(ColumnCount(columns_.size())));
    } else {
      for (std::size_t i = 0; i < cells_.size(); ++i) {
        if (columns_[i].extra) {
          reach.extras.at(static_cast<std::size_t>(*columns_[i].extra)) = cells_[i];
        } else if (columns_[i].route != nullptr) {
          columns_[i].route(reach.route) = cells_[i];
        } else if (columns_[i].section) {
          reach.sectionFile = cells_[i];
        } else {
          reach.texts.at(static_cast<std::size_t>(*columns_[i].field)) = cells_[i];
          if (cells_[i].find_first_not_of(" \t") != std::string::npos) {
            reach.given |= FieldsOf({*columns_[i].field});
          }
        }
      }
    }
    reaches_.push_back(std::move(reach));
  }

  std::string path_;
  const Request& defaults_;
  std::vector<Column> columns_;
  std::vector<std::string> names_;
  std::vector<std::string> cells_;
  std::vector<Reach> reaches_;
  std::optional<std::string> failure_;
};

}  // namespace

std::vector<Reach> ReadReaches(const std::string& path, const Request& defaults) {
  return TableReader(path, defaults).Read();
}

}  // namespace rating::cli
