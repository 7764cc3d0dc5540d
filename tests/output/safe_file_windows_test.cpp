// How writing a rating file fails on Windows, and that each failure names the
// file and leaves the previous one byte for byte.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <ostream>
#include <string>
#include <thread>
#include <vector>
#include <windows.h>
// The security descriptor's text form, declared with the types windows.h declares.
#include <sddl.h>

#include "engine/failure.h"
#include "output/file_message.h"
#include "output/rating_file.h"
#include "output/safe_file.h"
#include "tests/support/failure_assertions.h"
#include "tests/support/scratch_files.h"

namespace rating {
namespace {

namespace fs = std::filesystem;

using testing_support::ReadFile;
using testing_support::WriteFile;

constexpr const char* kPrevious = "previous rating\r\n";

// A name in UTF-8 as the core holds it, and the path it names.
fs::path PathOf(const std::string& utf8) { return fs::path(std::u8string(utf8.begin(), utf8.end())); }

void WriteRating(const std::string& name) {
  RatingFileWriter writer;
  writer.Open(name);
  writer.WriteText("South Street Channel\r\n");
  writer.Close();
}

// How the target is set up before the write, and what the write meets.
enum class Obstacle { None, OpenElsewhere, OpenSharingEverything, ReadOnly, Folder };

struct WindowsCase {
  const char* name;
  friend void PrintTo(const WindowsCase& c, std::ostream* os) { *os << c.name; }
  std::string file;  // in the scratch folder, UTF-8
  Obstacle obstacle;
  const char* reason;                          // a part of the message after the name
  FailureKind kind = FailureKind::FileCreate;  // FileWrite where only the replacement fails
};

class WindowsFailures : public testing::TestWithParam<WindowsCase> {
 protected:
  testing_support::ScratchFolder folder_{"rating-windows-files"};
};

TEST_P(WindowsFailures, NameTheFileAndKeepThePreviousOne) {
  const WindowsCase& c = GetParam();
  const fs::path target = folder_.Path() / PathOf(c.file);
  const bool canHoldAFile =
      c.obstacle != Obstacle::None && c.obstacle != Obstacle::Folder && c.file.size() < MAX_PATH;
  if (canHoldAFile) WriteFile(target, kPrevious);
  if (c.obstacle == Obstacle::Folder) fs::create_directory(target);
  HANDLE held = INVALID_HANDLE_VALUE;
  if (c.obstacle == Obstacle::OpenElsewhere) {
    // As a spreadsheet holds the file it shows: reading, and sharing reads only.
    held = ::CreateFileW(target.wstring().c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0,
                         nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
  }
  if (c.obstacle == Obstacle::OpenSharingEverything) {
    // As an editor that lets every other program read, write and delete it.
    held = ::CreateFileW(target.wstring().c_str(), GENERIC_READ | GENERIC_WRITE,
                         FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING, 0,
                         nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
  }
  if (c.obstacle == Obstacle::ReadOnly)
    ::SetFileAttributesW(target.wstring().c_str(), FILE_ATTRIBUTE_READONLY);

  const std::u8string utf8 = target.u8string();
  const std::string name(utf8.begin(), utf8.end());
  const auto failure = testing_support::FailureOf([&] { WriteRating(name); });
  if (held != INVALID_HANDLE_VALUE) ::CloseHandle(held);
  ::SetFileAttributesW(target.wstring().c_str(), FILE_ATTRIBUTE_NORMAL);

  ASSERT_TRUE(failure.has_value()) << "wrote " << name;
  EXPECT_EQ(failure->Kind(), c.kind);
  const std::string message = failure->what();
  EXPECT_NE(message.find(c.file), std::string::npos) << message;
  EXPECT_NE(message.find(c.reason), std::string::npos) << message;
  if (canHoldAFile) {
    EXPECT_EQ(ReadFile(target), kPrevious);
  }
  for (const auto& entry : fs::directory_iterator(folder_.Path())) {
    EXPECT_EQ(entry.path(), target) << "a stray file";
  }
}

INSTANTIATE_TEST_SUITE_P(
    Targets, WindowsFailures,
    testing::Values(
        WindowsCase{"OpenInAnotherProgram", "held.RAT", Obstacle::OpenElsewhere, "open in another program"},
        WindowsCase{"OpenSharingEverything", "shared.RAT", Obstacle::OpenSharingEverything,
                    "open in another program", FailureKind::FileWrite},
        WindowsCase{"ReadOnly", "kept.RAT", Obstacle::ReadOnly, "read-only"},
        WindowsCase{"NameOf300Characters", std::string(296, 'a') + ".RAT", Obstacle::None,
                    "File name too long"},
        WindowsCase{"ConsoleDevice", "CON", Obstacle::None, "keeps this name for a device"},
        WindowsCase{"NullDeviceWithExtension", "nul.RAT", Obstacle::None, "keeps this name for a device"},
        WindowsCase{"SerialPort", "COM1.txt", Obstacle::None, "keeps this name for a device"},
        WindowsCase{"LessThan", "a<b.RAT", Obstacle::None, "allows none of"},
        WindowsCase{"Quote", "a\"b.RAT", Obstacle::None, "allows none of"},
        WindowsCase{"StreamColon", "ab:c.RAT", Obstacle::None, "allows none of"},
        WindowsCase{"TrailingDot", "x.RAT.", Obstacle::None, "drop the dot or blank"},
        WindowsCase{"TrailingBlank", "x.RAT ", Obstacle::None, "drop the dot or blank"},
        WindowsCase{"ExistingFolder", "Runs", Obstacle::Folder, "names a folder; type the name of a file"},
        WindowsCase{"TrailingBackslash", "Runs\\", Obstacle::None, "names a folder; type the name of a file"},
        WindowsCase{"MissingFolder", "Gone\\x.RAT", Obstacle::None, "Gone\" does not exist; create it"}),
    [](const auto& info) { return std::string(info.param.name); });

// A second copy of the program writing the same file holds it for a moment,
// just as this one is about to replace it; the replace waits it out rather
// than fail.
std::wstring heldName;  // the file the hook holds
std::thread releaser;

void HoldForAMoment(WriteStep step) {
  if (step != WriteStep::DataSynced || releaser.joinable()) return;
  const HANDLE held =
      ::CreateFileW(heldName.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  releaser = std::thread([held] {
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    ::CloseHandle(held);
  });
}

TEST(WindowsReplace, WaitsOutAMomentaryHold) {
  testing_support::ScratchFolder folder("rating-windows-hold");
  const fs::path target = folder.Path() / "shared.RAT";
  WriteFile(target, kPrevious);
  heldName = target.wstring();
  SetWriteStepHookForTesting(HoldForAMoment);
  const auto failure = testing_support::FailureOf([&] { WriteRating(target.string()); });
  SetWriteStepHookForTesting(nullptr);
  ASSERT_TRUE(releaser.joinable()) << "the hook never held the file";
  releaser.join();
  EXPECT_FALSE(failure.has_value()) << failure->what();
  EXPECT_EQ(ReadFile(target), "South Street Channel\r\n");
}

// Names the system takes as they are: beyond MAX_PATH, and beyond the ANSI
// code page. A replaced file keeps no trace of the hidden temporary file, and
// a file the user hid stays hidden.
TEST(WindowsNames, LongAndUnicodeNamesAreWrittenAndReplacedFilesKeepTheirVisibility) {
  testing_support::ScratchFolder folder("rating-windows-names");
  fs::path deep = folder.Path();
  while (deep.wstring().size() < MAX_PATH + 20) deep /= L"a-folder-of-thirty-characters";
  ASSERT_TRUE(fs::create_directories(L"\\\\?\\" + deep.wstring()));
  const fs::path unicode = folder.Path() / PathOf("Straße «Süd» 水.RAT");
  for (const fs::path& target : {deep / L"long.RAT", unicode}) {
    const std::u8string utf8 = target.u8string();
    const std::string name(utf8.begin(), utf8.end());
    WriteRating(name);
    WriteRating(name);  // replacing it
    const DWORD attributes = ::GetFileAttributesW((L"\\\\?\\" + target.wstring()).c_str());
    ASSERT_NE(attributes, INVALID_FILE_ATTRIBUTES) << name;
    EXPECT_EQ(attributes & FILE_ATTRIBUTE_HIDDEN, 0U) << name;
  }
  EXPECT_EQ(ReadFile(unicode), "South Street Channel\r\n");
  ::SetFileAttributesW(unicode.wstring().c_str(), FILE_ATTRIBUTE_HIDDEN);
  const std::u8string utf8 = unicode.u8string();
  WriteRating(std::string(utf8.begin(), utf8.end()));
  EXPECT_NE(::GetFileAttributesW(unicode.wstring().c_str()) & FILE_ATTRIBUTE_HIDDEN, 0U);
  EXPECT_EQ(ReadFile(unicode), "South Street Channel\r\n");
  std::error_code ignored;
  fs::remove_all(L"\\\\?\\" + (folder.Path() / L"a-folder-of-thirty-characters").wstring(), ignored);
}

// A file whose access list was set on it keeps that list when it is
// replaced, where a rename would give it the folder's.
// Wine keeps no access lists of its own: it shows a file's POSIX mode as
// one, and its ReplaceFileW keeps no mode.
bool UnderWine() {
  const HMODULE ntdll = ::GetModuleHandleW(L"ntdll.dll");
  return ntdll != nullptr && ::GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

TEST(WindowsNames, AReplacedFileKeepsTheAccessListSetOnIt) {
  if (UnderWine()) GTEST_SKIP() << "Wine derives access lists from POSIX modes";
  testing_support::ScratchFolder folder("rating-windows-acl");
  const fs::path target = folder.Path() / "guarded.RAT";
  WriteFile(target, kPrevious);
  // Everyone, explicitly, and nothing inherited from the folder.
  PSECURITY_DESCRIPTOR set = nullptr;
  ASSERT_NE(::ConvertStringSecurityDescriptorToSecurityDescriptorW(L"D:P(A;;FA;;;WD)", SDDL_REVISION_1, &set,
                                                                   nullptr),
            FALSE);
  ASSERT_NE(::SetFileSecurityW(target.wstring().c_str(), DACL_SECURITY_INFORMATION, set), FALSE);
  ::LocalFree(set);
  const auto accessList = [&target] {
    std::vector<std::uint8_t> bytes(4096);
    DWORD needed = 0;
    if (::GetFileSecurityW(target.wstring().c_str(), DACL_SECURITY_INFORMATION, bytes.data(),
                           static_cast<DWORD>(bytes.size()), &needed) == 0) {
      return std::wstring(L"(none)");
    }
    LPWSTR text = nullptr;
    ::ConvertSecurityDescriptorToStringSecurityDescriptorW(bytes.data(), SDDL_REVISION_1,
                                                           DACL_SECURITY_INFORMATION, &text, nullptr);
    std::wstring shown = text != nullptr ? text : L"(none)";
    ::LocalFree(text);
    return shown;
  };
  const std::wstring before = accessList();
  const std::u8string utf8 = target.u8string();
  WriteRating(std::string(utf8.begin(), utf8.end()));
  EXPECT_EQ(ReadFile(target), "South Street Channel\r\n");
  EXPECT_EQ(accessList(), before);
}

// A device name resolves to no folder; the message names the folder the
// name was typed in.
TEST(WindowsNames, MessagesOnDeviceNamesNameTheWorkingFolder) {
  const std::u8string here = fs::current_path().u8string();
  for (const char* name : {"nul", "NUL.RAT", "com1.txt"}) {
    const std::string message =
        FileMessage("Cannot create rating file", name, std::make_error_code(std::errc::invalid_argument));
    EXPECT_NE(message.find(" in \"" + std::string(here.begin(), here.end()) + "\""), std::string::npos)
        << message;
  }
}

}  // namespace
}  // namespace rating
