#pragma once

#include <filesystem>
#include <string>

// What the Windows files of the writer share (output/file_target_windows.cpp,
// output/safe_file_windows.cpp). Windows only.
namespace rating::windows_calls {

// Throws std::system_error for a Windows error code, in the system's own
// words, or the program's where those would be unclear.
[[noreturn]] void Fail(unsigned long error);
[[noreturn]] void FailLast();

// The name the system calls take: absolute names get the \\?\ prefix, so
// that a name longer than MAX_PATH works.
std::wstring SystemName(const std::filesystem::path& absolute);

}  // namespace rating::windows_calls
