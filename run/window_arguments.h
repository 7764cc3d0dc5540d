#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/unit_system.h"

// What a window program says to its command line before it opens a window.
// `arguments` leave out the program's own name.
namespace rating {

struct WindowAnswer {
  int exitStatus = 0;  // 0 for --help or --version, 2 for a refusal
  std::string text;    // the help, the version or the refusal, ending in a line end
};

// --help (-h, -?) answered with the usage and --version (-v) with the
// version, wherever they stand; nothing for any other command line.
std::optional<WindowAnswer> AnswerHelpOrVersion(const std::vector<std::string>& arguments,
                                                std::string_view program, std::string_view version);

// The first argument refused with a short usage; nothing for none. A toolkit
// that takes options of its own refuses only what it left. "--units us|si"
// (or "--units=si") is the window's own, and only a system it does not
// name is refused.
std::optional<WindowAnswer> RefuseArguments(const std::vector<std::string>& arguments,
                                            std::string_view program);

// The units the window starts in: the last --units given, else US customary.
UnitSystem StartingUnits(const std::vector<std::string>& arguments);

}  // namespace rating
