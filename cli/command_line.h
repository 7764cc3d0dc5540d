#pragma once

#include <QStringList>

#include <array>
#include <stdexcept>
#include <string>

#include "engine/input_field.h"

namespace rating::cli {

// The field texts, indexed by InputField; the options and batch columns
// that fill them are named in kFields.
using FieldTexts = std::array<std::string, kFieldCount>;

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
