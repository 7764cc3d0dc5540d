#include "output/rating_file.h"

#include <cerrno>

#include "engine/cross_section.h"
#include "engine/failure.h"
#include "engine/number_text.h"
#include "output/file_message.h"

namespace rating {

namespace {

constexpr std::string_view kLineEnd = "\r\n";

}  // namespace

std::string PrintedNumber(float value, std::string_view decimalSeparator) {
  std::string printed = value < 0 ? "" : " ";
  printed.append(PlainNumberText(value, decimalSeparator)).append(" ");
  return printed;
}

std::string_view ColumnsLine(UnitSystem units) {
  return units == UnitSystem::Si ? "Elv Cms 1000m3 Cascades, " : "Elv Cfs Acft Cascades, ";
}

std::string ParameterLine(std::string_view width, std::string_view bank, std::string_view fall,
                          std::string_view length, std::string_view n, UnitSystem units) {
  std::string line(ColumnsLine(units));
  line.append("BW=");
  line.append(width).append(" SideS=").append(bank).append(" Fall=").append(fall);
  line.append(" ChL=").append(length).append(" n=").append(n);
  return line;
}

std::string ParameterLine(const FieldTexts& texts, const ChannelParameters& channel) {
  const auto text = [&texts](InputField field) -> std::string_view { return TextOf(texts, field); };
  const auto typedOr = [&texts](InputField field, std::string_view otherwise) -> std::string_view {
    const std::string& typed = TextOf(texts, field);
    return typed.find_first_not_of(" \t") == std::string::npos ? otherwise : std::string_view(typed);
  };
  const Arg<"fall"> fall(text(InputField::Fall));
  const Arg<"length"> length(text(InputField::Length));
  const Arg<"n"> n(text(InputField::Roughness));
  std::string line(ColumnsLine(channel.units));
  switch (channel.shape) {
    case SectionShape::Trapezoid:
      return ParameterLine(text(InputField::BottomWidth), text(InputField::BankSlope), text(InputField::Fall),
                           text(InputField::Length), text(InputField::Roughness), channel.units);
    case SectionShape::Rectangle:
      return line.append(Compose(Message::SectionParameterRectangle,
                                 Arg<"width">(text(InputField::BottomWidth)), fall, length, n));
    case SectionShape::Circle:
      return line.append(Compose(Message::SectionParameterCircle, Arg<"diameter">(text(InputField::Diameter)),
                                 fall, length, n));
    case SectionShape::Surveyed: {
      const std::string first = StationText(channel.ground.front().station, channel.DecimalMark());
      const std::string last = StationText(channel.ground.back().station, channel.DecimalMark());
      const std::string points =
          Compose(Message::WordsPoints, Arg<"count">(std::to_string(channel.ground.size())));
      return line.append(
          Compose(Message::SectionParameterSurveyed, Arg<"points">(points),
                  Arg<"left">(typedOr(InputField::LeftBank, first)),
                  Arg<"right">(typedOr(InputField::RightBank, last)), fall, length,
                  Arg<"nLeft">(typedOr(InputField::LeftRoughness, text(InputField::Roughness))), n,
                  Arg<"nRight">(typedOr(InputField::RightRoughness, text(InputField::Roughness)))));
    }
  }
  return line;
}

void RatingFileWriter::Open(const std::string& name) {
  file_.reset();
  name_ = name;
  try {
    file_.emplace(name);
  } catch (const std::system_error& error) {
    throw FileFailure(FailureKind::FileCreate, name, error.code());
  }
}

void RatingFileWriter::FailWrite(const std::system_error& error) {
  file_.reset();  // removes the unfinished file
  throw FileFailure(FailureKind::FileWrite, name_, error.code());
}

SafeFile& RatingFileWriter::File() {
  if (!file_) FailWrite(std::system_error(EBADF, std::generic_category()));
  return *file_;
}

std::string RatingFileLine(const RatingFileRow& row, std::string_view decimalSeparator) {
  std::string line = PrintedNumber(row.elevation, decimalSeparator);
  for (const float value : {row.flow, row.storage, row.cascades}) {
    line.append("\t").append(PrintedNumber(value, decimalSeparator));
  }
  return line;
}

std::string RatingFileText(std::string_view title, std::string_view parameterLine,
                           const std::vector<RatingFileRow>& rows, std::string_view decimalSeparator) {
  std::string text(title);
  text.append(kLineEnd).append(parameterLine).append(kLineEnd);
  for (const RatingFileRow& row : rows) text.append(RatingFileLine(row, decimalSeparator)).append(kLineEnd);
  return text;
}

void RatingFileWriter::WriteText(std::string_view text) {
  SafeFile& file = File();
  try {
    file.Write(text);
  } catch (const std::system_error& error) {
    FailWrite(error);
  }
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

SafeFile RatingFileWriter::CloseFinished() {
  SafeFile& file = File();
  try {
    file.Finish();
  } catch (const std::system_error& error) {
    FailWrite(error);
  }
  SafeFile finished = std::move(file);
  file_.reset();
  return finished;
}

}  // namespace rating
