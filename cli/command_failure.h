#pragma once

#include <stdexcept>
#include <string>

namespace rating::cli {

// A failure of the command line besides the rating of a reach: a batch table
// that cannot be read, outputs that are one file, a malformed row, or an
// export that cannot be written; its message from the message table.
class CommandFailure : public std::runtime_error {
 public:
  explicit CommandFailure(const std::string& message) : std::runtime_error(message) {}
};

}  // namespace rating::cli
