#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

#include "engine/channel_parameters.h"
#include "engine/input_field.h"
#include "engine/rating_file_row.h"
#include "engine/rating_table.h"
#include "output/safe_file.h"

namespace rating {

// Writes the rating file that a Modified Puls routing model reads: the title,
// the parameter line, and one line per table row, each ending in CR LF.
//
// The file is a SafeFile: it appears complete or not at all, and a run that
// fails after Open, or whose writing fails, leaves the previous file exactly
// as it was, or no file where there was none. Failures throw RatingFailure
// with FileCreate or FileWrite, the name as typed and the system's reason.
class RatingFileWriter {
 public:
  // Fails, before anything is written, wherever creating or replacing `name`
  // would fail. Relative names resolve against the working directory.
  void Open(const std::string& name);
  // Lines already laid out, each ending in CR LF (RatingFileText).
  void WriteText(std::string_view text);
  // Completes the file and puts it in place of the previous one, durably.
  void Close();
  // Completes the file but leaves putting it in place to CommitTogether,
  // with the other files of a run: the finished file.
  SafeFile CloseFinished();

 private:
  // The open file; writing before Open or after Close is a write failure.
  SafeFile& File();
  [[noreturn]] void FailWrite(const std::system_error& error);

  std::string name_;  // as typed, for messages
  std::optional<SafeFile> file_;
};

// Line 2 of the rating file, from the five field texts as typed:
// "Elv Cfs Acft Cascades, BW=50 SideS=2 Fall=110 ChL=5.5 n=0.025"; in SI
// it begins "Elv Cms 1000m3 Cascades, ", the columns' units.
std::string ParameterLine(std::string_view width, std::string_view bank, std::string_view fall,
                          std::string_view length, std::string_view n,
                          UnitSystem units = UnitSystem::UsCustomary);

// Line 2 of the rating file of any section, from the field texts as typed:
// the trapezoid's as above; "Elv Cfs Acft Cascades, Rectangle BW=20 Fall=110
// ChL=5.5 n=0.015", "... Circle D=6 ...", or "... Section 42 points, banks
// 115 to 145, Fall=110 ChL=5.5 n=0.065/0.045/0.065" with the overbanks' n
// about the channel's, which stands for a blank one. A blank bank is the
// station of the section's end, in the decimals of the fields.
std::string ParameterLine(const FieldTexts& texts, const ChannelParameters& channel);

// A table line without its line end: elevation, flow, storage and cascades
// separated by tabs, each a PrintedNumber.
std::string RatingFileLine(const RatingFileRow& row, std::string_view decimalSeparator);

// The whole rating file: the title, the parameter line and one line per row,
// each ending in CR LF.
std::string RatingFileText(std::string_view title, std::string_view parameterLine,
                           const std::vector<RatingFileRow>& rows, std::string_view decimalSeparator);

// A number as the rating file prints it: a blank or a minus sign, the plain
// number, and one blank (" 12.5 ", "-0.5 ").
std::string PrintedNumber(float value, std::string_view decimalSeparator);

}  // namespace rating
