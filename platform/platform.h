#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

// What the rating session needs to know of the system it runs on, one
// implementation per system (platform_posix.cpp, platform_windows.cpp).
namespace rating::platform {

// The decimal separator of the user's regional settings: the C library's
// for the user's locale on POSIX systems, the regional settings' on Windows.
// "." where none can be read.
std::string UserDecimalSeparator();

// The folder that holds the running program.
std::filesystem::path ProgramFolder();

// Whether `folder` is where a package or an installer puts programs: the
// package's bin folder, or a Program Files folder.
bool IsInstalledProgramFolder(const std::filesystem::path& folder);

// Whether the user may create files in `folder`.
bool MayCreateFilesIn(const std::filesystem::path& folder);

// The user's documents folder, and the home folder; empty where unknown.
std::filesystem::path DocumentsFolder();
std::filesystem::path HomeFolder();

#ifdef _WIN32
// UTF-8 and UTF-16, at Windows' own calls only; what is not valid becomes
// U+FFFD rather than failing.
std::string Utf8(std::wstring_view wide);
std::wstring Wide(std::string_view utf8);
#endif

// The program's arguments in UTF-8, its own name first: as given on POSIX
// systems; on Windows read as UTF-16 from the system, so that a name outside
// the ANSI code page arrives whole.
std::vector<std::string> CommandLineArguments(int argc, char** argv);

// Writes UTF-8 text to standard output or standard error. A Windows console
// is given it as UTF-16, so that every name prints readably; a file or a
// pipe gets the bytes unchanged, line ends included. Returns false where the
// stream refuses it.
enum class StandardStream { Output, Error };
bool WriteStandard(StandardStream stream, std::string_view utf8);

// The line end of text written for a person to read, such as a program's
// help: CR LF on Windows, LF elsewhere.
std::string_view TextLineEnd();

// Whether the stream goes to a terminal or console that a person watches,
// not to a file or a pipe.
bool IsTerminal(StandardStream stream);

// Marks the program as running until it ends, so that an installer or an
// uninstaller finds it and asks for it to be closed: on Windows a named mutex
// held for the process's life. Packages elsewhere replace running programs
// safely, and nothing is marked.
void MarkRunning();

}  // namespace rating::platform
