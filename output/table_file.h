#pragma once

#include <string>
#include <string_view>

#include "messages/messages.h"

namespace rating {

// A table file read whole: its text as UTF-8, or why it could not be read.
struct TableFile {
  std::string utf8;     // the text, a byte order mark dropped; empty with a problem
  std::string problem;  // empty where the file was read
};

// Reads the table file at `path` (UTF-8), as spreadsheets save one (see
// DecodeTableText). A file that cannot be opened or read, a folder, or a
// line that is neither UTF-8 nor UTF-16 gives a problem under `kind`'s
// heading, naming the file and the line.
TableFile ReadTableFile(const std::string& path, Message kind);

// The same for a table file's `bytes` read already, as a browser reads
// the file a user chooses; `name` names it in the problem.
TableFile DecodeTableFile(std::string_view bytes, const std::string& name, Message kind);

}  // namespace rating
