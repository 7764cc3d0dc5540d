#pragma once

#include <cstddef>

#include "output/safe_file.h"

// What the platform files of SafeFile share: the moments of a write, as
// they report them to a test's hook.
namespace rating::write_steps {

// Calls the hook that SetWriteStepHookForTesting set, if any, at `step`.
void Reached(WriteStep step);

// Of the target's name, what a temporary file's name keeps, so that it stays
// under the 255 characters a file name may have: bytes on Linux, UTF-16
// units on Windows.
inline constexpr std::size_t kTemporaryBaseLength = 200;

}  // namespace rating::write_steps
