#pragma once

#include <filesystem>
#include <string_view>
#include <system_error>

#include "messages/messages.h"

namespace rating {

// What would keep a file's own name, the last part of a path, from naming
// the file as typed under Windows' rules. The Windows program checks them
// before it creates a file, and the page before it hands a file to the
// browser, since browsers save downloads by them on every system.
enum class FileNameProblem {
  None,
  NamesAFolder,        // empty, "." or "..": a folder, not a file
  TooLong,             // more than 255 UTF-16 units
  BadCharacter,        // < > : " / \ | ? * or a control character
  TrailingDotOrBlank,  // dropped silently, so that another file is written
  ReservedName,        // a device: CON, PRN, AUX, NUL, COM1 to COM9, LPT1 to LPT9
};

// Where the folder part of a typed name ends: its last "/" or "\\", as a
// Windows or a POSIX user types it; npos for a name typed without a folder.
std::size_t FolderEnd(std::string_view typed);

// The last part of a typed name, after any folder: the file's own name, as a
// browser saves a download in its own folder ("runs\\north.RAT" gives
// "north.RAT").
std::string_view LastPartOf(std::string_view typed);

// `name` made absolute against the working folder and tidied of "." and
// ".." parts: the file a name means, to show a user. `error` says why there
// is none, where the working folder cannot be read.
std::filesystem::path AbsoluteNormal(const std::filesystem::path& name, std::error_code& error);

// The problem of `name`, a file's own name in UTF-8, without its folder.
FileNameProblem WindowsFileNameProblem(std::string_view name);

// Why the name cannot be used, in the user's words; `problem` is not None.
Message ReasonFor(FileNameProblem problem);

}  // namespace rating
