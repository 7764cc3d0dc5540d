#pragma once

#include <filesystem>
#include <string>
#include <string_view>

// Where a name typed for an output leads: which file it would change, and
// whether it is a file at all. One implementation per system
// (file_target_linux.cpp, file_target_windows.cpp).
namespace rating {

// The file that writing `name` would change: symbolic links followed, made
// absolute with its folder's real path. Two names that give the same path
// write the same file. Throws std::system_error where the name cannot be
// written: a folder, a missing folder, or on Windows a name it refuses.
std::filesystem::path ResolveTarget(const std::string& name);

// What two resolved targets share exactly when they are one file: the path
// itself on POSIX systems; on Windows, whose file names ignore case, the path
// in upper case. UTF-8.
std::string TargetIdentity(const std::filesystem::path& resolved);

// Whether `name` means the process's standard output: "/dev/stdout" and its
// aliases, or any name of the file standard output is.
bool IsStandardOutput(std::string_view name);

// Whether `name` is an output with nothing to replace, so that it takes its
// bytes as it stands: standard output, and on POSIX systems an existing
// device or FIFO. A SafeFile refuses these; the command line writes them.
bool IsWrittenInPlace(const std::string& name);

// Writes `bytes` to such an output, whole, and syncs it where it can be
// synced; standard output takes them without any line-end translation.
// Throws std::system_error with the system's reason.
void WriteInPlace(const std::string& name, std::string_view bytes);

}  // namespace rating
