#pragma once

#include <optional>

// Answers --help and --version before any window or display is needed, and
// refuses any other option of its own with a short usage; Qt's own options
// (-platform, -style, ...) are left for the window. Returns the exit status
// when the program should stop.
std::optional<int> AnswerCommandLine(int argc, char* argv[]);
