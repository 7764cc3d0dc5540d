#pragma once

#include <cstdio>
#include <filesystem>
#include <string>
#include <string_view>

#include "engine/rating_table.h"

namespace rating {

// Writes the rating file that a Modified Puls routing model reads: the title,
// the parameter line, and one line per table row, each ending in CR LF.
//
// A file that is replaced is written beside it under a temporary name and
// renamed over it by Close, so that a run that fails after Open, or whose
// writing fails, leaves the previous file exactly as it was (or no file where
// there was none). A name that is a symbolic link is written through; a
// device or FIFO is written in place. Failures throw RatingFailure with
// FileCreate or FileWrite, the name as typed and the system's reason.
class RatingFileWriter {
 public:
  // `decimalSeparator` is the user's, used in every number written.
  explicit RatingFileWriter(std::string decimalSeparator);
  RatingFileWriter(const RatingFileWriter&) = delete;
  RatingFileWriter& operator=(const RatingFileWriter&) = delete;
  RatingFileWriter(RatingFileWriter&&) = delete;
  RatingFileWriter& operator=(RatingFileWriter&&) = delete;
  // An unfinished file is discarded; the previous file stays.
  ~RatingFileWriter();

  // Fails, before anything is written, wherever creating or truncating
  // `name` would fail. Relative names resolve against the working directory.
  void Open(const std::string& name);
  // Line 1: the title, verbatim.
  void WriteTitle(std::string_view title);
  // Line 2: the channel as typed, "Elv Cfs Acft Cascades, BW=50 SideS=2 ...".
  void WriteParameters(std::string_view width, std::string_view bank, std::string_view fall,
                       std::string_view length, std::string_view n);
  // Rounds Flow, Storage and Cascades of row `row` in place, in that order,
  // and writes elevation, flow, storage and cascades separated by tabs.
  void WriteRow(RatingTable& table, int row);
  // Completes the file and puts it in place of the previous one.
  void Close();

 private:
  void WriteLine(std::string_view line);
  [[noreturn]] void FailWrite(int error);
  void Discard();

  std::string separator_;
  std::string name_;                 // as typed, for messages
  std::filesystem::path target_;     // the file finally written, links resolved
  std::filesystem::path temporary_;  // beside the target; empty when writing in place
  std::FILE* file_ = nullptr;
};

// A number as the rating file prints it: a blank or a minus sign, the plain
// number, and one blank (" 12.5 ", "-0.5 ").
std::string PrintedNumber(float value, std::string_view decimalSeparator);

}  // namespace rating
