#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <system_error>

#include "engine/failure.h"

namespace rating {

// A file that cannot be read or written, named as the user gave it, with the
// folder a relative name resolved to and the system's reason, under the
// heading `kindText`:
// 'Cannot create rating file "x.RAT" in "/home/ann": Permission denied.'
// Control characters of the name show as \xNN.
std::string FileMessage(std::string_view kindText, const std::string& name, std::error_code reason);

// What writes that were stopped left beside the file that `name` writes:
// "2 unfinished copies of it, ... they can be deleted.", or, where
// `namesFile`, of "name". Nothing where they left nothing.
std::optional<std::string> LeftoversNote(const std::string& name, bool namesFile);

// FileMessage as a failure of the rating file.
RatingFailure FileFailure(FailureKind kind, const std::string& name, std::error_code reason);

}  // namespace rating
