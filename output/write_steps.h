#pragma once

#include "output/safe_file.h"

// What the platform files of SafeFile share: the moments of a write, as
// they report them to a test's hook.
namespace rating::write_steps {

// Calls the hook that SetWriteStepHookForTesting set, if any, at `step`.
void Reached(WriteStep step);

}  // namespace rating::write_steps
