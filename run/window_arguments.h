#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace rating {

// What a window program says to its command line before it opens a window.
struct WindowAnswer {
  int exitStatus = 0;  // 0 for --help or --version, 2 for a refusal
  std::string text;    // the help, the version or the refusal, ending in a line end
};

// Answers `arguments` (the program's own name left out): --help (-h, -?) with
// the usage and --version (-v) with the version, wherever they stand. Where
// `refuseOthers`, any other argument is refused with a short usage; a
// toolkit that takes options of its own refuses only what it left. Nothing
// where the window should open.
std::optional<WindowAnswer> AnswerWindowArguments(const std::vector<std::string>& arguments,
                                                  std::string_view program, std::string_view version,
                                                  bool refuseOthers);

}  // namespace rating
