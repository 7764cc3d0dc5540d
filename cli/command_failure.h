#pragma once

#include <stdexcept>
#include <string>

namespace rating::cli {

// The ways the command line can fail besides the rating of a reach.
enum class CommandFailureKind {
  BatchFile,       // a batch table of reaches cannot be read
  BatchConflict,   // two outputs are one file, or one is the batch table itself
  MalformedRow,    // a row of a batch table without a cell for every column
  PlotFile,        // a rating-curve plot cannot be written
  CsvFile,         // the CSV table cannot be written
  PairedDataFile,  // the paired data cannot be written
};

// A failure of the command line, with its message from the message table.
class CommandFailure : public std::runtime_error {
 public:
  CommandFailure(CommandFailureKind kind, const std::string& message)
      : std::runtime_error(message), kind_(kind) {}
  [[nodiscard]] CommandFailureKind Kind() const { return kind_; }

 private:
  CommandFailureKind kind_;
};

}  // namespace rating::cli
