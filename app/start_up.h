#pragma once

#include <QString>

#include <optional>

class QWidget;

// Answers --help and --version before any window or display is needed, and
// refuses any other option of its own with a short usage; Qt's own options
// (-platform, -style, ...) are left for the window. Returns the exit status
// when the program should stop.
std::optional<int> AnswerCommandLine(int argc, char* argv[]);

// The folder a relative rating file name such as the default "MyRating.RAT"
// resolves against: the program's own folder, where it is kept in a folder
// of its own that the user may write; otherwise, for a program installed in
// `installedBinFolder` or in a folder the user may not write, the user's
// documents folder, or the home folder where there is none.
QString WorkingFolderFor(const QString& programFolder, const QString& installedBinFolder);

// Makes WorkingFolderFor the program's folder the working directory. Where
// that fails, says so over `window`, which is shown by then, and relative
// names resolve against the folder the program was started from.
void MakeProgramFolderCurrent(QWidget& window);
