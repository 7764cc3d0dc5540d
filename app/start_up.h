#pragma once

#include <optional>

class QWidget;

// Answers --help and --version, as Qt programs do, before any window or
// display is needed. Returns the exit status when the program should stop.
std::optional<int> AnswerCommandLine(int argc, char* argv[]);

// Makes the program's folder the working directory, so that a relative
// rating file name such as the default "MyRating.RAT" is created beside the
// program. Where that fails, says so over `window`, which is shown by then, and
// relative names resolve against the folder the program was started from.
void MakeProgramFolderCurrent(QWidget& window);
