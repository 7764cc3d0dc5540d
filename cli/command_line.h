#pragma once

#include <QStringList>

#include <array>
#include <stdexcept>
#include <string>

#include "engine/input_field.h"

namespace rating::cli {

// The reach inputs as options and batch columns, with the field each fills.
struct FieldOption {
  InputField field;
  const char* name;  // "--width" and the batch column "width"
  const char* description;
};

inline constexpr std::array<FieldOption, 10> kFieldOptions = {{
    {InputField::BottomWidth, "width", "Bottom width (ft)."},
    {InputField::BankSlope, "bank", "Bank slope, run per rise; 0 is taken as 2."},
    {InputField::Fall, "fall", "Channel fall over the reach (ft)."},
    {InputField::Length, "length", "Channel length (mi)."},
    {InputField::Roughness, "n", "Manning's roughness."},
    {InputField::MaxFlow, "max-flow", "Maximum flow (cfs); the table ends at the first row above it."},
    {InputField::Invert, "invert", "Invert elevation (ft)."},
    {InputField::Increment, "increment", "Depth increment (ft); 0 is taken as 1."},
    {InputField::Title, "title", "Title line of the rating file."},
    {InputField::Filename, "output",
     "Rating file to write, relative to the current directory; \"-\" is standard output."},
}};

using FieldTexts = std::array<std::string, 10>;  // indexed by InputField

enum class Mode { Single, Batch, Help, Version };

struct Request {
  Mode mode = Mode::Single;
  FieldTexts texts;       // the options as typed, or the window's defaults
  std::string batchFile;  // Mode::Batch: the CSV table of reaches
  std::string plotFile;   // Mode::Single: an SVG of the rating curves, or empty
  std::string message;    // Mode::Help and Mode::Version: what to print
};

// Bad usage: an unknown option, a missing value, an unexpected argument.
class UsageError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Reads the command line (the program name first). Throws UsageError.
Request ParseCommandLine(const QStringList& arguments);

}  // namespace rating::cli
