#include "output/rating_file.h"

#include <cerrno>

#include "engine/failure.h"
#include "engine/number_text.h"
#include "engine/rounding.h"

namespace rating {

std::string PrintedNumber(float value, std::string_view decimalSeparator) {
  std::string printed = value < 0 ? "" : " ";
  printed.append(PlainNumberText(value, decimalSeparator)).append(" ");
  return printed;
}

std::string ParameterLine(std::string_view width, std::string_view bank, std::string_view fall,
                          std::string_view length, std::string_view n) {
  std::string line = "Elv Cfs Acft Cascades, BW=";
  line.append(width).append(" SideS=").append(bank).append(" Fall=").append(fall);
  line.append(" ChL=").append(length).append(" n=").append(n);
  return line;
}

RatingFileWriter::RatingFileWriter(std::string decimalSeparator) : separator_(std::move(decimalSeparator)) {}

void RatingFileWriter::Open(const std::string& name) {
  file_.reset();
  name_ = name;
  try {
    file_.emplace(name);
  } catch (const std::system_error& error) {
    throw FileFailure(FailureKind::FileCreate, name, error.code(), InputField::Filename);
  }
}

void RatingFileWriter::FailWrite(const std::system_error& error) {
  file_.reset();  // removes the unfinished file
  throw FileFailure(FailureKind::FileWrite, name_, error.code(), InputField::Filename);
}

SafeFile& RatingFileWriter::File() {
  if (!file_) FailWrite(std::system_error(EBADF, std::generic_category()));
  return *file_;
}

void RatingFileWriter::WriteLine(std::string_view line) {
  SafeFile& file = File();
  try {
    file.Write(line);
    file.Write("\r\n");
  } catch (const std::system_error& error) {
    FailWrite(error);
  }
}

void RatingFileWriter::WriteTitle(std::string_view title) { WriteLine(title); }

void RatingFileWriter::WriteParameters(std::string_view width, std::string_view bank, std::string_view fall,
                                       std::string_view length, std::string_view n) {
  WriteLine(ParameterLine(width, bank, fall, length, n));
}

RatingFileRow RatingFileRowOf(const RatingTable& table, int row) {
  CheckRowIndex(table, row);
  const auto j = static_cast<std::size_t>(row);
  RatingFileRow line;
  line.elevation = table.elevation[j];
  line.flow = RoundToThreeFigures(table.flow[j]);
  line.storage = RoundToThreeFigures(table.storage[j]);
  line.cascades = RoundToThreeFigures(table.cascades[j]);
  return line;
}

void RatingFileWriter::WriteRow(const RatingFileRow& row) {
  WriteLine(PrintedNumber(row.elevation, separator_) + "\t" + PrintedNumber(row.flow, separator_) + "\t" +
            PrintedNumber(row.storage, separator_) + "\t" + PrintedNumber(row.cascades, separator_));
}

void RatingFileWriter::Close() {
  SafeFile& file = File();
  try {
    file.Commit();
  } catch (const std::system_error& error) {
    FailWrite(error);
  }
  file_.reset();
}

void RatingFileWriter::CloseInto(std::vector<SafeFile>& pending) {
  SafeFile& file = File();
  try {
    file.Finish();
  } catch (const std::system_error& error) {
    FailWrite(error);
  }
  pending.push_back(std::move(*file_));
  file_.reset();
}

}  // namespace rating
