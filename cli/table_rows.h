#pragma once

#include <string>

#include "cli/command_failure.h"
#include "engine/cross_section.h"
#include "engine/failure.h"
#include "messages/messages.h"
#include "output/table_file.h"

namespace rating::cli {

// Reads the table file at `path` with `read`; a file that cannot be read
// fails under `kind`'s heading, and a row that fails is named after its file.
template <typename Read>
auto ReadRows(const std::string& path, Message kind, Read read) {
  const TableFile file = ReadTableFile(path, kind);
  if (!file.problem.empty()) throw CommandFailure(file.problem);
  try {
    return read(file.utf8);
  } catch (const RatingFailure& failure) {
    throw CommandFailure(Compose(Message::RoutingInFile, Arg<"path">(path), Arg<"message">(failure.what())));
  }
}

// The ground points of a surveyed section's file.
inline std::vector<GroundPoint> ReadSectionFile(const std::string& path, const std::string& separator) {
  return ReadRows(path, Message::KindSectionFile,
                  [&](const std::string& text) { return ReadGroundLine(text, separator); });
}

}  // namespace rating::cli
