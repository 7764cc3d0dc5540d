#pragma once

#include <system_error>

namespace rating {

// Why a name cannot be written, where the system's own words would be
// unclear or would not say it at all. Carried as a std::system_error whose
// message is the program's own words.
enum class FileProblem {
  ReservedName = 1,    // a Windows device name: CON, NUL, COM1, ...
  BadCharacter,        // a character Windows does not allow in a name
  TrailingDotOrBlank,  // Windows would drop it and write another file
  FolderNotWritable,   // the user may not create files in the folder
  NamesAFolder,        // an existing folder, or a name ending in a separator
  NotAFile,            // a device, a pipe or standard output: nothing to replace
  FolderMissing,       // the folder the file would go in does not exist
};

const std::error_category& FileProblems();

[[noreturn]] void Fail(FileProblem problem);

}  // namespace rating
