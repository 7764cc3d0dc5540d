#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace rating {

// Where the program is kept, as far as choosing its working folder goes.
struct ProgramPlace {
  std::filesystem::path programFolder;
  bool installed = false;           // put there by a package or an installer
  bool mayCreateFiles = false;      // the user may create files in programFolder
  std::filesystem::path documents;  // the user's documents folder; empty where none
  std::filesystem::path home;       // the user's home folder
};

// The folder a relative rating file name such as the default "MyRating.RAT"
// resolves against, on every system: the program's own folder, where it is
// kept in a folder of its own that the user may write (a zip, a build);
// otherwise, for an installed copy or one in a folder the user may not
// write, the user's documents folder, or the home folder where there is none.
std::filesystem::path WorkingFolderFor(const ProgramPlace& place);

// This program's place, from the system.
ProgramPlace ThisProgramPlace();

// Makes WorkingFolderFor(ThisProgramPlace()) the working directory. Returns
// the warning a window shows where that fails; relative names then resolve
// against the folder the program was started from.
std::optional<std::string> MakeWorkingFolderCurrent();

}  // namespace rating
