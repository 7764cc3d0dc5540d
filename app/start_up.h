#pragma once

#include <optional>

#include "engine/unit_system.h"

// Answers --help and --version before any window or display is needed.
// Returns the exit status when the program should stop there.
std::optional<int> AnswerHelpOrVersion(int argc, char* argv[]);

// Refuses, with a short usage, any argument left once Qt has taken its own
// options (-platform, -style, ...) out of the command line. Returns the exit
// status when the program should stop there.
std::optional<int> RefuseOtherArguments(int argc, char* argv[]);

// The units the window starts in: --units si, else US customary.
rating::UnitSystem StartingUnits(int argc, char* argv[]);
