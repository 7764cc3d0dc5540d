#pragma once

#include <string>

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

}  // namespace rating
