#pragma once

#include <filesystem>
#include <functional>

#include "output/safe_file.h"

// What the platform files of SafeFile share: the moments of a write, as
// they report them to a test's hook, and the hidden temporary file's name.
namespace rating::write_steps {

// Calls the hook that SetWriteStepHookForTesting set, if any, at `step`.
void Reached(WriteStep step);

// One try at creating the temporary file under a given name.
enum class TryOutcome { Created, NameTaken, Failed };

// Tries `create` with fresh hidden names beside `target`,
// ".NAME.XXXXXXXX.partial", while the name it tries is taken, up to a
// hundred names. Returns the name of the file created, or an empty path
// when a try failed or every name was taken; `create` keeps the reason.
std::filesystem::path CreateTemporaryBeside(
    const std::filesystem::path& target,
    const std::function<TryOutcome(const std::filesystem::path&)>& create);

}  // namespace rating::write_steps
