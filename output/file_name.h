#pragma once

#include <string_view>

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

// The problem of `name`, a file's own name in UTF-8, without its folder.
FileNameProblem WindowsFileNameProblem(std::string_view name);

// Why the name cannot be used, in the user's words; `problem` is not None.
Message ReasonFor(FileNameProblem problem);

}  // namespace rating
