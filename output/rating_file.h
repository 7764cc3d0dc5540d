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
// renamed over it by Close; a new file is removed again if the run fails. So
// a run that fails after Open, or whose writing fails, leaves the previous
// file exactly as it was, or no file where there was none. A name that is a symbolic link is written through;
// a device or FIFO is written in place. Failures throw RatingFailure with FileCreate or FileWrite, the name
// as typed and the system's reason.
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
  // Line 2: the channel as typed (ParameterLine).
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
  std::string name_;              // as typed, for messages
  std::filesystem::path target_;  // the file finally written, links resolved
  // The file being written, removed if the run fails: a new name beside
  // the target when replacing a file, the target itself when it is new, or
  // empty when a device is written in place.
  std::filesystem::path temporary_;
  std::FILE* file_ = nullptr;
};

// Line 2 of the rating file, from the five field texts as typed:
// "Elv Cfs Acft Cascades, BW=50 SideS=2 Fall=110 ChL=5.5 n=0.025".
std::string ParameterLine(std::string_view width, std::string_view bank, std::string_view fall,
                          std::string_view length, std::string_view n);

// A number as the rating file prints it: a blank or a minus sign, the plain
// number, and one blank (" 12.5 ", "-0.5 ").
std::string PrintedNumber(float value, std::string_view decimalSeparator);

}  // namespace rating
